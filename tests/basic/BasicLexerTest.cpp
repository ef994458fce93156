#include "basic/BasicCompiler.h"

#include <gtest/gtest.h>

using namespace z7;

namespace {

struct Lexed {
    std::vector<BasicField> fields;
    int depth = 0;
};

// Reads every field of one line in the given section.
Lexed lex(const std::string& line, const std::string& section = "#INPUTS") {
    BasicCompiler compiler;
    const std::vector<std::string> lines{line};
    compiler.startLexing(lines, section);
    compiler.GetNewSourceLine();
    Lexed out;
    for (int guard = 0; guard < 100; ++guard) {
        compiler.GetField();
        if (compiler.field().text.empty()) break;
        out.fields.push_back(compiler.field());
    }
    out.depth = compiler.parenthesisDepth();
    return out;
}

std::vector<std::string> texts(const Lexed& l) {
    std::vector<std::string> t;
    for (const BasicField& f : l.fields) t.push_back(f.text);
    return t;
}

}  // namespace

TEST(BasicTokens, TableHasItsNumbersAndExactCase) {
    EXPECT_EQ(basicTokenList().size(), 75u);
    const std::pair<const char*, int> cases[] = {{"\"", 1}, {"#", 2}, {"}", 22}, {"ABS", 23}, {"EOL", 47},
                                                 {"THEN", 60}, {"BGT", 64}, {"BNE", 69}, {"LN", 74}};
    for (const auto& [text, number] : cases) EXPECT_EQ(findBasicToken(text), number) << text;
    EXPECT_EQ(findBasicToken("then"), 0);
    EXPECT_EQ(findBasicToken("WHILE"), 0);
}

TEST(BasicTokens, NameTypes) {
    const std::pair<const char*, BasicType> cases[] = {
        {"A%", BasicInteger}, {"A%%", BasicInteger}, {"A!", BasicInteger}, {"A!!", BasicInteger},
        {"A%!", BasicInvalid}, {"A%%%", BasicInvalid}, {"A!!!", BasicInvalid}, {"A.B", BasicInvalid},
        {"NAME$", BasicString}, {"N$$", BasicString}, {"N$%", BasicInvalid}, {"X1", BasicFloat}, {"LEVEL", BasicFloat}};
    for (const auto& [name, type] : cases) EXPECT_EQ(basicTypeOfName(name), type) << name;
}

TEST(BasicLexer, FieldsOfALine) {
    const struct {
        const char* line;
        std::vector<std::string> fields;
    } cases[] = {
        {"X=<5", {"X", "BLE", "5"}},
        {"X<>Y", {"X", "BNE", "Y"}},
        {"X==Y", {"X", "BEQ", "BEQ", "Y"}},
        {"a>=b", {"A", "BGE", "B"}},
        {"A><B", {"A", "BNE", "B"}},
        {"A=>B<C>D", {"A", "BGE", "B", "BLT", "C", "BGT", "D"}},
        {"  sum_1 \t+ 2.5", {"SUM_1", "+", "2.5"}},
        {"log10(x)", {"LOG10", "(", "X", ")"}},
        {"10A", {"10A"}},
        {"X$ = \"AB C\" + Y$", {"X$", "BEQ", "'AB C", "+", "Y$"}},
        {"\"open to the end", {"'open to the end"}},
        {"AB\"CD\"", {"'CD"}},
        {"A~B", {"A", "~", "B"}},
    };
    for (const auto& c : cases) EXPECT_EQ(texts(lex(c.line)), c.fields) << c.line;
}

TEST(BasicLexer, ClassesAndTypes) {
    const struct {
        const char* line;
        int cls;
        BasicType type;
        int token;
    } cases[] = {
        {"12", FieldLiteral, BasicInteger, 0},  {"1.5", FieldLiteral, BasicFloat, 0},
        {"\"AB C\"", FieldLiteral, BasicString, 0}, {"LEVEL", FieldName, BasicFloat, 0},
        {"A1", FieldMixedName, BasicFloat, 0},  {"1X", FieldMixedName, BasicFloat, 0},
        {"N%", FieldName, BasicInteger, 0},     {"A.B", FieldMixedName, BasicInvalid, 0},
        {"~", FieldSymbol, BasicInteger, 0},    {"then", FieldToken, BasicInteger, 60},
        {"(", FieldToken, BasicInteger, 4},     {"<", FieldToken, BasicInteger, 67},
    };
    for (const auto& c : cases) {
        const Lexed l = lex(c.line);
        ASSERT_EQ(l.fields.size(), 1u) << c.line;
        EXPECT_EQ(l.fields[0].fieldClass, c.cls) << c.line;
        EXPECT_EQ(l.fields[0].type, c.type) << c.line;
        EXPECT_EQ(l.fields[0].token, c.token) << c.line;
    }
}

TEST(BasicLexer, BracketsCountTheDepth) {
    EXPECT_EQ(lex("((A)").depth, 1);
    EXPECT_EQ(lex("T$[3] (4)").depth, 0);
    EXPECT_EQ(lex("A)").depth, -1);
    // Inside a string constant a bracket is only a character.
    EXPECT_EQ(lex("\"((\"").depth, 0);
}

TEST(BasicLexer, CodeSectionGivesLineEndsAcrossCommentsAndEmptyLines) {
    BasicCompiler compiler;
    const std::vector<std::string> lines{"A=1 ' note", "", "   ", "' comment", "  B"};
    compiler.startLexing(lines, "#CODE");
    compiler.GetNewSourceLine();
    std::vector<std::string> seen;
    for (int i = 0; i < 6; ++i) {
        compiler.GetField();
        seen.push_back(compiler.field().text);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"A", "BEQ", "1", "EOL", "B", "EOL"}));
}
