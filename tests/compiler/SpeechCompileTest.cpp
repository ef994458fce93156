#include "compiler/SpeechCompile.h"

#include "app/Text.h"
#include "compiler/SectionEmitters.h"

#include "compiler/CompilerTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace z7 {
namespace {

class SpeechCompileTest : public ::testing::Test {
protected:
    Project project;
    ModuleLibrary library;
    std::unique_ptr<CompileContext> ctx = std::make_unique<CompileContext>(project, library, CompileSettings {});

    // The report variables, with the triggers named and placed as the RAM assignment ends.
    void assignReports() {
        for (int pass = 1; pass <= 3; ++pass) AssignSpeechRam(*ctx, pass);
        SymbolTable& triggers = ctx->symbols.triggers;
        for (std::size_t i = 0; i < triggers.size(); ++i) {
            triggers.rename(i, "@" + triggers.rows()[i].name);
            triggers.setAddress(i, hexUpper(static_cast<std::uint32_t>(0xA0 + i)));
        }
    }
    std::vector<std::string> emit(std::uint32_t start) {
        return test::emitBothPasses(*ctx, EmitSpeech, start, false);
    }
};

TEST_F(SpeechCompileTest, FormatWords) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"@@@.@@", 0xFF000302}, {"@@@@", 0xFF000400}, {"22", 0x16}, {"@@.@", 0xFF000201}, {".@", 0xFF000001}, {"", 0xFF000000},
    };
    for (const auto& [format, word] : cases) EXPECT_EQ(speechFormatWord(format), word) << format;
}

TEST_F(SpeechCompileTest, HeaderAndLineRecords) {
    project.cardCage.cages[1][2] = 3;  // speech/dialer card in slot 2
    project.speechReports = {"~Alarm|Rep.Trig||Line.Trig|||2", "Lvl;@@@.@@|12|Lvl;@@.@||22||||||||||", "|3|4|||||||||||||"};
    ctx->symbols.addStatus("Rep.Trig", 0x40F100);
    ctx->symbols.addStatus("Line.Trig", 0x40F104);
    ctx->symbols.addFloat("Lvl", 0x40F108);
    assignReports();
    EXPECT_EQ(LookupAddress(*ctx, "Alarm.HavAlrm"), "240F000");
    EXPECT_EQ(LookupAddress(*ctx, "Alarm.Seq"), "40F004");
    EXPECT_EQ(LookupAddress(*ctx, "Alarm.Imgend"), "40F00C");
    // The line enable's variable has no format word; the phrase after an empty cell is not said.
    EXPECT_EQ(emit(0x40900), (std::vector<std::string> {
                                 "40900|2336|40938|4096C|2|240F100||240F104|||40F004|40F00C|A0|A1|240F000|\\",
                                 "40938|2337|40954|140F108|C|140F108|FF000201||\\",
                                 "40954|2337|4096C||3|4||\\",
                             }));
    EXPECT_TRUE(ctx->errors.empty());
}

TEST_F(SpeechCompileTest, BoardPhraseEnableAndDelimiterErrors) {
    project.cardCage.cages[1][1] = 5;
    project.cardCage.cages[1][2] = 3;
    project.speechReports = {"~R1||||||0", "5|1|", "~R2||||||1", "X|", "Y;@@|", "~R3||||||2", "|1|"};
    assignReports();
    // R2's header is never written, and nothing of R3.
    EXPECT_EQ(emit(0x40900), (std::vector<std::string> {
                                 "40900|2336|40938|40944|0||||||40F004|40F00C|A0|A1|240F000|\\",
                                 "40938|2337|40944||\\",
                             }));
    EXPECT_EQ(ctx->errors.messages(), (std::vector<std::string> {
                                          "Cannot find 5 in speech report R1",
                                          "Delimiter error in speech report R2",
                                          "Wrong board number referenced in speech report R1",
                                          "Wrong board number referenced in speech report R2",
                                      }));
}

TEST_F(SpeechCompileTest, EveryReportGetsItsSequenceBlock) {
    project.speechReports = {"~First||||||1", "~Second||||||1", "|2|"};
    assignReports();
    EXPECT_EQ(LookupAddress(*ctx, "First.Seq"), "40F004");
    EXPECT_EQ(LookupAddress(*ctx, "Second.HavAlrm"), "240F010");
    EXPECT_EQ(LookupAddress(*ctx, "Second.Seq"), "40F014");
    EXPECT_EQ(ctx->symbols.triggers.size(), 4u);
}

}  // namespace
}  // namespace z7
