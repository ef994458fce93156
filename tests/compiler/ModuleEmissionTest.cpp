#include "CompilerTestSupport.h"

#include "compiler/ConstantEmission.h"
#include "compiler/ModuleEmission.h"
#include "support/TempDir.h"

namespace z7 {
namespace {

struct EmissionTest : ::testing::Test {
    test::TempDir dir;
    Project project = test::emptyProject();
    test::Compiled run(bool alphabetize = false) { return test::compile(project, dir.dir(), dir.dir(), alphabetize); }
};

TEST_F(EmissionTest, ConstantsLieBackToBack) {
    CompileContext context(project, test::testLibrary(), CompileSettings {});
    context.symbols.constants.registerConstant("7", "XXXX");
    context.symbols.constants.registerConstant("1.5", "XXXX");
    context.symbols.constants.registerConstant("ABC", "XXXX");
    context.FlashPointer = 0x40100;
    CompiledImage image;
    EmitConstants(context, &image);
    EXPECT_EQ(image.lines(), std::vector<std::string> {"40100|7|'ABC|1.5|\\"});
    EXPECT_EQ(context.symbols.constants.column(ConstantKind::Integer)[0].address, "40100");
    EXPECT_EQ(context.symbols.constants.column(ConstantKind::String)[0].address, "4040104");
    EXPECT_EQ(context.symbols.constants.column(ConstantKind::Float)[0].address, "1040108");
    EXPECT_EQ(context.FlashPointer, 0x4010Cu);

    // An empty pool is the single address line.
    CompileContext empty(project, test::testLibrary(), CompileSettings {});
    empty.FlashPointer = 0x40094;
    CompiledImage emptyImage;
    EmitConstants(empty, &emptyImage);
    EXPECT_EQ(emptyImage.lines(), std::vector<std::string> {"40094|\\"});
}

TEST_F(EmissionTest, ConstantLinesCloseAfterTheValueThatMakesThemTooLong) {
    CompileContext context(project, test::testLibrary(), CompileSettings {});
    for (int i = 10; i < 35; ++i) context.symbols.constants.registerConstant(std::to_string(i), "XXXX");
    context.symbols.constants.registerConstant("abcdefghijklmnopqrstuvwxyz", "SXXC");
    context.symbols.constants.registerConstant("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "SXXC");
    context.symbols.constants.registerConstant("0123456789", "SXXC");
    context.FlashPointer = 0x40100;
    CompiledImage image;
    EmitConstants(context, &image);
    EXPECT_EQ(image.lines(),
              (std::vector<std::string> {
                  "40100|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25|26|27|28|29|30|31|32|33|\\",
                  "40160|34|'abcdefghijklmnopqrstuvwxyz|'ABCDEFGHIJKLMNOPQRSTUVWXYZ|\\",
                  "4019C|'0123456789|\\",
              }));
    EXPECT_EQ(context.symbols.constants.column(ConstantKind::String)[2].address, "404019C");
    EXPECT_EQ(context.FlashPointer, 0x401A8u);
}

TEST_F(EmissionTest, RecordsHoldTheAddressesOfTheirBindings) {
    project.appendInstance(test::makeInstance("Sc", 5, {"Lvl.Val", "2.5", "Sc.Out"}));
    project.appendInstance(test::makeInstance("Lvl", 1, {"1", "3", "1", "Lvl.Val"}));
    project.appendInstance(test::makeInstance("Di", 2, {"2", "4", "1", "Di.In", "Di.OnTrg"}));
    project.appendInstance(test::makeInstance("Ptr", 19, {"Tgt.Out", "Ptr.Out"}));
    project.appendInstance(test::makeInstance("Tgt", 18, {"", "Tgt.Blk", "Tgt.Out"}));
    project.cardCage.cages[1][3] = 10;
    project.cardCage.cages[1][4] = 6;
    const auto c = run();
    ASSERT_TRUE(c.result.success) << c.errors().front();
    const auto modules = test::section(c.lines(), "#4");
    const auto lookup = [&](const std::string& name) { return LookupAddress(*c.context, name); };
    // The target of a module pointer is emitted first; its record address comes from the first pass.
    ASSERT_EQ(modules.size(), 5u);
    const std::string tgt = hexUpper(c.context->systemPointers.modules);
    EXPECT_EQ(c.context->moduleAddresses.lookup("Tgt.Out"), tgt);
    EXPECT_EQ(modules[0], tgt + "|12|" + hexUpper(c.context->systemPointers.modules + 20) + "||" + lookup("Tgt.Blk") + "|" +
                              lookup("Tgt.Out") + "|\\");
    EXPECT_EQ(modules[1].substr(modules[1].find("|5|")), "|5|" + hexUpper(c.context->systemPointers.modules + 40) + "|" +
                                                          lookup("Lvl.Val") + "|" + lookup("2.5") + "|" + lookup("Sc.Out") + "|\\");
    // A trigger output is found under "@" and its name.
    EXPECT_NE(modules[3].find("|" + lookup("Di.In") + "|" + lookup("@Di.OnTrg") + "|\\"), std::string::npos);
    EXPECT_EQ(modules[4].substr(modules[4].find("|13|")),
              "|13|" + hexUpper(c.context->systemPointers.modules + 108) + "|" + tgt + "|" + lookup("Ptr.Out") + "|\\");
}

TEST_F(EmissionTest, FortyItemsAreSplitWithTheAddressOfTheNextItem) {
    std::vector<std::string> bindings;
    for (int i = 1; i <= 39; ++i) bindings.push_back("LongConstantName" + std::to_string(i));
    bindings.push_back("F.Out");
    project.appendInstance(test::makeInstance("F", 170, bindings));
    const auto c = run();
    const auto modules = test::section(c.lines(), "#4");
    ASSERT_GE(modules.size(), 3u);
    const std::uint32_t record = c.context->systemPointers.modules;
    // Every continuation line starts with the address of its first item.
    std::uint32_t item = 0;
    for (std::size_t i = 0; i < modules.size(); ++i) {
        const std::string& line = modules[i];
        ASSERT_EQ(line.back(), '\\');
        const std::size_t fields = static_cast<std::size_t>(std::count(line.begin(), line.end(), '|')) - 1;
        if (i > 0) {
            EXPECT_EQ(line.substr(0, line.find('|')), hexUpper(record + 8 + 4 * item)) << line;
            EXPECT_LE(line.size(), 140u);
        }
        item += static_cast<std::uint32_t>(i == 0 ? fields - 2 : fields);
    }
    EXPECT_EQ(item, 40u);
    EXPECT_TRUE(c.result.success);
}

TEST_F(EmissionTest, AlphabetizedOrderWithinPriorityGroups) {
    for (const char* name : {"b1", "A2", "a1"}) project.appendInstance(test::makeInstance(name, 5, {"1", "2", std::string(name) + ".Out"}));
    project.appendInstance(test::makeInstance("z8", 8, {"1", "z8.Out"}));
    const auto numbersOf = [](const std::vector<std::string>& records) {
        std::string types;
        for (const std::string& r : records) types += r.substr(r.find('|') + 1, r.find('|', r.find('|') + 1) - r.find('|') - 1) + ",";
        return types;
    };
    const auto alphabetical = run(true);
    const auto records = test::section(alphabetical.lines(), "#4");
    EXPECT_EQ(numbersOf(records), "8,5,5,5,");
    const std::string a1 = LookupAddress(*alphabetical.context, "a1.Out");
    const std::string a2 = LookupAddress(*alphabetical.context, "A2.Out");
    const std::string b1 = LookupAddress(*alphabetical.context, "b1.Out");
    EXPECT_NE(records[1].find(a1), std::string::npos);
    EXPECT_NE(records[2].find(a2), std::string::npos);
    EXPECT_NE(records[3].find(b1), std::string::npos);
    const auto inOrder = test::section(run(false).lines(), "#4");
    EXPECT_NE(inOrder[1].find(b1), std::string::npos);
}

TEST_F(EmissionTest, BindingErrors) {
    struct Case {
        Jobrecord instance;
        CardCage::UnitType unit;
        std::vector<std::string> messages;
    };
    const auto card = [](const std::string& slot, const std::string& cage) { return test::makeInstance("C", 61, {slot, cage, "C.Out"}); };
    const std::string range = "Card number range must be 0-8 in C";
    const std::string wrong = "Wrong type card referenced in C";
    const auto Z7 = CardCage::UnitType::ZEX7;
    const std::vector<Case> cases = {
        {card("3", "1"), Z7, {}},
        {card("3", "2"), Z7, {}},          // DI 4 card in cage 2 slot 3
        {card("0", "1"), Z7, {}},          // slot 0: no type test
        {card("x", "1"), Z7, {}},          // a non-digit is slot 0
        {card("3", "x"), Z7, {}},          // a non-digit leaves cage 1
        {card("9", "1"), Z7, {range}},
        {card("", "1"), Z7, {range}},
        {card("12", "1"), Z7, {range}},
        {card("3", "0"), Z7, {range}},
        {card("3", "9"), Z7, {range}},
        {card("5", "1"), Z7, {wrong}},     // relay card
        {card("6", "1"), Z7, {wrong}},     // empty slot
        {test::makeInstance("C", 60, {"5", "1", "C.Out"}), CardCage::UnitType::ZEX3, {}},
        {test::makeInstance("C", 60, {"5", "1", "C.Out"}), Z7, {wrong}},
        {test::makeInstance("C", 5, {"", "", "C.Out"}), Z7, {"Missing constant in C"}},
        {test::makeInstance("C", 5, {"Nowhere", "1", "C.Out"}), Z7, {}},   // a name that is a string constant
        {test::makeInstance("C", 19, {"Nowhere", "C.Out"}), Z7, {"Cannot find Nowhere in C"}},
        {test::makeInstance("C", 31, {"0", "1"}), Z7, {}},
        {test::makeInstance("C", 31, {"9", "1"}), Z7, {"Out of range board/port specifier in C"}},
        {test::makeInstance("C", 31, {"2", "3"}), Z7, {"Out of range board/port specifier in C"}},
        {test::makeInstance("C", 125, {"7"}), Z7, {}},
        {test::makeInstance("C", 125, {"8"}), Z7, {"Out of range board specifier in C"}},
        {test::makeInstance("C", 125, {"12"}), Z7, {"Out of range board specifier in C"}},
    };
    for (const Case& c : cases) {
        Project p = test::emptyProject();
        p.cardCage.unitType = c.unit;
        p.cardCage.cages[1][3] = 6;
        if (c.unit == Z7) p.cardCage.cages[2][3] = 7;
        p.cardCage.cages[1][5] = 4;
        p.appendInstance(c.instance);
        const auto compiled = test::compile(p, dir.dir());
        std::vector<std::string> errors = compiled.errors();
        if (!errors.empty() && errors.back() == "No errors") errors.pop_back();
        EXPECT_EQ(errors, c.messages) << c.instance.definitionNumber << " " << c.instance.bindings[1] << " " << c.instance.bindings[2];
    }
}

TEST_F(EmissionTest, PortModulesRaiseBufferSizes) {
    const auto port = [](std::string board, std::string portNumber, std::string size) {
        std::vector<std::string> b(15);
        b[0] = std::move(board);
        b[1] = std::move(portNumber);
        b[14] = std::move(size);
        return b;
    };
    project.appendInstance(test::makeInstance("P0", 31, port("0", "1", "100")));
    project.appendInstance(test::makeInstance("P1", 31, port("2", "2", "99")));
    project.appendInstance(test::makeInstance("P2", 31, port("2", "2", "2000")));
    project.appendInstance(test::makeInstance("B3", 125, {"3", "800"}));
    project.appendInstance(test::makeInstance("B4", 125, {"4", "80"}));
    // Sizes as the module records leave them, before the buffer records use them.
    CompileContext context(project, test::testLibrary(), CompileSettings {});
    context.pass = 1;
    for (const Jobrecord& instance : project.instances()) EmitModuleRecord(context, instance);
    const ComBufferSizes& sizes = context.comBuffers;
    EXPECT_EQ(sizes.transmit[1], 52u);  // (100 div 8 + 1) * 4
    EXPECT_EQ(sizes.receive[1], 52u);
    EXPECT_EQ(sizes.transmit[7], 1004u);  // raised by P2, never lowered
    EXPECT_EQ(sizes.receive[7], 1004u);
    EXPECT_EQ(sizes.transmit[11], 404u);
    EXPECT_EQ(sizes.receive[11], 0u);
    EXPECT_EQ(sizes.transmit[14], 160u);  // two characters: the default
}

}  // namespace
}  // namespace z7
