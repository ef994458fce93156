#include "library/ModuleLibrary.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace z7;

namespace {

ModuleLibrary load(const std::vector<std::string>& lines, std::vector<std::string>& messages) {
    ModuleLibrary library;
    library.loadFromLines(lines, messages);
    return library;
}

ModuleLibrary load(const std::vector<std::string>& lines) {
    std::vector<std::string> messages;
    ModuleLibrary library = load(lines, messages);
    EXPECT_TRUE(messages.empty()) << messages.front();
    return library;
}

}  // namespace

TEST(ModuleLibrary, EntryFieldsGiveCodePromptAndSuffix) {
    struct Case {
        const char* field;
        const char* code;
        const char* prompt;
        const char* suffix;
    };
    const std::string longPrompt(45, 'p');
    const std::string longSuffix(25, 's');
    const std::string longField = "FISS." + longPrompt + "." + longSuffix;
    const Case cases[] = {
        {"FISS.Setpoint.SP", "FISS", "Setpoint", "SP"},
        {"FIS.Level.Lvl", "FISS", "Level", "Lvl"},
        {"FOSS.Out", "FOSS", "", "Out"},
        {"DOSG.A.B.C", "DOSG", "B", "C"},  // at each period the text so far becomes the prompt
        {"IOAS..Arr", "IOAS", "", "Arr"},
        {"FIS.", "FISS", "", ""},
        {"FI", "FI", "", ""},
        {longField.c_str(), "FISS", longPrompt.c_str(), longSuffix.c_str()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        const ModuleLibrary library = load({std::string("5|2|M|d|") + c.field + "|\\"});
        const ModuleEntry& e = library.definition(5).entries[1];
        EXPECT_EQ(e.code, c.code);
        EXPECT_EQ(e.prompt, std::string(c.prompt).substr(0, 40));
        EXPECT_EQ(e.suffix, std::string(c.suffix).substr(0, 20));
    }
}

TEST(ModuleLibrary, RecordsSpanLinesAndKeepDescriptionBreaks) {
    const ModuleLibrary library = load({
        "12|2,3,4,6,7|Scaler|first line",
        "second line",
        "third line|FISS.Input.In|",
        "FCSC.Gain.K|ICSC.Size.N|",
        "FOSS.Output.Out|IOAS.Ar\\ray.Arr|\\ trailing text is ignored",
    });
    const Modul& m = library.definition(12);
    EXPECT_EQ(m.name, "Scaler");
    EXPECT_EQ(m.description, "first line\r\nsecond line\r\nthird line");
    EXPECT_EQ(m.category, 2);
    EXPECT_EQ(m.cardSpec, (std::array<int, 10> {3, 4, 6, 7, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(m.inputCount, 1);
    EXPECT_EQ(m.constantCount, 2);
    EXPECT_EQ(m.outputCount, 2);
    EXPECT_EQ(m.entries[4].code, "FOSS");
    EXPECT_EQ(m.entries[5].prompt, "Array");
    EXPECT_EQ(m.entries[6].code, "");
    EXPECT_EQ(library.lastDefinitionNumber(), 12);
}

TEST(ModuleLibrary, ListsOfferCategoriesOneToFiveSorted) {
    const ModuleLibrary library = load({"3|2|sqrt|d|\\", "4|2|Add|d|\\", "5|102|Hidden|d|FISS.A.A|FOSS.B.B|\\",
                                        "6|5|Port|d|\\", "7|0|NoTab|d|\\", "8|2|Add|d|\\"});
    EXPECT_EQ(library.list(2), (std::vector<std::string> {"Add", "Add", "sqrt"}));
    EXPECT_EQ(library.list(5), std::vector<std::string> {"Port"});
    for (int c = 1; c <= CategoryCount; ++c)
        for (const std::string& name : library.list(c)) EXPECT_NE(name, "Hidden");
    // Not offered, yet readable by number.
    EXPECT_EQ(library.definition(5).name, "Hidden");
    EXPECT_EQ(library.definition(5).outputCount, 1);
    EXPECT_EQ(libraryTabCaption(4), std::string("Statistics"));
    EXPECT_EQ(projectTabCaption(4), std::string("Stats"));
}

TEST(ModuleLibrary, DuplicateNumbersAreReadAgain) {
    const ModuleLibrary library = load({"9|3|Old|d|FISS.A.A|FISS.B.B|FOSS.C.C|\\", "9|4|New|d|FOSS.X.X|\\"});
    EXPECT_EQ(library.definition(9).name, "New");
    EXPECT_EQ(library.definition(9).category, 4);
    EXPECT_EQ(library.definition(9).inputCount, 0);
    EXPECT_EQ(library.definition(9).entries[2].code, "");
    EXPECT_EQ(library.list(3), std::vector<std::string> {"Old"});
    EXPECT_EQ(library.list(4), std::vector<std::string> {"New"});
}

TEST(ModuleLibrary, NameLookupStopsOneAboveTheLastRecord) {
    const ModuleLibrary library = load({"20|1|High|d|\\", "5|1|Low|d|\\", "7|1|Seven|d|\\", "6|1|Six|d|\\"});
    EXPECT_EQ(library.lastDefinitionNumber(), 6);
    EXPECT_EQ(library.findDefinitionByName("Low"), 5);
    EXPECT_EQ(library.findDefinitionByName("Seven"), 7);
    EXPECT_EQ(library.findDefinitionByName("High"), 0);
    EXPECT_EQ(library.findDefinitionByName("low"), 0);
    EXPECT_EQ(library.definition(20).name, "High");
    EXPECT_EQ(library.definition(201).name, "");
    EXPECT_EQ(library.definition(0).name, "");

    const ModuleLibrary last = load({"200|1|Top|d|\\"});
    EXPECT_EQ(last.findDefinitionByName("Top"), 200);
}

TEST(ModuleLibrary, MalformedRecordsAreSkippedWithAMessage) {
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        int messages;
        const char* messagePart;
    };
    const Case cases[] = {
        {"number not decimal", {"1x|1|Bad|d|\\", "2|1|Good|d|\\"}, 1, "line 1"},
        {"category not decimal", {"2|1|Good|d|\\", "3|one|Bad|d|\\"}, 1, "line 2"},
        {"card spec not decimal", {"3|1,2,x|Bad|d|\\", "2|1|Good|d|\\"}, 1, "record 3"},
        {"number 0", {"0|1|Bad|d|\\", "2|1|Good|d|\\"}, 1, "record 0"},
        {"number 201", {"2|1|Good|d|\\", "201|1|Bad|d|\\"}, 1, "record 201"},
        {"no fields", {"just text\\", "2|1|Good|d|\\"}, 1, "line 1"},
        {"unfinished last record", {"2|1|Good|d|\\", "4|1|Bad|d|FISS.A.A|"}, 1, "line 2"},
        {"blank lines at the end", {"2|1|Good|d|\\", "", "  "}, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> messages;
        const ModuleLibrary library = load(c.lines, messages);
        ASSERT_EQ(static_cast<int>(messages.size()), c.messages);
        if (c.messages) {
            EXPECT_NE(messages[0].find(c.messagePart), std::string::npos) << messages[0];
        }
        EXPECT_EQ(library.definition(2).name, "Good");
        EXPECT_EQ(library.list(1), std::vector<std::string> {"Good"});
        EXPECT_EQ(library.lastDefinitionNumber(), 2);
    }
}

TEST(ModuleLibrary, MissingFileGivesAnEmptyLibraryAndNamesTheFile) {
    test::TempDir dir;
    for (const std::string& folder : {dir.file("missing/"), dir.dir()}) {
        ModuleLibrary library;
        std::vector<std::string> messages;
        library.loadFromLines({"2|1|Old|d|\\"}, messages);
        if (folder == dir.dir()) std::filesystem::create_directories(dir.file("Z7MODDEF.TXT"));
        EXPECT_FALSE(library.load(folder, messages));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find(folder + "Z7MODDEF.TXT"), std::string::npos) << messages[0];
        EXPECT_EQ(library.definition(2).name, "");
        EXPECT_TRUE(library.list(1).empty());
        EXPECT_EQ(library.lastDefinitionNumber(), 0);
    }
}

TEST(ModuleLibrary, EmptyFileGivesAnEmptyLibrary) {
    test::TempDir dir;
    dir.write("Z7MODDEF.TXT", "");
    ModuleLibrary library;
    std::vector<std::string> messages;
    EXPECT_TRUE(library.load(dir.dir(), messages));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(library.lastDefinitionNumber(), 0);
}
