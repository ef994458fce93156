#include "editors/TelemetryCompile.h"

#include "compiler/SectionEmitters.h"

#include "compiler/CompilerTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace z7 {
namespace {

TelemetryRow tlm(std::string port, std::string src, std::string dst, std::string word, std::string bit, std::string name,
                 std::string mult, std::string type, std::string address = {}) {
    return {port, src, dst, word, bit, name, mult, type, "", address};
}

class TelemetryCompileTest : public ::testing::Test {
protected:
    Project project;
    ModuleLibrary library;
    std::unique_ptr<CompileContext> ctx = std::make_unique<CompileContext>(project, library, CompileSettings {});

    std::vector<std::string> emit(void (*emitter)(CompileContext&), std::uint32_t start) {
        return test::emitBothPasses(*ctx, emitter, start);
    }
};

TEST_F(TelemetryCompileTest, TxEntriesCodesAndDescriptors) {
    ctx->symbols.addInteger("Flow", 0x40F000);
    ctx->symbols.addFloat("Temp", 0x40F004);
    ctx->symbols.addStatus("Lvl", 0x40F008);
    project.txRows = {tlm("2", "Us", "255", "1", "-", "Flow", "", "Integer"),
                      tlm("2", "Us", "255", "2", "-", "Temp", ".0001", "Float"),
                      tlm("0", "Us", "Us", "1", "1", "Lvl", "", "Status")};
    EXPECT_EQ(emit(EmitTxArrays, 0x40200), (std::vector<std::string> {
                                               "40200|2329|\\",
                                               "40204||40F000|C1|140F004|2|240F008|\\",
                                               "4021C|2328|40230|2FFFF|40204|4020C|\\",
                                               "40230|2328|40244|1FFFF|40214|40214|\\",
                                           }));
    EXPECT_EQ(ctx->systemPointers.tx, 0x4021Cu);
    // TX rows carry no address: the span is 0, and the last group adds its 4.
    EXPECT_EQ(ctx->comBuffers.transmit[2], 24u);
    EXPECT_EQ(ctx->comBuffers.transmit[1], 28u);  // channel 0 counts as channel 1
    EXPECT_EQ(ctx->comBuffers.transmit[0], 0u);
}

TEST_F(TelemetryCompileTest, TxLinesBreakPastEightyCharactersAndSingleEntryTablesEmitNothing) {
    project.txRows = {tlm("2", "Us", "9", "1", "-", "Flow", "", "Integer")};
    EXPECT_TRUE(emit(EmitTxArrays, 0x40200).empty());
    EXPECT_EQ(ctx->FlashPointer, 0x40200u);

    ctx->symbols.addInteger("Flow", 0x40F000);
    project.txRows.assign(12, tlm("2", "Us", "9", "1", "-", "Flow", "", "Integer"));
    const auto lines = emit(EmitTxArrays, 0x40200);
    ASSERT_EQ(lines.size(), 4u);
    // Ten entries of 8 characters after "40204|" make 86: the line closes there.
    EXPECT_EQ(lines[1], "40204||40F000||40F000||40F000||40F000||40F000||40F000||40F000||40F000||40F000||40F000|\\");
    EXPECT_EQ(lines[2], "40254||40F000||40F000|\\");
    EXPECT_EQ(lines[3], "40264|2328|40278|2FF09|40204|4025C|\\");
}

TEST_F(TelemetryCompileTest, TxNameWithoutAddressIsReportedAndLeftOut) {
    ctx->symbols.addInteger("Flow", 0x40F000);
    project.txRows = {tlm("2", "Us", "9", "1", "-", "Gone", "", "Integer"), tlm("2", "Us", "9", "2", "-", "Flow", "", "Integer"),
                      tlm("2", "Us", "9", "3", "-", "", "", "Integer")};
    ctx->pass = 2;
    EmitTxArrays(*ctx);
    EXPECT_EQ(ctx->errors.messages(), std::vector<std::string> {"Cannot find Gone in TX array"});
    EXPECT_EQ(ctx->image.lines()[1], "40004||40F000|||\\");
}

TEST_F(TelemetryCompileTest, RxEntriesSpecialNamesDuplicatesAndMissingAddresses) {
    project.rxRows = {tlm("3", "5", "Us", "1", "-", "Flow.5", "", "Integer", "40F000"),
                      tlm("3", "5", "Us", "2", "-", "GlobalRTC", "", "Integer", "$0"),
                      tlm("3", "5", "Us", "3", "-", "Flow.5", "1.0", "Integer", "$0"),
                      tlm("3", "5", "Us", "4", "-", "GlobalRTC", "", "Integer"),
                      tlm("4", "Us", "7", "1", "-", "Miss", "", "Float", "$0")};
    ctx->pass = 2;
    ctx->FlashPointer = 0x40300;
    EmitRxArrays(*ctx);
    EXPECT_EQ(ctx->image.lines(), (std::vector<std::string> {
                                      "40300|232B|\\",
                                      "40304|100|40F000|200|1003|300|40F000|400|1003|\\",
                                      "40324|232A|40338|305FF|40304|4031C|\\",
                                      "40338|232A|4034C|4FF07|0|0|\\",
                                  }));
    EXPECT_EQ(ctx->systemPointers.rx, 0x40324u);
    EXPECT_EQ(ctx->errors.messages(),
              (std::vector<std::string> {"Cannot find Miss in RX array", "Flow.5 appears more than once in RX array"}));

    auto quiet = std::make_unique<CompileContext>(project, library, CompileSettings {});
    quiet->settings.flagDuplicateNames = false;
    quiet->pass = 2;
    EmitRxArrays(*quiet);
    EXPECT_EQ(quiet->errors.messages(), std::vector<std::string> {"Cannot find Miss in RX array"});
}

TEST_F(TelemetryCompileTest, ReceiveBufferEstimateUsesByteAddresses) {
    project.rxRows = {tlm("3", "5", "Us", "1", "-", "A.5", "", "Integer", "40F000"),
                      tlm("3", "5", "Us", "2", "-", "B.5", "", "Integer", "40F004"),
                      tlm("6", "5", "Us", "1", "-", "C.5", "", "Float", "140F010"),
                      tlm("6", "5", "Us", "3", "-", "D.5", "", "Float", "140F014"),
                      tlm("7", "5", "Us", "1", "-", "E.5", "", "Float", "140F000")};
    emit(EmitRxArrays, 0x40300);
    EXPECT_EQ(ctx->comBuffers.receive[3], 16u + 24u);
    EXPECT_EQ(ctx->comBuffers.receive[6], 24u);  // runs backwards to E.5
    EXPECT_EQ(ctx->comBuffers.receive[7], 4u + 24u);
}

TEST_F(TelemetryCompileTest, ComBuffersFromCardsArraysAndDisplaysAllocatedOnce) {
    auto& cage = project.cardCage.cages[1];
    cage[1] = 1;   // flashdisk: transmit of channel 3 is 768
    cage[2] = 11;  // modem: channel 6
    cage[3] = 15;  // printer: channels 9 and 10
    std::uint32_t firstPassEnd = 0;
    for (int pass = 1; pass <= 2; ++pass) {
        ctx->pass = pass;
        ctx->FlashPointer = 0x40400;
        ctx->RamPointer = 0x40F000;
        ctx->comBuffers.raiseTransmit(2, 24);
        EmitComBuffers(*ctx);
        if (pass == 1) firstPassEnd = ctx->FlashPointer;
    }
    EXPECT_EQ(ctx->FlashPointer, firstPassEnd);
    EXPECT_EQ(ctx->image.lines(), (std::vector<std::string> {
                                      "40400|2332|40414|2|40F000|A0|\\",
                                      "40414|2332|40428|3|40F140|300|\\",
                                      "40428|2332|4043C|6|40F740|A0|\\",
                                      "4043C|2332|40450|9|40F880|A0|\\",
                                      "40450|2332|40464|A|40F9C0|A0|\\",
                                      "40464|2333|40478|6|40FB00|A0|\\",
                                      "40478|2333|4048C|9|40FC40|A0|\\",
                                      "4048C|2333|404A0|A|40FD80|A0|\\",
                                  }));
    EXPECT_EQ(ctx->ramMap.usedCount(), 2u * (160 * 7 + 768));
    EXPECT_EQ(ctx->RamPointer, 0x40F000u + 2u * (160 * 7 + 768));
}

TEST_F(TelemetryCompileTest, RxRamRunsTypesAndStoredAddresses) {
    std::vector<TelemetryRow> rows {tlm("3", "5", "Us", "1", "-", "I.5", "", "Integer", "$0"),
                                    tlm("3", "5", "Us", "2", "-", "S.5", ".1", "Integer", "$0")};
    for (int bit = 1; bit <= 16; ++bit) rows.push_back(tlm("3", "5", "Us", "3", std::to_string(bit), "B" + std::to_string(bit), "", "Status", "$0"));
    rows.push_back(tlm("3", "5", "Us", "4", "-", "L.5", "", "Long Int", ""));
    rows.push_back(tlm("3", "5", "Us", "6", "-", "F.5", "", "Float", "40F100"));
    rows.push_back(tlm("3", "5", "Us", "8", "-", "J.5", "", "Integer", "$0"));
    project.rxRows = rows;
    for (int pass = 1; pass <= 3; ++pass) AssignRxRam(*ctx, pass);
    const auto address = [&](std::size_t i) { return project.rxRows[i][TlmAddress]; };
    EXPECT_EQ(address(0), "40F000");
    EXPECT_EQ(address(1), "140F004");
    EXPECT_EQ(address(2), "240F008");
    EXPECT_EQ(address(3), "A40F008");
    EXPECT_EQ(address(17), "7A40F008");
    EXPECT_EQ(address(18), "340F00C");
    EXPECT_EQ(address(19), "140F100");  // stored, its type brought up to date
    EXPECT_EQ(address(20), "40F010");
    EXPECT_TRUE(ctx->errors.empty());
    EXPECT_TRUE(project.needToCompile);

    // A status word cut short still closes before the next value: nothing shares its bytes.
    project.rxRows = {tlm("3", "5", "Us", "1", "1", "S1", "", "Status"), tlm("3", "5", "Us", "1", "2", "S2", "", "Status"),
                      tlm("3", "5", "Us", "2", "-", "N.5", "", "Integer")};
    auto fresh = std::make_unique<CompileContext>(project, library, CompileSettings {});
    for (int pass = 1; pass <= 3; ++pass) AssignRxRam(*fresh, pass);
    EXPECT_EQ(project.rxRows[1][TlmAddress], "A40F000");
    EXPECT_EQ(project.rxRows[2][TlmAddress], "40F004");
    EXPECT_EQ(fresh->ramMap.usedCount(), 8u);

    // Recompiling re-marks every stored address and allocates nothing.
    project.needToCompile = false;
    auto again = std::make_unique<CompileContext>(project, library, CompileSettings {});
    for (int pass = 1; pass <= 3; ++pass) AssignRxRam(*again, pass);
    EXPECT_FALSE(project.needToCompile);
    EXPECT_TRUE(again->errors.empty());
    EXPECT_EQ(again->ramMap.usedCount(), 6u);
}

}  // namespace
}  // namespace z7
