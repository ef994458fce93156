#include "cards/CardTypes.h"
#include "cards/IoPoints.h"

#include "CardTestSupport.h"

#include <gtest/gtest.h>

namespace z7 {
namespace {

const ModuleLibrary& ioLibrary() {
    static const ModuleLibrary library = [] {
        ModuleLibrary lib;
        std::vector<std::string> messages;
        lib.loadFromLines({"1|1|Analog input|d|ICSC.Channel.Chan|ICSC.Card.Card|ICSC.Cage.Cage|FOSS.Value.Val|\\",
                           "2|1|Digital input|d|ICSC.Channel.Chan|ICSC.Card.Card|ICSC.Cage.Cage|DOSS.State.In|\\",
                           "3|1|Analog output|d|ICSC.Channel.Chan|ICSC.Card.Card|ICSC.Cage.Cage|FISS.In.In|\\",
                           "4|1|Digital output|d|ICSC.Channel.Chan|ICSC.Card.Card|ICSC.Cage.Cage|DISS.Cmd.Cmd|\\",
                           "12|2|Not I/O here|d|ICSC.Channel.Chan|ICSC.Card.Card|ICSC.Cage.Cage|DOSS.State.In|\\"},
                          messages);
        return lib;
    }();
    return library;
}

constexpr auto io = test::ioInstance;

TEST(CardTypes, TableEntries) {
    EXPECT_EQ(cardTypeInfo(13).description, "Vacant");
    EXPECT_EQ(cardTypeInfo(6).label, "DI 8    ");
    EXPECT_EQ(cardTypeInfo(14).channelCount(IoKind::DigitalOutput), 2);
    EXPECT_EQ(cardTypeInfo(17).face[12], "[AO 1]");
    EXPECT_FALSE(cardTypeInfo(11).expansion);
    EXPECT_TRUE(cardTypeInfo(13).expansion);
    for (int code : {-1, 18, 20, 21, 25}) EXPECT_EQ(cardTypeInfo(code).channelCount(IoKind::AnalogInput), 0) << code;
    for (int code = 1; code <= CardTypeCount; ++code) EXPECT_EQ(cardTypeInfo(code).label.size(), 8u) << code;
    EXPECT_EQ(drawnCode(25), 13);
    EXPECT_EQ(drawnCode(0), 13);
}

TEST(IoPoints, BindingsReadAsNumbersOnlyWhenMadeOfDigitsAndMinus) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"5", 5}, {"12", 12}, {"-3", -3}, {"", 0}, {"2.5", 0}, {"A", 0}, {"-", 0}, {"1-2", 0}, {" 5", 0}, {"99999999999", 0}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ioBindingValue(text), value) << text;
}

TEST(IoPoints, TerminalRowsOfCombinationCards) {
    struct Case {
        int code, v;
        std::optional<IoKind> kind;
        int channel;
    };
    const std::vector<Case> cases = {
        {14, 5, IoKind::DigitalInput, 3},  {14, 7, IoKind::AnalogInput, 1}, {14, 2, IoKind::DigitalOutput, 2},
        {17, 5, IoKind::AnalogOutput, 1},  {17, 4, IoKind::AnalogInput, 4}, {17, 6, std::nullopt, 0},
        {6, 8, IoKind::DigitalInput, 8},   {7, 5, std::nullopt, 0},         {12, 3, IoKind::AnalogInput, 3},
        {11, 1, std::nullopt, 0},          {14, 0, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        const auto point = rowPointOf(c.code, c.v);
        ASSERT_EQ(point.has_value(), c.kind.has_value()) << c.code << " " << c.v;
        if (!point) continue;
        EXPECT_EQ(point->kind, *c.kind);
        EXPECT_EQ(point->channel, c.channel);
        EXPECT_EQ(terminalRowOf(c.code, point->kind, point->channel), 8 - c.v) << c.code << " " << c.v;
    }
}

TEST(IoPoints, CompileCheck) {
    Project project;
    project.clearInstances();
    project.cardCage.cages[1][3] = 6;   // DI 8
    project.cardCage.cages[1][4] = 7;   // DI 4
    project.cardCage.cages[1][5] = 13;  // Vacant
    project.cardCage.cages[2][1] = 19;  // a code with room in the tables but no card
    project.cardCage.cages[2][2] = 25;
    project.cardCage.cages[1][6] = 14;
    const std::vector<std::pair<Jobrecord, std::string>> cases = {
        {io("Ok", 2, "5", "3", "1"), ""},
        {io("Di4", 2, "5", "4", "1"), "Missing or out of range channel number for card type in Di4"},
        {io("Frac", 2, "2.5", "3", "1"), "Missing or out of range channel number for card type in Frac"},
        {io("Letter", 2, "A", "3", "1"), "Missing or out of range channel number for card type in Letter"},
        {io("Card9", 2, "1", "9", "0"), "Missing or out of range card number in Card9"},
        {io("Cage0", 2, "1", "3", ""), "Missing or out of range cage number in Cage0"},
        {io("Empty", 2, "1", "2", "1"), "No card assigned corresponding to Empty"},
        {io("Vac", 2, "1", "5", "1"), "Missing or out of range channel number for card type in Vac"},
        {io("Code19", 2, "1", "1", "2"), "Missing or out of range channel number for card type in Code19"},
        {io("Code25", 2, "1", "2", "2"), "No card assigned corresponding to Code25"},
        {io("Ai", 1, "1", "3", "1"), "Missing or out of range channel number for card type in Ai"},
        {io("ComboDo", 4, "2", "6", "1"), ""},
        {io("ComboAo", 3, "1", "6", "1"), "Missing or out of range channel number for card type in ComboAo"},
        {io("NotIo", 12, "1", "9", "1"), ""},
    };
    for (const auto& [instance, message] : cases) {
        project.clearInstances();
        project.appendInstance(instance);
        const auto messages = CheckIoPoints(project, ioLibrary());
        EXPECT_EQ(messages, message.empty() ? std::vector<std::string> {} : std::vector<std::string> {message}) << instance.name;
    }
}

}  // namespace
}  // namespace z7
