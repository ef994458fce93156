#include "compiler/BasicObjectTable.h"
#include "compiler/CompileErrorList.h"
#include "compiler/ModuleAddressList.h"
#include "compiler/SymbolTables.h"

#include <gtest/gtest.h>

namespace z7 {
namespace {

TEST(ConstantPool, RegistrationRule) {
    struct Case {
        std::string text, hint;
        int kind;  // -1 not registered, else ConstantKind
    };
    const std::vector<Case> cases = {
        {"12", "XXXX", 0},   {"-5", "ICSC", 0},  {"12.5", "XXXX", 2}, {"ABC", "XXXX", 1},  {"1.2V", "XXXX", -1},
        {"", "XXXX", -1},    {"12", "SXXX", 1},  {"1.2V", "SXXX", -1}, {"1.2V", "SXXC", 1}, {"7", "SCSC", 1},
        {"-", "XXXX", 0},    {".", "XXXX", 2},   {"", "SXXC", -1},
    };
    for (const Case& c : cases) {
        ConstantPool pool;
        pool.registerConstant(c.text, c.hint);
        for (int k = 0; k < 3; ++k) {
            const auto& column = pool.column(static_cast<ConstantKind>(k));
            EXPECT_EQ(column.size(), k == c.kind ? 1u : 0u) << c.text << " " << c.hint << " kind " << k;
        }
    }
    ConstantPool pool;
    pool.registerConstant("12", "XXXX");
    pool.registerConstant("12", "FCSC");
    pool.registerConstant("12", "SXXX");
    EXPECT_EQ(pool.column(ConstantKind::Integer).size(), 1u);
    EXPECT_EQ(pool.column(ConstantKind::String).size(), 1u);
}

TEST(SymbolTables, LookupSearchesInOrderAndTakesTheFirstRow) {
    SymbolTables t;
    std::vector<TelemetryRow> rx(2);
    rx[0][TlmName] = "Rx.1";
    rx[0][TlmAddress] = "140F100";
    rx[1][TlmName] = "Both";
    rx[1][TlmAddress] = "40F104";
    t.addFloat("GlobalRTC", 0x40F000);
    t.addFloat("F", 0x40F010);
    t.addInteger("F", 0x40F020);
    t.addInteger("I", 0x40F024);
    t.addInteger("I", 0x40F028);
    t.addStatus("D", 0x40F030 | (3u << 27));
    t.addString("Both", 0x40F040);
    t.addString("S", 0x40F050);
    t.constants.registerConstant("S", "XXXX");
    t.constants.column(ConstantKind::String)[0].address = "4040100";
    t.constants.registerConstant("7", "XXXX");
    t.constants.column(ConstantKind::Integer)[0].address = "40104";
    t.addTimer("Tm");
    t.timers.setAddress(0, "40F060");

    for (int indexed = 0; indexed < 2; ++indexed) {
        if (indexed) t.indexRxRows(rx);
        EXPECT_EQ(t.lookupAddress("GlobalRTC", rx), "1003");
        EXPECT_EQ(t.lookupAddress("GlobalSP", rx), "1000");
        EXPECT_EQ(t.lookupAddress("ArchiveData", rx), "1006");
        EXPECT_EQ(t.lookupAddress("F", rx), "140F010");
        EXPECT_EQ(t.lookupAddress("I", rx), "40F024");
        EXPECT_EQ(t.lookupAddress("D", rx), "1A40F030");
        EXPECT_EQ(t.lookupAddress("Rx.1", rx), "140F100");
        EXPECT_EQ(t.lookupAddress("Both", rx), "40F104");
        EXPECT_EQ(t.lookupAddress("S", rx), "440F050");
        EXPECT_EQ(t.lookupAddress("7", rx), "40104");
        EXPECT_EQ(t.lookupAddress("Tm", rx), "40F060");
        EXPECT_EQ(t.lookupAddress("nothing", rx), "");
        EXPECT_EQ(t.lookupStringAddress("Both"), "440F040");
        EXPECT_EQ(t.lookupStringAddress("F"), "");
    }
    // A renamed row is found by its new name only.
    t.addTrigger("Go");
    t.triggers.rename(0, "@Go");
    t.triggers.setAddress(0, "240F070");
    EXPECT_EQ(t.lookupAddress("@Go", rx), "240F070");
    EXPECT_EQ(t.lookupAddress("Go", rx), "");
}

TEST(CompileErrorList, SortedIgnoringCaseWithDuplicates) {
    CompileErrorList list;
    for (const char* m : {"b two", "Cannot find x in A", "a one", "B one", "Cannot find x in A", "_under", "Zed"}) list.add(m);
    EXPECT_EQ(list.messages(),
              (std::vector<std::string> {"_under", "a one", "B one", "b two", "Cannot find x in A", "Cannot find x in A", "Zed"}));
}

TEST(SideTables, ModuleAddressesAndObjectFiles) {
    ModuleAddressList modules;
    modules.append("Tgt", 0x40100);
    modules.append("Tgt", 0x40200);
    modules.append(std::string(45, 'n'), 0x40300);
    EXPECT_EQ(modules.lookup("Tgt.Out"), "40100");
    EXPECT_EQ(modules.lookup("Tgt"), "40100");
    EXPECT_EQ(modules.lookup("Tg.t"), "");
    EXPECT_EQ(modules.lookup(std::string(40, 'n') + ".x"), "40300");

    BasicObjectTable objects;
    for (int i = 0; i < 101; ++i) objects.registerFile("F" + std::to_string(i % 101) + ".Obj");
    EXPECT_EQ(objects.entries().size(), 100u);
    EXPECT_EQ(objects.registerFile("F5.Obj"), 5);
    EXPECT_EQ(objects.find("F100.Obj"), -1);
}

}  // namespace
}  // namespace z7
