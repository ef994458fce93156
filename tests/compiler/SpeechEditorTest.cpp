#include "compiler/SpeechEditor.h"

#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace z7 {
namespace {

class SpeechEditorTest : public ::testing::Test {
protected:
    Project project;
    test::ScriptedDialogs dialogs;
    ModuleLibrary library;
    ProjectLists lists;
    ListsRefresh refresh {library, lists};
    SpeechEditor editor {project, dialogs, refresh};
};

TEST_F(SpeechEditorTest, SaveStoresHeaderAndTheLinesThatSaySomething) {
    project.speechReports = {"~Alarm|||||1", "|5|", "~Other|||||2", "|6|"};
    editor.newReport();
    editor.setName("Alarm");
    editor.setBoard(3);
    editor.dropOnVariable(0, "Rep.Trig");
    editor.dropOnGrid(1, 1, "Lvl");           // line enable
    editor.dropOnGrid(2, 1, "Twelve", 13);     // a phrase
    editor.dropOnGrid(3, 1, "Temp");
    editor.dropOnGrid(2, 3, "Four", 5);        // line 2 stays empty
    editor.dropOnGrid(1, 4, "7", 0);           // one character and no phrase: not stored
    editor.dropOnGrid(0, 5, "Ignored");
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(project.speechReports, (std::vector<std::string> {
                                         "~Other|||||2",
                                         "|6|",
                                         "~Alarm|Rep.Trig|||||3",
                                         "Lvl;@@@.@@|13|Temp;@@@.@@|||||||||||||",
                                         "|5||||||||||||||",
                                         "7;@@@.@@|||||||||||||||",
                                     }));
    EXPECT_FALSE(project.entriesChanged);
    EXPECT_TRUE(project.needToSave);
    EXPECT_EQ(lists.speechReportNames, (std::vector<std::string> {"Other", "Alarm"}));
    const auto& integers = lists.namesOf(DatabaseKind::Integer);
    EXPECT_NE(std::find(integers.begin(), integers.end(), "Alarm.Seq"), integers.end());
}

TEST_F(SpeechEditorTest, EditShowsPhraseTextsAndVariableNamesAndGrows) {
    project.speechReports = {"~Big|A.T|B.S|||S.T|2"};
    for (int k = 0; k < 25; ++k) project.speechReports.push_back("|" + std::to_string(k + 1) + "|Lvl;7|");
    project.speechReports.push_back("~Next|||||1");
    editor.editReport("Big");
    EXPECT_EQ(editor.header().variables[4], "S.T");
    EXPECT_EQ(editor.header().board, 2);
    EXPECT_EQ(editor.gridRows(), 26);
    EXPECT_EQ(editor.displayRow(2)[2], "One");
    EXPECT_EQ(editor.displayRow(2)[3], "Lvl");
    EXPECT_EQ(editor.valueRow(2)[3], "Lvl;7");
    EXPECT_EQ(editor.displayRow(0)[15], "PHRASE 14");
    EXPECT_EQ(editor.displayRow(25)[0], "25");

    editor.editReport("Next");
    EXPECT_EQ(editor.gridRows(), 20);
    EXPECT_EQ(editor.valueRow(1)[2], "");
}

TEST_F(SpeechEditorTest, FormatBoxPicturesAndPhrases) {
    editor.newReport();
    editor.dropOnGrid(2, 1, "Lvl");
    editor.clickCell(2, 1);
    ASSERT_TRUE(editor.formatVisible());
    EXPECT_EQ(editor.formatText(), "@@@.@@");
    editor.dropPhraseOnFormat(22);
    EXPECT_EQ(editor.formatText(), "Thirty");
    editor.closeFormat();
    EXPECT_EQ(editor.valueRow(1)[2], "Lvl;22");
    editor.clickCell(2, 1);
    EXPECT_EQ(editor.formatText(), "Thirty");
    editor.typeFormat("@@.@");
    editor.closeFormat();
    EXPECT_EQ(editor.valueRow(1)[2], "Lvl;@@.@");
    EXPECT_FALSE(editor.formatVisible());

    editor.dropOnGrid(1, 2, "Lvl");
    editor.clickCell(1, 2);  // the line enable has no format
    EXPECT_FALSE(editor.formatVisible());
}

TEST_F(SpeechEditorTest, InsertDeleteAndBlankLines) {
    editor.newReport();
    editor.dropOnGrid(2, 1, "One", 2);
    editor.dropOnGrid(2, 2, "Two", 3);
    editor.clickCell(2, 1);
    editor.insertLine();
    EXPECT_EQ(editor.gridRows(), 21);
    EXPECT_EQ(editor.valueRow(1)[2], "");
    EXPECT_EQ(editor.valueRow(2)[2], "2");
    EXPECT_EQ(editor.displayRow(3)[2], "Two");
    EXPECT_EQ(editor.displayRow(20)[0], "20");
    editor.deleteLine();
    EXPECT_EQ(editor.gridRows(), 21);
    EXPECT_EQ(editor.valueRow(1)[2], "2");
    editor.blankCell();  // the selected cell is (2, 1)
    EXPECT_EQ(editor.valueRow(1)[2], "");
    EXPECT_EQ(editor.displayRow(1)[2], "");
    EXPECT_TRUE(editor.changed());
}

TEST_F(SpeechEditorTest, MessagesDeleteAndPhraseEdits) {
    editor.newReport();
    editor.setName("A");
    EXPECT_FALSE(editor.save());
    editor.setName("A|B");
    EXPECT_FALSE(editor.save());
    EXPECT_TRUE(project.speechReports.empty());
    editor.editReport("");  // nothing happens with an empty list
    editor.deleteReport("");
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0], "error: You must name the report before saving");

    project.speechReports = {"~R1|||||1", "|5|", "~R2|||||1"};
    editor.editReport("");
    EXPECT_EQ(dialogs.shown.back(), "error: You must first select an entry");
    project.needToSave = false;
    dialogs.confirmAnswers = {false, true};
    editor.deleteReport("R1");
    EXPECT_EQ(project.speechReports.size(), 3u);
    editor.deleteReport("R1");
    EXPECT_EQ(project.speechReports, std::vector<std::string> {"~R2|||||1"});
    EXPECT_TRUE(project.needToSave);

    project.needToSave = false;
    editor.setPhrase(40, "Pump");
    EXPECT_EQ(project.speechMessages[40], "Pump");
    EXPECT_TRUE(project.needToSave);

    editor.setBoard(2);
    dialogs.confirmAnswers = {false};
    EXPECT_FALSE(editor.close());
    EXPECT_TRUE(editor.close());
    EXPECT_FALSE(editor.visible());
}

}  // namespace
}  // namespace z7
