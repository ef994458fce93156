#include "doc/DocIntro.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace z7;

namespace {

using Lines = std::vector<std::string>;

struct MarkerCase {
    const char* what;
    Lines file;
    char letter;
    Lines expected;
};

class DocIntroMarkers : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(DocIntroMarkers, SectionHoldsTheLinesUpToTheNextLongMarker) {
    const MarkerCase& c = GetParam();
    EXPECT_EQ(DocIntro::fromLines(c.file).section(c.letter), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocIntroMarkers,
    ::testing::Values(
        MarkerCase {"long marker ends the section", {"!B ZEX7", "b1", "b2", "!C ZEX3", "c1"}, 'B', {"b1", "b2"}},
        MarkerCase {"last section runs to the end of the file", {"!B ZEX7", "b1", "!C ZEX3", "c1", "c2"}, 'C', {"c1", "c2"}},
        MarkerCase {"bare two-character markers stay inside", {"!B", "b1", "!C", "c1", "!S systems", "s1"}, 'B', {"b1", "!C", "c1"}},
        MarkerCase {"a bare marker still opens its own section", {"!B", "b1", "!C", "c1", "!S systems"}, 'C', {"c1"}},
        MarkerCase {"only the first section of a letter counts", {"!M first", "m1", "!M second", "m2"}, 'M', {"m1"}},
        MarkerCase {"text before the first marker belongs nowhere", {"title", "!D displays", "d1"}, 'D', {"d1"}},
        MarkerCase {"a lone ! is text", {"!L ladder", "!", "l1", "!X tables"}, 'L', {"!", "l1"}},
        MarkerCase {"empty section", {"!T tlm", "!X tables", "x1"}, 'T', {}},
        MarkerCase {"missing letter gives nothing", {"!B ZEX7", "b1"}, 'V', {}}));

TEST(DocIntro, MissingFileIsAMessageNamingIt) {
    test::TempDir dir;
    DocIntro intro;
    std::string error;
    EXPECT_FALSE(DocIntro::load(dir.dir(), intro, error));
    EXPECT_NE(error.find(dir.dir() + "Docintro.TXT"), std::string::npos) << error;
}

TEST(DocIntro, ShippedFileHasEverySection) {
    DocIntro intro;
    std::string error;
    ASSERT_TRUE(DocIntro::load(Z7_SOURCE_DIR "/system/", intro, error)) << error;
    for (char letter : std::string("BCSIJMDTLXV")) {
        EXPECT_FALSE(intro.section(letter).empty()) << letter;
        for (const std::string& line : intro.section(letter)) EXPECT_NE(line.rfind('!', 0), 0u) << letter << ": " << line;
    }
}

}  // namespace
