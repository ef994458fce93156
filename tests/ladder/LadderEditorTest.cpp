#include "ladder/LadderEditor.h"

#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace z7 {
namespace {

class LadderEditorTest : public ::testing::Test {
protected:
    Project project;
    test::ScriptedDialogs dialogs;
    ModuleLibrary library;
    ProjectLists lists;
    ListsRefresh refresh {library, lists};
    LadderEditor editor {project, dialogs, refresh};

    LadderRung& row(int r) { return project.ladderRows[static_cast<std::size_t>(r)]; }
    void clearMarks() { project.needToSave = project.needToCompile = project.entriesChanged = false; }
};

TEST_F(LadderEditorTest, PlacementRuleByKindAndColumn) {
    struct Case { int kind; int column; int stored; };
    const Case cases[] = {
        {CellCoil, 3, 0},        {CellOpen, 7, 0},         {CellCoil, 7, CellCoil},
        {CellOpen, 0, CellOpen}, {CellBlank, 7, CellBlank}, {CellDown, 6, CellDown},
    };
    for (const Case& c : cases) {
        project.resetLadder();
        clearMarks();
        editor.setCurrentKind(c.kind);
        editor.clickCell(c.column, 1);
        EXPECT_EQ(row(1).kinds[static_cast<std::size_t>(c.column)], c.stored) << c.kind << " in " << c.column;
        EXPECT_TRUE(project.needToSave) << "every click marks the project changed";
    }
}

TEST_F(LadderEditorTest, BlankErasesTextAndCoilOpensPanelWithRowValues) {
    row(2).texts[3] = "Pump.Run";
    editor.setCurrentKind(CellBlank);
    editor.clickCell(3, 2);
    EXPECT_EQ(row(2).texts[3], "");

    row(4).texts[7] = "Old.Coil";
    row(4).onDelay = "5";
    row(4).offDelay = "Delay.Off";
    editor.setCurrentKind(CellCoil);
    editor.clickCell(7, 4);
    const auto& panel = editor.coilPanel();
    EXPECT_TRUE(panel.visible);
    EXPECT_EQ(panel.tag, "Old.Coil");
    EXPECT_EQ(panel.onDelay, "5");
    EXPECT_EQ(panel.offDelay, "Delay.Off");
}

TEST_F(LadderEditorTest, CoilPanelCloseStoresTagDelaysAndListsTheCoil) {
    struct Case { const char* typed; const char* stored; };
    const Case cases[] = {{"B.Out", "B.Out"}, {"Alarm", "Alarm.Coil"}, {"", ""}};
    for (const Case& c : cases) {
        editor.setCurrentKind(CellCoil);
        editor.clickCell(7, 1);
        row(1).statusAddress = 0x40F010;
        editor.coilPanel().tag = c.typed;
        editor.coilPanel().onDelay = std::string(50, '7');
        editor.dropOffDelay("Off.Time");
        ASSERT_TRUE(editor.closeCoilPanel());
        EXPECT_EQ(row(1).texts[7], c.stored);
        EXPECT_EQ(row(1).onDelay, std::string(40, '7'));
        EXPECT_EQ(row(1).offDelay, "Off.Time");
        EXPECT_EQ(row(1).statusAddress, 0u);
        EXPECT_FALSE(editor.coilPanel().visible);
    }
    row(1).texts[7] = "Alarm.Coil";
    editor.clickCell(7, 1);
    ASSERT_TRUE(editor.closeCoilPanel());
    const auto& status = lists.namesOf(DatabaseKind::Status);
    EXPECT_NE(std::find(status.begin(), status.end(), "Alarm.Coil"), status.end());
}

TEST_F(LadderEditorTest, CoilTagWithBarIsRefusedAndPanelStaysOpen) {
    editor.clickCell(7, 0);
    editor.coilPanel().tag = "A|B";
    EXPECT_FALSE(editor.closeCoilPanel());
    EXPECT_TRUE(editor.coilPanel().visible);
    EXPECT_EQ(row(0).texts[7], "");
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(LadderEditorTest, GridGrowsNearItsEndUpTo199Rows) {
    editor.clickCell(0, 7);
    EXPECT_EQ(editor.gridRows(), 10);
    editor.clickCell(0, 8);
    EXPECT_EQ(editor.gridRows(), 12);
    project.ladderGridRows = 198;
    editor.clickCell(0, 197);
    EXPECT_EQ(editor.gridRows(), 199);
    editor.clickCell(0, 198);
    EXPECT_EQ(editor.gridRows(), 199);
    editor.clickCell(0, 199);  // outside the grid
    EXPECT_EQ(editor.currentRow(), 198);
}

TEST_F(LadderEditorTest, DropsOnCellsAndDelayFields) {
    row(0).kinds[2] = CellOpen;
    editor.dropName(2, 0, "Level.Hi");
    EXPECT_EQ(row(0).texts[2], "Level.Hi");
    EXPECT_EQ(row(0).kinds[2], CellOpen);
    clearMarks();
    editor.dropName(7, 0, "Level.Hi");
    EXPECT_EQ(row(0).texts[7], "");
    EXPECT_FALSE(project.needToSave);
    editor.dropName(2, 50, "Level.Hi");  // below the grid
    EXPECT_EQ(row(50).texts[2], "");
}

TEST_F(LadderEditorTest, HoverShowsRungNumberAndDelaysOverCoilColumnOnly) {
    row(3).texts[7] = "Y.Coil";
    row(3).texts[1] = "A";
    row(3).onDelay = "2";
    auto info = editor.hover(7, 3);
    EXPECT_EQ(info.rungNumber, "4");
    EXPECT_EQ(info.cellName, "Y.Coil");
    EXPECT_EQ(info.onDelay, "2");
    EXPECT_EQ(info.offDelay, "0");
    info = editor.hover(1, 3);
    EXPECT_EQ(info.cellName, "A");
    EXPECT_EQ(info.onDelay, "");
}

TEST_F(LadderEditorTest, InsertRowMovesRowsDownWithDelays) {
    for (int r = 0; r < 4; ++r) {
        row(r).texts[0] = "R" + std::to_string(r);
        row(r).onDelay = std::to_string(r + 10);
        row(r).statusAddress = 0x40F000u + 4u * static_cast<unsigned>(r);
    }
    editor.clickCell(0, 2);
    clearMarks();
    ASSERT_TRUE(editor.insertRow());
    EXPECT_EQ(editor.gridRows(), 11);
    EXPECT_EQ(row(2), LadderRung {});
    EXPECT_EQ(row(2).onDelay, "0");
    EXPECT_EQ(row(3).texts[0], "R2");
    EXPECT_EQ(row(3).onDelay, "12");
    EXPECT_EQ(row(3).statusAddress, 0x40F008u);
    EXPECT_EQ(row(4).texts[0], "R3");
    EXPECT_EQ(row(1).texts[0], "R1");
    EXPECT_TRUE(project.needToSave);
}

TEST_F(LadderEditorTest, InsertRowIsRefusedWhenTheLastRowWouldBeLost) {
    project.ladderGridRows = MaxLadderRows;
    row(MaxLadderRows - 1).texts[0] = "Last";
    editor.clickCell(0, 5);
    EXPECT_FALSE(editor.insertRow());
    EXPECT_EQ(row(MaxLadderRows - 1).texts[0], "Last");
    EXPECT_EQ(dialogs.shown.size(), 1u);

    row(MaxLadderRows - 1) = LadderRung {};
    row(5).texts[0] = "Moves";
    EXPECT_TRUE(editor.insertRow());
    EXPECT_EQ(row(6).texts[0], "Moves");
    EXPECT_EQ(editor.gridRows(), MaxLadderRows);
}

TEST_F(LadderEditorTest, DeleteRowMovesRowsUpAndEmptiesTheLastGridRow) {
    for (int r = 0; r < 10; ++r) {
        row(r).texts[0] = "R" + std::to_string(r);
        row(r).statusAddress = 0x40F000u + 4u * static_cast<unsigned>(r);
    }
    editor.clickCell(0, 1);  // grid stays 10 rows
    editor.deleteRow();
    EXPECT_EQ(editor.gridRows(), 10);
    EXPECT_EQ(row(1).texts[0], "R2");
    EXPECT_EQ(row(1).statusAddress, 0x40F008u);
    EXPECT_EQ(row(8).texts[0], "R9");
    EXPECT_EQ(row(9), LadderRung {});
}

TEST_F(LadderEditorTest, NewLadderEmptiesAllRows) {
    row(150).texts[3] = "X";
    row(150).kinds[3] = CellOpen;
    project.ladderGridRows = 160;
    editor.newLadder();
    EXPECT_EQ(row(150), LadderRung {});
    EXPECT_EQ(editor.gridRows(), 10);
}

}  // namespace
}  // namespace z7
