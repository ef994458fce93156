#include "compiler/TableEditor.h"

#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace z7 {
namespace {

class TableEditorTest : public ::testing::Test {
protected:
    Project project;
    test::ScriptedDialogs dialogs;
    ModuleLibrary library;
    ProjectLists lists;
    ListsRefresh refresh {library, lists};
    TableEditor editor {project, dialogs, refresh};

    void typeTable(const std::string& name) {
        editor.newTable();
        editor.header().name = name;
        editor.setRows(2);
        editor.setColumns(2);
        editor.editCell(TgRowName, 1, "Low");
        editor.editCell(TgFirstData, 1, "5");
        editor.dropOnGrid(TgFirstData + 1, 1, "Lim.A");
        editor.editCell(TgRowName, 2, "High");
        editor.dropOnSelector(TableSelector::Read, "Col.Sel");
    }
};

TEST_F(TableEditorTest, NewTableDefaultsWithoutTouchingTheMarks) {
    project.needToSave = true;
    project.needToCompile = false;
    editor.newTable();
    EXPECT_TRUE(editor.visible());
    EXPECT_EQ(editor.gridRows(), 6);
    EXPECT_EQ(editor.gridColumns(), 10);
    EXPECT_EQ(editor.header().chars, 20);
    EXPECT_EQ(editor.cell(TgType, 5), "Integer");
    EXPECT_EQ(editor.cell(0, 5), "5");
    EXPECT_EQ(editor.cell(TgFirstData + 4, 0), "5");
    EXPECT_EQ(editor.cell(editor.outputColumn(), 0), "OUTPUT");
    EXPECT_TRUE(project.needToSave);
    EXPECT_FALSE(project.needToCompile);
    EXPECT_FALSE(project.entriesChanged);
}

TEST_F(TableEditorTest, SaveAppendsTheTableAndReplacesOneOfTheSameName) {
    project.tables = {"~Tank|A|||1|1|20|0|$40F000|$40F00F|", "Integer|Old||1|Old.TBL|", "~Other|B|||1|1|20|0|$0|$0|",
                      "Integer|Keep||2|Keep.TBL|"};
    typeTable("Tank");
    editor.setRowTypeChoice(1);
    editor.clickCell(TgType, 2);
    ASSERT_TRUE(editor.saveToProject());
    EXPECT_EQ(project.tables, (std::vector<std::string> {
                                  "~Other|B|||1|1|20|0|$0|$0|",
                                  "Integer|Keep||2|Keep.TBL|",
                                  "~Tank|Col.Sel|||2|2|20|1|$0|$0|",
                                  "Integer|Low||5|Lim.A|Low.TBL|",
                                  "Float|High||||High.TBL|",
                              }));
    EXPECT_FALSE(project.entriesChanged);
    const auto& integers = lists.namesOf(DatabaseKind::Integer);
    EXPECT_NE(std::find(integers.begin(), integers.end(), "Low.TBL"), integers.end());
}

TEST_F(TableEditorTest, EditLoadsTheTableAndAnUnchangedSaveKeepsItsBlock) {
    project.tables = {"~Tank|Col.Sel|W.Sel|W.Trig|2|2|24|2|$40F010|$40F03F|", "String|Low|In.A|x||Low.TBL|", "Float|High||||"};
    project.needToSave = false;
    editor.editTable("Tank");
    EXPECT_EQ(editor.header().writeTrigger, "W.Trig");
    EXPECT_EQ(editor.header().chars, 24);
    EXPECT_EQ(editor.cell(TgWriteInput, 1), "In.A");
    EXPECT_EQ(editor.cell(TgFirstData, 1), "x");
    EXPECT_EQ(editor.cell(editor.outputColumn(), 2), "High.TBL");
    EXPECT_FALSE(project.needToSave);
    ASSERT_TRUE(editor.saveToProject());
    EXPECT_EQ(project.tables[0], "~Tank|Col.Sel|W.Sel|W.Trig|2|2|24|2|$40F010|$40F03F|");
    EXPECT_EQ(project.tables[2], "Float|High||||High.TBL|");
    editor.setChars(30);
    ASSERT_TRUE(editor.saveToProject());
    EXPECT_EQ(project.tables[0], "~Tank|Col.Sel|W.Sel|W.Trig|2|2|30|2|$0|$0|");
}

TEST_F(TableEditorTest, GridEditsDropsAndSpins) {
    editor.newTable();
    dialogs.shown.clear();
    const std::pair<int, bool> drops[] = {{TgNumber, false}, {TgType, false}, {TgRowName, false}, {TgWriteInput, true},
                                          {TgFirstData, true}, {TgFirstData + 4, true}, {TgFirstData + 5, false}};
    for (const auto& [column, allowed] : drops) {
        editor.dropOnGrid(column, 1, "V.Out");
        EXPECT_EQ(editor.cell(column, 1) == "V.Out", allowed) << column;
    }
    EXPECT_EQ(dialogs.shown, std::vector<std::string>(4, "error: You cannot drop into this column"));
    editor.dropOnGrid(TgFirstData, 0, "V.Out");
    EXPECT_EQ(editor.cell(TgFirstData, 0), "1");

    editor.editCell(TgRowName, 3, "Mid");
    EXPECT_EQ(editor.cell(editor.outputColumn(), 3), "Mid.TBL");
    editor.setColumns(3);
    EXPECT_EQ(editor.outputColumn(), 7);
    EXPECT_EQ(editor.cell(7, 3), "Mid.TBL");
    EXPECT_EQ(editor.cell(7, 0), "OUTPUT");
    editor.setRowTypeChoice(3);
    editor.setRows(6);
    EXPECT_EQ(editor.cell(TgType, 6), "Integer");
    EXPECT_EQ(editor.cell(TgRowName, 6), "");
    editor.setRows(2);
    EXPECT_EQ(editor.gridRows(), 3);
    EXPECT_TRUE(project.entriesChanged);
}

TEST_F(TableEditorTest, MessagesAndRemoval) {
    editor.newTable();
    editor.header().name = "T";
    EXPECT_FALSE(editor.saveToProject());
    editor.header().name = "Tank";
    editor.editCell(TgRowName, 1, "a|b");
    EXPECT_FALSE(editor.saveToProject());
    EXPECT_TRUE(project.tables.empty());
    editor.editTable("");
    EXPECT_EQ(dialogs.shown[0], "error: You must name the table before saving");
    EXPECT_EQ(dialogs.shown.back(), "error: You must first select an entry");

    project.tables = {"~A1|x|||1|1|20|0|$0|$0|", "Integer|R||1|R.TBL|", "~|", "~B1|x|||1|1|20|0|$0|$0|", "Integer|S||1|S.TBL|"};
    dialogs.confirmAnswers = {false, true};
    editor.deleteTable("A1");
    EXPECT_EQ(project.tables.size(), 5u);
    editor.deleteTable("A1");
    // "~|" is too short to start a table: it goes with A1.
    EXPECT_EQ(project.tables, (std::vector<std::string> {"~B1|x|||1|1|20|0|$0|$0|", "Integer|S||1|S.TBL|"}));

    editor.setChars(8);
    dialogs.confirmAnswers = {false};
    EXPECT_FALSE(editor.close());
    EXPECT_TRUE(editor.close());
}

}  // namespace
}  // namespace z7
