#include "app/Project.h"

#include <gtest/gtest.h>

using namespace z7;

TEST(Project, NewProjectHoldsOnlyTheSystemInstance) {
    Project p;
    ASSERT_EQ(p.instanceCount(), 1);
    const Jobrecord& system = p.instance(1);
    EXPECT_EQ(system.name, "System");
    EXPECT_EQ(system.definitionNumber, 57);
    EXPECT_EQ(system.category, 1);
    EXPECT_EQ(system.ramStart, 0u);
    EXPECT_EQ(system.ramEnd, 0u);
    for (int b = 1; b <= 10; ++b) EXPECT_EQ(system.bindings[static_cast<std::size_t>(b)], "");
    EXPECT_EQ(system.bindings[11], "System.BootTrg");
    EXPECT_EQ(system.bindings[12], "System.SecTrg");
    EXPECT_EQ(system.bindings[13], "System.Logon");
    EXPECT_EQ(p.cardCage.unitType, CardCage::UnitType::ZEX7);
    EXPECT_EQ(p.cardCage.lcdType, CardCage::LcdType::Large);
    EXPECT_EQ(p.speechMessages[1], "Zero");
    EXPECT_EQ(p.speechMessages[34], "Minus");
    EXPECT_EQ(p.speechMessages[35], "");
    EXPECT_EQ(p.ladderGridRows, 10);
    EXPECT_EQ(p.ladderRows[0].onDelay, "0");
    EXPECT_EQ(p.controllerOsVersion, "5.63");
}

TEST(Project, ResetEmptiesEverythingTheFileStores) {
    Project p;
    p.appendInstance(Jobrecord {});
    p.displays = {"~D|0|1|0||"};
    p.tables = {"~T|"};
    p.speechMessages[1] = "Nil";
    p.speechReports = {"~R|"};
    p.basicModules = {"B|B.BAS|$0|$0"};
    p.txRows.resize(2);
    p.ladderRows[5].kinds[0] = 8;
    p.ladderGridRows = 40;
    p.cardCage.cages[3][2] = 4;
    p.projectNotes = "notes";
    p.fileName = "x.zxn";
    p.resetToNew();
    EXPECT_EQ(p.instanceCount(), 1);
    EXPECT_TRUE(p.displays.empty() && p.tables.empty() && p.speechReports.empty() && p.basicModules.empty());
    EXPECT_TRUE(p.txRows.empty());
    EXPECT_EQ(p.speechMessages[1], "Zero");
    EXPECT_FALSE(p.ladderRows[5].isUsed());
    EXPECT_EQ(p.ladderGridRows, 10);
    EXPECT_EQ(p.cardCage, CardCage {});
    EXPECT_EQ(p.projectNotes, "");
    EXPECT_EQ(p.fileName, "");
}

TEST(Project, TheThousandFirstInstanceIsRefused) {
    Project p;
    Jobrecord r;
    r.name = "M";
    while (p.instanceCount() < MaxInstances) ASSERT_TRUE(p.appendInstance(r));
    r.name = "OVER";
    EXPECT_FALSE(p.appendInstance(r));
    EXPECT_EQ(p.instanceCount(), MaxInstances);
    EXPECT_EQ(p.instance(MaxInstances).name, "M");

    p.removeInstance(0);
    p.removeInstance(MaxInstances + 1);
    EXPECT_EQ(p.instanceCount(), MaxInstances);
    p.removeInstance(1);
    EXPECT_EQ(p.instanceCount(), MaxInstances - 1);
    EXPECT_TRUE(p.appendInstance(r));
}

TEST(Project, MarksAndStatusTexts) {
    Project p;
    int shown = 0;
    p.onMarksChanged = [&] { ++shown; };
    EXPECT_EQ(p.marksText(), "");
    p.markChanged();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(p.entriesChanged);
    EXPECT_EQ(p.marksText(), "  Need to save...  Need to compile...");
    p.needToSave = false;
    EXPECT_EQ(p.marksText(), "  Need to compile...");
    p.usedRamBytes = 6308;
    p.usedFlashBytes = 5240;
    EXPECT_EQ(p.ramUseText(), "Ram= 6308/200704");
    EXPECT_EQ(p.flashUseText(), "Flash= 5240/262144");
}

TEST(Project, RungIsStoredOnlyWithACellAboveBlank) {
    LadderRung rung;
    EXPECT_FALSE(rung.isUsed());
    rung.kinds = {1, 1, 1, 1, 1, 1, 1, 1};
    rung.texts[7] = "TAG";
    EXPECT_FALSE(rung.isUsed());
    rung.kinds[7] = 9;
    EXPECT_TRUE(rung.isUsed());
}

TEST(Project, EntryCodeLetters) {
    struct Case {
        char letter;
        DatabaseKind kind;
        const char* caption;
    };
    const Case cases[] = {{'F', DatabaseKind::Float, "Floating Pt"}, {'I', DatabaseKind::Integer, "Integer"},
                          {'D', DatabaseKind::Status, "Status"},     {'S', DatabaseKind::String, "Strings"},
                          {'T', DatabaseKind::Tx, "TX"},             {'A', DatabaseKind::Rx, "RX"}};
    for (const Case& c : cases) {
        DatabaseKind kind;
        ASSERT_TRUE(databaseKindOfLetter(c.letter, kind));
        EXPECT_EQ(kind, c.kind);
        EXPECT_EQ(letterOf(kind), c.letter);
        EXPECT_STREQ(tabCaptionOf(kind), c.caption);
    }
    DatabaseKind kind;
    EXPECT_FALSE(databaseKindOfLetter('X', kind));
    const ModuleEntry entry {"FOAT", "Prompt", "Sfx"};
    EXPECT_EQ(entry.databaseLetter(), 'F');
    EXPECT_EQ(entry.direction(), 'O');
    EXPECT_TRUE(entry.isArray());
    EXPECT_EQ(entry.grouping(), 'T');
    EXPECT_EQ(ModuleEntry {}.letter(1), ' ');
}
