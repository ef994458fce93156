#include "cards/CardCageEditor.h"

#include "support/ScriptedDialogs.h"

#include "CardTestSupport.h"

#include <gtest/gtest.h>

namespace z7 {
namespace {

const ModuleLibrary& library() {
    static const ModuleLibrary lib = [] {
        ModuleLibrary l;
        std::vector<std::string> messages;
        l.loadFromLines({"1|1|Analog input|d|ICSC.Channel.Chan|ICSC.Card.Card|ICSC.Cage.Cage|FOSS.Value.Val|\\",
                         "2|1|Digital input|d|ICSC.Channel.Chan|ICSC.Card.Card|ICSC.Cage.Cage|DOSS.State.In|\\"},
                        messages);
        return l;
    }();
    return lib;
}

constexpr auto io = test::ioInstance;

struct CardCageEditorTest : ::testing::Test {
    Project project;
    test::ScriptedDialogs dialogs;
    CardCageEditorTest() { project.clearInstances(); }
};

TEST_F(CardCageEditorTest, PaletteAndDrops) {
    CardCageEditor editor(project, library(), dialogs);
    EXPECT_EQ(CardCageEditor::paletteEntries().size(), 17u);
    editor.selectPaletteEntry("Vacant");
    EXPECT_EQ(editor.selection(), 13);

    editor.setCage(2);
    editor.selectPaletteEntry("Modem/RS232");
    EXPECT_EQ(dialogs.shown, std::vector<std::string> {"error: This card is only allowed in first card cage."});
    EXPECT_EQ(editor.selection(), 0);
    project.cardCage.cages[2][4] = 6;
    editor.placeCard(4, CardCageEditor::DropTarget::Frame);
    EXPECT_EQ(project.cardCage.cages[2][4], 0);
    EXPECT_TRUE(project.needToCompile);

    editor.setCage(0);
    EXPECT_EQ(editor.cage(), 1);
    editor.setCage(12);
    EXPECT_EQ(editor.cage(), 8);
    EXPECT_EQ(editor.slot(0).title, "VACANT");
    EXPECT_FALSE(editor.slot(0).cpuVisible);
}

TEST_F(CardCageEditorTest, Zex3RearSlotsTakeOneCardEach) {
    CardCageEditor editor(project, library(), dialogs);
    editor.setCage(3);
    editor.setUnitType(CardCage::UnitType::ZEX3);
    EXPECT_EQ(editor.cage(), 1);
    EXPECT_FALSE(editor.cageChoiceEnabled());
    EXPECT_TRUE(editor.lcdChoiceEnabled());
    EXPECT_EQ(editor.slot(3).caption, "3Rear AI");
    EXPECT_EQ(editor.slot(5).caption, "");
    EXPECT_FALSE(editor.slot(8).enabled);
    using T = CardCageEditor::DropTarget;
    struct Case {
        const char* card;
        int slot;
        T target;
        int stored;
    };
    const std::vector<Case> cases = {
        // A refused drop leaves the slot as it was (2 here).
        {"Digital inputs, 8 ch", 1, T::Frame, 2}, {"Digital inputs, 8 ch", 4, T::Frame, 6}, {"Vacant", 3, T::List, 13},
        {"Vacant", 3, T::Frame, 2},               {"Modem/RS232", 6, T::Frame, 11},       {"Z3 Relay out,4 ch", 2, T::List, 5},
    };
    for (const Case& c : cases) {
        project.cardCage.cages[1][static_cast<std::size_t>(c.slot)] = 2;
        editor.selectPaletteEntry(c.card);
        editor.placeCard(c.slot, c.target);
        EXPECT_EQ(project.cardCage.cages[1][static_cast<std::size_t>(c.slot)], c.stored) << c.card << " " << c.slot;
    }
}

TEST_F(CardCageEditorTest, SlotsShowFacesAndIoModuleNames) {
    project.cardCage.cages[1][3] = 6;
    project.cardCage.cages[1][5] = 25;
    project.cardCage.cages[1][6] = 14;
    project.appendInstance(io("Pump", 2, "5", "3", "1"));
    project.appendInstance(io("Level", 1, "2", "6", "1"));
    project.appendInstance(io("Far", 2, "9", "3", "1"));
    CardCageEditor editor(project, library(), dialogs);
    EXPECT_EQ(editor.slot(3).title, "DIGIN8");
    EXPECT_EQ(editor.slot(3).terminals[3], "Pump");
    EXPECT_EQ(editor.slot(3).terminals[0], "[Chan 8]");
    EXPECT_EQ(editor.slot(5).title, "VACANT");  // code 25 drawn as Vacant, kept in the project
    EXPECT_EQ(project.cardCage.cages[1][5], 25);
    EXPECT_EQ(editor.slot(6).terminals[0], "Level");  // Combo analog input 2 is row 0
    EXPECT_EQ(editor.slot(6).lamps[7], "");
    EXPECT_FALSE(editor.slot(6).lampVisible[7]);
    EXPECT_TRUE(editor.slot(0).cpuVisible);
}

TEST_F(CardCageEditorTest, TerminalClicks) {
    project.cardCage.cages[1][3] = 6;
    project.cardCage.cages[1][6] = 14;
    project.cardCage.cages[1][7] = 17;
    project.appendInstance(io("Pump", 2, "5", "3", "1"));
    CardCageEditor editor(project, library(), dialogs);
    using K = TerminalAction::Kind;
    struct Case {
        int slot, row;
        K kind;
        int channel;
    };
    const std::vector<Case> cases = {
        {6, 3, K::ChooseDigitalInput, 3}, {6, 1, K::ChooseAnalogInput, 1}, {6, 7, K::ChooseDigitalOutput, 1},
        {7, 3, K::NewAnalogOutput, 1},    {3, 4, K::ChooseDigitalInput, 4},
    };
    for (const Case& c : cases) {
        const TerminalAction action = editor.pressTerminal(c.slot, c.row);
        EXPECT_EQ(action.kind, c.kind) << c.slot << " " << c.row;
        ASSERT_TRUE(editor.pointContext());
        EXPECT_EQ(editor.pointContext()->channel, c.channel);
        EXPECT_EQ(editor.pointContext()->slot, c.slot);
        EXPECT_EQ(editor.pointContext()->cage, 1);
    }
    const TerminalAction open = editor.pressTerminal(3, 3);
    EXPECT_EQ(open.kind, K::OpenInstance);
    EXPECT_EQ(open.instanceName, "Pump");
    EXPECT_EQ(editor.pressTerminal(3, 8).kind, K::None);  // the COM row
    EXPECT_EQ(editor.pressTerminal(1, 2).kind, K::None);  // no card
    editor.close();
    EXPECT_FALSE(editor.pointContext());
}

}  // namespace
}  // namespace z7
