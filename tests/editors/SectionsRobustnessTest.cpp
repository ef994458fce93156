// Project lines that no editor writes (hand-edited or damaged files) compile to messages, never to
// a crash or a read outside a table.
#include "compiler/CompilerTestSupport.h"

#include "support/TempDir.h"

namespace z7 {
namespace {

TEST(SectionsRobustness, DamagedLinesOfEverySection) {
    Project p = test::emptyProject();
    p.ladderGridRows = MaxLadderRows + 5;
    p.ladderRows[0].kinds = {99, -3, 4, 10, 6, 5, 9, 9};
    p.ladderRows[0].texts[6] = "X";
    p.ladderRows[MaxLadderRows - 1].kinds = {8, 4, 2, 2, 2, 2, 2, 9};
    p.ladderRows[MaxLadderRows - 1].onDelay = "";
    p.txRows = {{"", "", "", "1", "", "", "", "", "", ""}, {"x", "Us", "Us", "2", "-", "Nope", "?", "Q", "", ""},
                {"99", "Us", "-7", "3", "-", "", "", "Status", "", ""}};
    p.rxRows = {{"1", "z", "Us", "1", "1", "A", "", "Status", "", "$"}, {"1", "z", "Us", "1", "0", "B", "", "Status", "", "FFFFFFFF"},
                {"1", "z", "Us", "1", "x", "C", "", "Status", "", ""}, {"", "", "", "", "", "", "", "", "", ""}};
    p.displays = {"~", "~|", "no header|a", "~D1|0|1|7|", "@@|" + std::string(60, 'n'), "~D2|-1|x|", "x", "~D3|25|100|0|T|",
                  "@T @@ @@ @@ @@ @@ @@ @@ @@ @@ @@ @@|a.b|c.d|e|f|g|h|i|j|k|l|m"};
    p.tables = {"row before any header|", "~T1|Sel|||-4|3|20|0|$|$", "Integer|", "~T2|Sel|||1|100000|x|0|$0|$0|",
                "~T3|Sel|||2|2|2|9|$FFFFFFFF|$0|", "String|S|", "|||||||||||||", "~T4", "Float|F|||||||"};
    p.speechReports = {"|1|", "~R1|a|b|c|d|e|f|g|h", "~", "x;y|;|;1|A;@.@.@|" + std::string(30, '9') + "|", "~R2||||||99",
                       "1|2|3|", ";", "~R3"};
    test::TempDir dir;
    const auto c = test::compile(p, dir.dir());
    EXPECT_FALSE(c.result.success);
    EXPECT_FALSE(c.errors().empty());
}

}  // namespace
}  // namespace z7
