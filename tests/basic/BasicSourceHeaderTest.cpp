#include "basic/BasicSourceHeader.h"

#include "app/Text.h"

#include <gtest/gtest.h>

using namespace z7;

TEST(BasicSourceHeader, RowsDescriptionAndKindLetters) {
    const auto header = readBasicHeader(splitLines("#MODULE\n"
                                                   "Pump control, \n"
                                                   "second line\n"
                                                   "#INPUTS\n"
                                                   "' comment\n"
                                                   "\n"
                                                   "  \tTank level:LEVEL\n"
                                                   "Setpoint:SP(4)\n"
                                                   "Mode:M%\n"
                                                   "#outputs\n"
                                                   "Flow rate:  FLOW(4) 'comment\n"
                                                   "Count:N%\n"
                                                   "Delay:T%%\n"
                                                   "Alarm:B!!\n"
                                                   "Run:R!\n"
                                                   "Text:MSG$[20]\n"
                                                   "#CODE\n"
                                                   "Not:A header row\n"));
    EXPECT_EQ(header.description, "Pump control, second line");
    ASSERT_EQ(header.inputs.size(), 3u);
    EXPECT_EQ(header.inputs[0].description, "Tank level");
    EXPECT_EQ(header.inputs[1].name, "SP(4)");
    ASSERT_EQ(header.outputs.size(), 6u);
    EXPECT_EQ(header.outputs[0].description, "Flow rate");
    EXPECT_EQ(header.outputs[0].name, "FLOW(4)");
    EXPECT_EQ(header.outputs[5].name, "MSG$[20]");
    EXPECT_EQ(header.kindLetters, "IIIfimtns");
    EXPECT_EQ(header.outputSuffixes,
              (std::vector<std::string>{".FLOW(4)", ".N%", ".T%%", ".B!!", ".R!", ".MSG$[20]"}));
}

TEST(BasicSourceHeader, OutputKinds) {
    const std::pair<const char*, char> cases[] = {{"X", 'f'}, {"N%", 'i'}, {"T%%", 'm'}, {"R!", 'n'},
                                                  {"B!!", 't'}, {"S$", 's'}, {"S$[4]", 's'}};
    for (const auto& [name, kind] : cases) EXPECT_EQ(basicOutputKind(name), kind) << name;
}
