#include "app/Files.h"
#include "app/ProjectFile.h"
#include "app/Text.h"
#include "library/ModuleLibrary.h"
#include "library/ProjectLists.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace z7;

namespace {

ModuleLibrary smallLibrary() {
    ModuleLibrary library;
    std::vector<std::string> messages;
    library.loadFromLines({"57|1|System|The controller itself|IIS.In1.I1|IOSS.Boot.BootTrg|\\",
                           "12|2|Tank|Level|FISS.Input A.A|FISS.Input B.B|FOSS.Level.Lvl|\\"},
                          messages);
    return library;
}

Jobrecord tankInstance() {
    Jobrecord tank;
    tank.category = 2;
    tank.definitionNumber = 12;
    tank.name = "TANK";
    tank.bindings[1] = "5";
    tank.bindings[2] = "X.Y";
    tank.bindings[3] = "TANK.Lvl";
    tank.ramStart = 0x40F100;
    tank.ramEnd = 0x40F10B;
    return tank;
}

TelemetryRow row(std::initializer_list<const char*> texts) {
    TelemetryRow r;
    std::size_t i = 0;
    for (const char* t : texts) r[i++] = t;
    return r;
}

// A project that puts something into every section of the file.
Project everySectionProject() {
    Project p;
    p.cardCage.unitType = CardCage::UnitType::ZEX3;
    p.cardCage.lcdType = CardCage::LcdType::Small;
    p.cardCage.cages[1] = {0, 11, 5, 17, 6, 0, 3, 13, 0};
    p.cardCage.cages[2] = {0, 4, 4, 10, 0, 0, 0, 0, 25};
    p.projectNotes = "Pump station\r\nsecond line";
    p.instance(1).bindings = {};
    p.instance(1).bindings[1] = "7";
    p.instance(1).bindings[2] = "System.BootTrg";
    Jobrecord tank = tankInstance();
    tank.aux1 = 3;
    tank.aux2 = -4;
    tank.notes = "checked, 2026\r\nby JB";
    p.appendInstance(tank);
    p.displays = {"~Main|0|1|0|System.BootTrg|", "Level @@@.@ ft|TANK.Lvl|2|3|4|5|6|7|8|9|10", "", "!"};
    p.txRows = {row({"1", "1", "2", "1", "0", "FLOW", "1.0", "Integer", "", ""})};
    p.rxRows = {row({"1", "2", "1", "1", "0", "LVL", "", "Float", "", "1000010"}),
                row({"1", "2", "1", "2", "1", "RUN", "", "Status", "", ""})};
    p.ladderRows[0].kinds = {8, 2, 2, 2, 2, 2, 2, 9};
    p.ladderRows[0].texts = {"TANK.Lvl", "", "", "", "", "", "", "PUMP"};
    p.ladderRows[0].onDelay = "5";
    p.ladderRows[0].statusAddress = 0x40A000;
    p.ladderRows[1].kinds = {7, 10, 0, 0, 0, 0, 0, 0};
    p.ladderRows[1].texts = {"PUMP", "", "", "", "", "", "", ""};
    p.ladderGridRows = 10;
    p.tables = {"~CURVE|R|W|T|2|3|4|$0|$0|", "Float|A|W1|1.5||2.5|A.TBL", "", "Float||W2|1||3|.TBL"};
    p.speechMessages[2] = "";
    p.speechMessages[40] = "Pump";
    p.speechReports = {"~ALARMS|T1|T2|T3|T4|T5|3|", "1|{TANK.Lvl}|40|"};
    p.basicModules = {"PUMP1|PUMPCTL.BAS|ITANK.Lvl||fPUMP1.SPEED|nPUMP1.RUN!|$0|$0"};
    return p;
}

void expectSameContent(const Project& a, const Project& b) {
    EXPECT_EQ(a.cardCage, b.cardCage);
    EXPECT_EQ(a.instances(), b.instances());
    EXPECT_EQ(a.displays, b.displays);
    EXPECT_EQ(a.txRows, b.txRows);
    EXPECT_EQ(a.rxRows, b.rxRows);
    EXPECT_EQ(a.ladderRows, b.ladderRows);
    EXPECT_EQ(a.tables, b.tables);
    EXPECT_EQ(a.speechMessages, b.speechMessages);
    EXPECT_EQ(a.speechReports, b.speechReports);
    EXPECT_EQ(a.basicModules, b.basicModules);
    EXPECT_EQ(a.projectNotes, b.projectNotes);
}

ProjectFileResult parse(const std::vector<std::string>& lines, Project& project, const ModuleLibrary& library) {
    return parseProjectFileLines(lines, project, library, "P.zxn");
}

}  // namespace

TEST(ProjectFile, OutputNamesComeFromTheLibraryNotTheFile) {
    const ModuleLibrary library = smallLibrary();
    Project project;
    const Jobrecord tank = tankInstance();
    project.appendInstance(tank);
    auto lines = buildProjectFileLines(project, library, "1/2/2026 10:00:00");
    const std::string expected = "2|12,0,0,|TANK|5|X.Y|TANK.Lvl|$40F100|$40F10B";
    ASSERT_EQ(lines[13], expected);
    lines[13] = "2|12,0,0,|TANK|5|X.Y|Other|$40F100|$40F10B";
    Project read;
    ASSERT_TRUE(parse(lines, read, library).ok());
    EXPECT_EQ(read.instance(2), tank);
}

TEST(ProjectFile, EverySectionRoundTripsByteForByte) {
    const ModuleLibrary library = smallLibrary();
    const Project original = everySectionProject();
    test::TempDir dir;
    std::string error;
    ASSERT_TRUE(writeProjectFile(original, library, dir.file("A.zxn"), "11/12/2026 16:00:00", error)) << error;

    Project read;
    ASSERT_TRUE(readProjectFile(dir.file("A.zxn"), read, library).ok());
    expectSameContent(original, read);
    EXPECT_EQ(read.versionAtLastSave, "5.63");
    EXPECT_EQ(read.dateOfLastSave, "11/12/2026 16:00:00");

    // Written again with another date, only the header line differs.
    ASSERT_TRUE(writeProjectFile(read, library, dir.file("B.zxn"), "12/12/2026 09:30:00", error)) << error;
    std::vector<std::string> a = splitLines(dir.read("A.zxn"));
    std::vector<std::string> b = splitLines(dir.read("B.zxn"));
    ASSERT_EQ(a.size(), b.size());
    EXPECT_NE(a[0], b[0]);
    a[0] = b[0] = "";
    EXPECT_EQ(a, b);
}

TEST(ProjectFile, WritesTheDocumentedLayout) {
    const ModuleLibrary library = smallLibrary();
    test::TempDir dir;
    std::string error;
    ASSERT_TRUE(writeProjectFile(everySectionProject(), library, dir.file("A.zxn"), "D T", error));
    const std::string bytes = dir.read("A.zxn");
    const std::vector<std::string> expected = {
        "!Unit type|LCD display choice|5.63|D T|Pump station\\second line",
        "5|1",
        "!Card Configuration...",
        "0|11|5|17|6|0|3|13|0|",
        "0|4|4|10|0|0|0|0|25|",
        "0|0|0|0|0|0|0|0|0|", "0|0|0|0|0|0|0|0|0|", "0|0|0|0|0|0|0|0|0|", "0|0|0|0|0|0|0|0|0|",
        "0|0|0|0|0|0|0|0|0|", "0|0|0|0|0|0|0|0|0|",
        "!Module list...",
        "1|57,0,0,|System|7|System.BootTrg|$0|$0",
        "2|12,3,-4,checked, 2026\\by JB|TANK|5|X.Y|TANK.Lvl|$40F100|$40F10B",
        "!Display definition",
        "~Main|0|1|0|System.BootTrg|", "Level @@@.@ ft|TANK.Lvl|2|3|4|5|6|7|8|9|10", "", "!",
        "!TX telemetry definition",
        "1|1|2|1|0|FLOW|1.0|Integer|||",
        "!RX telemetry definition",
        "1|2|1|1|0|LVL||Float||1000010|",
        "1|2|1|2|1|RUN||Status|||",
        "!Ladder definition",
        "8|2|2|2|2|2|2|9|TANK.Lvl|||||||PUMP|5|0|$40A000|",
        "7|10|0|0|0|0|0|0|PUMP||||||||0|0|$0|",
        "!Tables",
        "~CURVE|R|W|T|2|3|4|$0|$0|", "Float|A|W1|1.5||2.5|A.TBL", "", "Float||W2|1||3|.TBL",
        "!Speech"};
    std::vector<std::string> lines = splitLines(bytes);
    ASSERT_GT(lines.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + static_cast<long>(expected.size())), expected);
    // Messages 1 to 40 (40 is the last one used, 2 was emptied), the report, then BASIC and the end.
    const std::size_t speech = expected.size();
    EXPECT_EQ(lines[speech], "Zero");
    EXPECT_EQ(lines[speech + 1], "");
    EXPECT_EQ(lines[speech + 39], "Pump");
    EXPECT_EQ(lines[speech + 40], "~ALARMS|T1|T2|T3|T4|T5|3|");
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string> {"!Basic", "PUMP1|PUMPCTL.BAS|ITANK.Lvl||fPUMP1.SPEED|nPUMP1.RUN!|$0|$0",
                                         "!End of job"}));
    // Every line ends with CR LF.
    EXPECT_EQ(bytes.size(), joinLines(lines).size());
}

TEST(ProjectFile, FormatRulesThatReadingReliesOn) {
    const ModuleLibrary library = smallLibrary();
    Project p;
    // Rungs whose cells are all 0 or 1 are not written; the next rung moves up.
    p.ladderRows[0].kinds = {1, 1, 1, 1, 1, 1, 1, 1};
    p.ladderRows[0].texts[7] = "LOST";
    p.ladderRows[3].kinds = {8, 0, 0, 0, 0, 0, 0, 9};
    // A TX row without a port is not written.
    p.txRows = {row({"", "1", "2", "3", "4", "X", "", "Integer", "", ""}), row({"2", "", "5", "1", "0", "PUMP", "", "Integer", "", ""})};
    // Speech messages are written only with reports.
    p.speechMessages[1] = "Nil";
    const auto lines = buildProjectFileLines(p, library, "now");
    Project read;
    ASSERT_TRUE(parse(lines, read, library).ok());
    EXPECT_EQ(read.ladderRows[0].kinds, p.ladderRows[3].kinds);
    EXPECT_FALSE(read.ladderRows[3].isUsed());
    EXPECT_EQ(read.ladderGridRows, 10);
    ASSERT_EQ(read.txRows.size(), 1u);
    EXPECT_EQ(read.txRows[0][TlmName], "PUMP");
    EXPECT_EQ(read.speechMessages[1], "Zero");
}

TEST(ProjectFile, ShortHeaderTextsReadEmptyAndNotesKeepTheirLineBreaks) {
    const ModuleLibrary library = smallLibrary();
    Project read;
    ASSERT_TRUE(parse({"!LCD display choice|x|5.|ab|ab\\cd", "9|0", "!Card Configuration...", "!Module list...",
                       "!Display definition", "!TX", "!RX", "!Ladder definition", "!End of job"},
                      read, library)
                    .ok());
    EXPECT_EQ(read.versionAtLastSave, "");
    EXPECT_EQ(read.dateOfLastSave, "");
    EXPECT_EQ(read.projectNotes, "ab\r\ncd");
    EXPECT_EQ(read.cardCage.unitType, CardCage::UnitType::ZEX7);
    EXPECT_EQ(read.instanceCount(), 0);
    EXPECT_TRUE(read.tables.empty());
    EXPECT_TRUE(read.basicModules.empty());
}

TEST(ProjectFile, SpeechMessagesKeepTheirNumbersAcrossEmptyOnes) {
    const ModuleLibrary library = smallLibrary();
    Project p;
    p.speechMessages = {};
    p.speechMessages[1] = "Pump";
    p.speechMessages[3] = "Well";
    p.speechReports = {"~R|||||||1|", "1|2|"};
    const auto lines = buildProjectFileLines(p, library, "now");
    const auto speech = std::find(lines.begin(), lines.end(), "!Speech");
    ASSERT_NE(speech, lines.end());
    EXPECT_EQ(std::vector<std::string>(speech + 1, speech + 4), (std::vector<std::string> {"Pump", "", "Well"}));
    Project read;
    ASSERT_TRUE(parse(lines, read, library).ok());
    EXPECT_EQ(read.speechMessages[1], "Pump");
    EXPECT_EQ(read.speechMessages[2], "");
    EXPECT_EQ(read.speechMessages[3], "Well");
    EXPECT_EQ(read.speechMessages[4], "Three");  // beyond the stored ones the defaults stay
    EXPECT_EQ(read.speechReports, p.speechReports);
}

TEST(ProjectFile, LenientReadingOfHandWrittenLines) {
    const ModuleLibrary library = smallLibrary();
    Project read;
    ASSERT_TRUE(parse({"!Unit type|LCD display choice|5.63|d|", "5", "anything",
                       "1|2|3", "", "0|0|0|0|0|0|0|0|4|", "!Module list...",
                       "", "2|12|T1|$7|b",                       // "$7" in an input place is a value
                       "2|12,,,|T2|1|2|X|$10|$1F",               // empty numbers are 0
                       "2|99,0,0,n,o,t,e|ORPHAN|a|b|c|$20|$2F",  // no such definition: values kept
                       "!Display definition", "!TX", "!RX", "!Ladder definition", "1|2", "!End of job"},
                      read, library)
                    .ok());
    EXPECT_EQ(read.cardCage.unitType, CardCage::UnitType::ZEX3);
    EXPECT_EQ(read.cardCage.lcdType, CardCage::LcdType::Large);
    EXPECT_EQ(read.cardCage.cages[1], (std::array<int, 9> {1, 2, 3, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(read.cardCage.cages[2][8], 4);
    ASSERT_EQ(read.instanceCount(), 3);
    EXPECT_EQ(read.instance(1).bindings[1], "$7");
    EXPECT_EQ(read.instance(1).bindings[2], "b");
    EXPECT_EQ(read.instance(1).bindings[3], "T1.Lvl");
    EXPECT_EQ(read.instance(2).ramStart, 0x10u);
    EXPECT_EQ(read.instance(2).ramEnd, 0x1Fu);
    const Jobrecord& orphan = read.instance(3);
    EXPECT_EQ(orphan.notes, "n,o,t,e");
    EXPECT_EQ(orphan.bindings[3], "c");
    EXPECT_EQ(orphan.ramEnd, 0x2Fu);
    EXPECT_EQ(read.ladderRows[0].kinds[1], 2);
    EXPECT_EQ(read.ladderRows[0].offDelay, "");

    // Saving without the definition keeps the values that were read.
    EXPECT_EQ(buildProjectFileLines(read, library, "now")[14], "2|99,0,0,n,o,t,e|ORPHAN|a|b|c|$20|$2F");
}

namespace {

std::vector<std::string> minimalFile(std::vector<std::string> modules, std::vector<std::string> ladder = {}) {
    std::vector<std::string> lines = {"!Unit type|LCD display choice|5.63|d|", "9|0", "!Card Configuration...",
                                      "!Module list..."};
    lines.insert(lines.end(), modules.begin(), modules.end());
    for (const char* s : {"!Display definition", "!TX telemetry definition", "!RX telemetry definition", "!Ladder definition"})
        lines.push_back(s);
    lines.insert(lines.end(), ladder.begin(), ladder.end());
    lines.push_back("!End of job");
    return lines;
}

struct BadFile {
    const char* what;
    std::vector<std::string> lines;
    const char* expected;  // part of the message
};

}  // namespace

TEST(ProjectFile, BadInputIsReportedWithFileAndLine) {
    const ModuleLibrary library = smallLibrary();
    std::vector<std::string> tooManyInstances;
    for (int i = 0; i <= MaxInstances; ++i) tooManyInstances.push_back("2|12,0,0,|T" + std::to_string(i) + "|1|2|x|$0|$0");
    std::vector<std::string> tooManyRungs(MaxLadderRows + 1, "2|2|0|0|0|0|0|9|A||||||||B|0|0|$0|");
    std::vector<std::string> tooManyMessages = minimalFile({});
    tooManyMessages.back() = "!Tables";
    tooManyMessages.push_back("!Speech");
    for (int i = 0; i <= SpeechMessageCount; ++i) tooManyMessages.push_back("Word");
    tooManyMessages.push_back("!End of job");
    std::vector<std::string> longLine = minimalFile({std::string(2 << 20, 'x')});

    const BadFile cases[] = {
        {"unit type", {"!Unit type|", "nine|0"}, "line 2"},
        {"card slot", {"!Unit type|", "9|0", "!Card", "0|1|two|"}, "line 4"},
        {"category", minimalFile({"x|12,0,0,|T|1|2|T.Lvl|$0|$0"}), "line 5"},
        {"definition", minimalFile({"2|1 2,0,0,|T|1|2|T.Lvl|$0|$0"}), "line 5"},
        {"aux value", minimalFile({"2|12,0,z,|T|$0|$0"}), "line 5"},
        {"ladder cell", minimalFile({}, {"2|coil|0|0|0|0|0|9|"}), "line 9"},
        {"1001 instances", minimalFile(tooManyInstances), "more than 1000 module instances"},
        {"201 rungs", minimalFile({}, tooManyRungs), "more than 200 ladder rows"},
        {"256 messages", tooManyMessages, "more than 255 speech messages"},
        {"line length", longLine, "line 5"},
        {"cut short", {"!Unit type|", "9|0", "!Card Configuration...", "!Module list...", "2|12,0,0,|T|1|2|T.Lvl|$0|$0"},
         "ends before \"!End of job\""},
    };
    for (const BadFile& c : cases) {
        Project read;
        const ProjectFileResult result = parse(c.lines, read, library);
        EXPECT_EQ(result.status, ProjectFileResult::Status::Unreadable) << c.what;
        EXPECT_NE(result.message.find("P.zxn"), std::string::npos) << c.what << ": " << result.message;
        EXPECT_NE(result.message.find(c.expected), std::string::npos) << c.what << ": " << result.message;
    }
}

TEST(ProjectFile, AFileThatIsNoProjectIsRecognised) {
    const ModuleLibrary library = smallLibrary();
    const std::vector<std::vector<std::string>> cases = {
        {}, {""}, {"!Unit typ|LCD display choice|5.63"}, {"Unit type|x"}, {"\x7f" "ELF\x02\x01", "\xff\xfe"}};
    for (const auto& lines : cases) {
        Project read;
        const ProjectFileResult result = parse(lines, read, library);
        EXPECT_EQ(result.status, ProjectFileResult::Status::NotProject);
        EXPECT_EQ(result.message, "Referenced file is not Z7/Z3 program.");
    }
}

TEST(ProjectFile, EveryTruncationOfAFileIsHandled) {
    const ModuleLibrary library = smallLibrary();
    // Cut at every line end, and in the middle of every line.
    const std::vector<std::string> lines = buildProjectFileLines(everySectionProject(), library, "now");
    std::string prefix;
    for (const std::string& line : lines) {
        for (const std::string& cutText : {prefix + line.substr(0, line.size() / 2), prefix + line}) {
            Project read;
            const ProjectFileResult result = parse(splitLines(cutText), read, library);
            if (!result.ok()) {
                EXPECT_FALSE(result.message.empty()) << cutText.size();
            }
        }
        prefix += line + "\r\n";
    }
    // Binary noise after a valid header.
    std::string noise = "!Unit type|\r\n";
    for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 7919) % 256);
    Project read;
    EXPECT_FALSE(parse(splitLines(noise), read, library).ok());
}

TEST(ProjectFile, UnreadableAndUnwritableFilesNameThePath) {
    const ModuleLibrary library = smallLibrary();
    test::TempDir dir;
    Project read;
    const ProjectFileResult missing = readProjectFile(dir.file("none.zxn"), read, library);
    EXPECT_EQ(missing.status, ProjectFileResult::Status::Unreadable);
    EXPECT_NE(missing.message.find(dir.file("none.zxn")), std::string::npos);
    EXPECT_FALSE(readProjectFile(dir.dir(), read, library).ok());

    std::string error;
    EXPECT_FALSE(writeProjectFile(read, library, dir.file("no/such/folder/P.zxn"), "now", error));
    EXPECT_NE(error.find("P.zxn"), std::string::npos);
}
