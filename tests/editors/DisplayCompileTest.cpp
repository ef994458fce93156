#include "editors/DisplayCompile.h"

#include "compiler/SectionEmitters.h"

#include "compiler/CompilerTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace z7 {
namespace {

class DisplayCompileTest : public ::testing::Test {
protected:
    Project project;
    ModuleLibrary library;
    std::unique_ptr<CompileContext> ctx = std::make_unique<CompileContext>(project, library, CompileSettings {});

    std::vector<std::string> emit(std::uint32_t start) {
        return test::emitBothPasses(*ctx, EmitDisplays, start);
    }
};

TEST_F(DisplayCompileTest, RecordsInIndexOrderWithValueAndObjectSlots) {
    ctx->symbols.addFloat("Flow.Out", 0x40F000);
    ctx->symbols.addStatus("Tank.Trig", 0x40F004);
    ctx->symbols.addInteger("Lvl", 0x40F008);
    ctx->moduleAddresses.append("Trend1", 0x41000);
    ctx->moduleAddresses.append("Pump2", 0x41100);
    ctx->moduleAddresses.append("Pump3", 0x41200);
    project.displays = {
        "~Graph|3|2|1|Tank.Trig|",
        // After "@T" every named slot is an object, even one without a field.
        "@@ @T @@ x|Lvl|Trend1|Pump2.Out|Pump3|5|6|7|8|9|10",
        "~Old|0|1|0|Tank.Trig|",
        "Replaced @@|Gone|2|3|4|5|6|7|8|9|10",
        "~Empty|0|5|0||",
        "~Remote|4|1|0||",
        "~Tank|0|1|0|Tank.Trig|",
        "Flow @@@.@ gal|Flow.Out|2|3|4|5|6|7|8|9|10",
    };
    EXPECT_EQ(emit(0x40500), (std::vector<std::string> {
                                 "40500|2330|4053C|40580|0|1|0|240F004|||||||Tank|\\",
                                 "4053C|2331|40580|140F000||||||||||Flow @@@.@ gal|\\",
                                 "40580|2330|405BC|405FC|3|2|1|240F004|||||||Graph|\\",
                                 "405BC|2331|405FC|40F008|41000|41100|41200|||||||@@ @T @@ x|\\",
                             }));
    EXPECT_TRUE(ctx->errors.empty());
    EXPECT_EQ(ctx->comBuffers.transmit[3], 2000u);
    EXPECT_EQ(ctx->comBuffers.receive[3], 320u);
    EXPECT_EQ(ctx->comBuffers.transmit[4], 2000u);  // even without text lines
    EXPECT_EQ(ctx->comBuffers.transmit[0], 0u);
}

TEST_F(DisplayCompileTest, MissingNamesAndOverlongLinesAreReported) {
    project.displays = {"~Bad|0|1|0|Nope|", "@@ @V|Gone|Obj.Out|3|4|5|6|7|8|9|10", "~Long|0|2|0|Nope|",
                        std::string(250, 'x') + "|1|2|3|4|5|6|7|8|9|10"};
    ctx->pass = 2;
    EmitDisplays(*ctx);
    EXPECT_EQ(ctx->errors.messages(), (std::vector<std::string> {
                                          "Cannot find Gone in display Bad",
                                          "Cannot find Obj.Out in display Bad",
                                          "Cannot find trigger status for display Bad",
                                          "Cannot find trigger status for display Long",
                                          "Line too long for download in display Long",
                                      }));
}

}  // namespace
}  // namespace z7
