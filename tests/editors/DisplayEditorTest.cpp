#include "editors/DisplayEditor.h"

#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace z7 {
namespace {

class DisplayEditorTest : public ::testing::Test {
protected:
    Project project;
    test::ScriptedDialogs dialogs;
    DisplayEditor editor {project, dialogs};

    void typeDisplay(const std::string& name, int port, int number, const std::string& text) {
        editor.newDisplay();
        editor.header().name = name;
        editor.header().port = port;
        editor.header().number = number;
        editor.setText(text);
    }
};

TEST_F(DisplayEditorTest, SaveResetsSlotsPastTheFieldCountAndAppendsTheDisplay) {
    project.displays = {"~Other|0|1|0|T.Trig|", "Hello|1|2|3|4|5|6|7|8|9|10"};
    typeDisplay("Tank", 0, 2, "Level @@@.@ ft\r\nFlow @@.@ @@@@ gal\r\nEnd");
    editor.moveCaret(16);  // on the second line
    ASSERT_EQ(editor.caretLine(), 1);
    for (int slot = 0; slot < 4; ++slot) editor.dropOnSlot(slot * 13 + 5, "Var.Out" + std::to_string(slot));
    editor.dropOnSlot(130, "Ignored");
    editor.dropOnTrigger("Tank.Trig");
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(project.displays, (std::vector<std::string> {
                                    "~Other|0|1|0|T.Trig|",
                                    "Hello|1|2|3|4|5|6|7|8|9|10",
                                    "~Tank|0|2|0|Tank.Trig|",
                                    "Level @@@.@ ft|1|2|3|4|5|6|7|8|9|10",
                                    "Flow @@.@ @@@@ gal|Var.Out0|Var.Out1|3|4|5|6|7|8|9|10",
                                    "End|1|2|3|4|5|6|7|8|9|10",
                                }));
    EXPECT_FALSE(editor.visible());
    EXPECT_TRUE(project.needToSave);
    EXPECT_EQ(editor.displayList(), (std::vector<std::string> {"Port 0...", "Other", "Tank"}));

    // Saving again under the same name replaces it at the end of the list.
    editor.editDisplay("Other");
    EXPECT_EQ(editor.textLines(), std::vector<std::string> {"Hello"});
    EXPECT_EQ(editor.slots(0)[0], "1");
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(project.displays[0], "~Tank|0|2|0|Tank.Trig|");
    EXPECT_EQ(project.displays[4], "~Other|0|1|0|T.Trig|");
}

TEST_F(DisplayEditorTest, EditLoadsHeaderTextAndSlots) {
    project.displays = {"~Pumps|3|7|2|P.Trig|", "Run @@ x|Pump.Run|2|3|4|5|6|7|8|9|10", "@T|Trend1|2|3|4|5|6|7|8|9|10"};
    editor.editDisplay("Port 0...");  // a port line matches nothing
    EXPECT_FALSE(editor.visible());
    editor.editDisplay("Pumps");
    EXPECT_TRUE(editor.visible());
    EXPECT_EQ(editor.header().port, 3);
    EXPECT_EQ(editor.header().number, 7);
    EXPECT_EQ(editor.fontPoints(), 40);
    EXPECT_EQ(editor.header().trigger, "P.Trig");
    EXPECT_EQ(editor.textLines(), (std::vector<std::string> {"Run @@ x", "@T"}));
    EXPECT_EQ(editor.caretSlots()[0], "Pump.Run");
    editor.moveCaret(10);
    EXPECT_EQ(editor.caretSlots()[0], "Trend1");
    EXPECT_FALSE(editor.changed());
}

TEST_F(DisplayEditorTest, MessagesForNamesSelectionDeleteAndCancel) {
    typeDisplay("T", 0, 1, "x");
    EXPECT_FALSE(editor.save());
    typeDisplay("Ta|b", 0, 1, "x");
    EXPECT_FALSE(editor.save());
    typeDisplay("Tab", 0, 1, "a|b");
    EXPECT_FALSE(editor.save());
    EXPECT_TRUE(project.displays.empty());
    editor.editDisplay("");
    EXPECT_EQ(dialogs.shown.front(), "error: You must name the display before saving");
    EXPECT_EQ(dialogs.shown.back(), "error: You must first select an entry");

    project.displays = {"~A1|0|1|0||", "x|1|2|3|4|5|6|7|8|9|10", "~B1|0|2|0||", "y|1|2|3|4|5|6|7|8|9|10"};
    dialogs.confirmAnswers = {false, true};
    editor.deleteDisplay("A1");
    EXPECT_EQ(project.displays.size(), 4u);
    editor.deleteDisplay("A1");
    EXPECT_EQ(project.displays, (std::vector<std::string> {"~B1|0|2|0||", "y|1|2|3|4|5|6|7|8|9|10"}));

    for (int edit = 0; edit < 3; ++edit) {
        editor.editDisplay("B1");
        if (edit == 0) editor.setFont(1);
        if (edit == 1) editor.dropOnSlot(0, "V.Out");
        if (edit == 2) editor.dropOnTrigger("T.Trig");
        dialogs.confirmAnswers = {false};
        EXPECT_FALSE(editor.cancel()) << edit;
        EXPECT_TRUE(editor.cancel());
        EXPECT_FALSE(editor.visible());
    }
}

TEST_F(DisplayEditorTest, IndexByPortAndNumber) {
    project.displays = {"~First|2|5|0||", "a|1|2|3|4|5|6|7|8|9|10", "~Main|0|1|0||", "~Later|2|5|0||", "~Far|26|1|0||",
                        "~Big|1|101|0||", "~Second|2|3|0||"};
    EXPECT_EQ(displayListLines(project.displays),
              (std::vector<std::string> {"Port 0...", "Main", "Port 1...", "Port 2...", "Second", "Later"}));
    EXPECT_TRUE(removeDisplay(project.displays, "First"));
    EXPECT_EQ(project.displays[0], "~Main|0|1|0||");
    EXPECT_FALSE(removeDisplay(project.displays, "First"));
}

TEST_F(DisplayEditorTest, FieldsOfADisplayText) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"Flow @@@.@ gal", {"@@@.@"}},
        {"@T trend @E @H@V", {"@T", "@E", "@H", "@V"}},
        {"a@b @.@ @", {"@b", "@.@", "@"}},
        {"no fields.", {}},
    };
    for (const auto& [text, fields] : cases) EXPECT_EQ(displayFields(text), fields) << text;
}

}  // namespace
}  // namespace z7
