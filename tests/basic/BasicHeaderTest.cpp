#include "BasicTestSupport.h"

#include <gtest/gtest.h>

using namespace z7;
using z7::test::compileBasic;
using z7::test::firstError;

TEST(BasicHeader, DefinitionsGiveSizesDimensionsAndTypes) {
    BasicCompiler compiler;
    ASSERT_TRUE(compiler.compile(splitLines("ignored before the first section\n"
                                            "#Module anything here\n"
                                            "Pump control\n"
                                            "#inputs\n"
                                            "' a comment line\n"
                                            "\n"
                                            "Tank level:LEVEL\n"
                                            "Count:N%(2,3)\n"
                                            "Text:T$[3]\n"
                                            "Table:T2$(3)[10] ' three texts\n"
                                            "Message : MSG$ [20]\n"
                                            "#OUTPUTS\n"
                                            "Flow rate:FLOW\n"
                                            "#CODE\n"
                                            "FLOW=LEVEL")))
        << firstError({compiler.errors(), {}, {}});
    const struct {
        const char* name;
        std::uint32_t size;
        int dimensions;
        BasicType type;
    } expected[] = {{"LEVEL", 4, 0, BasicFloat},
                    {"N%", 24, 2, BasicInteger},
                    {"T$", 4, 0, BasicString},
                    {"T2$", 36, 1, BasicString},
                    {"MSG$", 24, 0, BasicString}};
    const auto& inputs = compiler.inputTable();
    ASSERT_EQ(inputs.size(), std::size(expected));
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        EXPECT_EQ(inputs[i].name, expected[i].name);
        EXPECT_EQ(inputs[i].size, expected[i].size) << expected[i].name;
        EXPECT_EQ(inputs[i].dimensions, expected[i].dimensions) << expected[i].name;
        EXPECT_EQ(inputs[i].type, expected[i].type) << expected[i].name;
    }
    ASSERT_EQ(compiler.outputTable().size(), 1u);
    EXPECT_TRUE(compiler.outputTable()[0].assigned);
}

TEST(BasicHeader, ErrorsOfDefinitionAndSectionLines) {
    const struct {
        const char* source;
        const char* message;
        int line;
    } cases[] = {
        {"#DATA\n#CODE\nEND", "Invalid section specifier...#DATA", 0},
        {"#INPUTS\nText:T$\n#CODE\nEND", "String variable missing dimension", 1},
        {"#INPUTS\nNo colon here\n#CODE\nEND", "Variable def not of form>> Description:Variable name", 1},
        {"#INPUTS\nBad:A%!\n#CODE\nEND", "Error in variable name...A%!", 1},
        {"#INPUTS\nBad:A.B\n#CODE\nEND", "Error in variable name...A.B", 1},
        {"#INPUTS\nArray:A(X)\n#CODE\nEND", "Variable dimension must be numeric", 1},
        {"#INPUTS\nArray:A(\"4\")\n#CODE\nEND", "Variable dimension must be numeric", 1},
        {"#INPUTS\nArray:A(4;5)\n#CODE\nEND", "Expected end of dimension", 1},
        {"#INPUTS\nOne:A\nTwo:A\n#CODE\nEND", "Duplicate variable name...A", 2},
        {"#INPUTS\nOne:A\n#OUTPUTS\nTwo:A\n#CODE\nA=1", "Duplicate variable name...A", 3},
    };
    for (const auto& c : cases) {
        const auto compiled = compileBasic(c.source);
        ASSERT_FALSE(compiled.errors.empty()) << c.source;
        EXPECT_EQ(compiled.errors[0].message, c.message) << c.source;
        EXPECT_EQ(compiled.errors[0].line, c.line) << c.source;
    }
}

TEST(BasicHeader, DuplicateDefinitionIsStillAdded) {
    BasicCompiler compiler;
    EXPECT_FALSE(compiler.compile(splitLines("#INPUTS\nOne:A\nTwo:A\n#CODE\nEND")));
    EXPECT_EQ(compiler.inputTable().size(), 2u);
}

TEST(BasicHeader, HugeDimensionsSaturateTheSize) {
    BasicCompiler compiler;
    ASSERT_TRUE(compiler.compile(splitLines("#INPUTS\nx:A$(4294967295)[4294967295]\ny:B(99999999999,3)\n#CODE\nEND")));
    EXPECT_EQ(compiler.inputTable()[0].size, 4294967295u);
    EXPECT_EQ(compiler.inputTable()[1].size, 4294967295u);
}

TEST(BasicHeader, LastLineIsAlwaysCode) {
    // Without a "#CODE" line only the last line is compiled, as code.
    const auto compiled = compileBasic("#OUTPUTS\nResult:Y%\nY%=7");
    ASSERT_TRUE(compiled.errors.empty()) << firstError(compiled);
    EXPECT_EQ(compiled.code, "t51|c7|t40|i0|t22|");
    // A section line as the last line is compiled as code too.
    EXPECT_EQ(firstError(compileBasic("#OUTPUTS\nResult:Y%\n#CODE")), "Unrecognizable statement initiator");
}
