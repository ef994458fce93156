#include "BasicTestSupport.h"

#include <gtest/gtest.h>

using namespace z7;
using z7::test::compileBasic;
using z7::test::firstError;

TEST(BasicStatements, CodeItems) {
    const struct {
        const char* source;
        const char* code;
    } cases[] = {
        {"#OUTPUTS\nr:X\n#CODE\nX=1", "t51|c1|t62|t1|i0|t22|"},
        {"#OUTPUTS\nr:X\n#CODE\nX=1.5", "t20|c1.5|t1|i0|t22|"},
        {"#OUTPUTS\nr:X%\n#CODE\nX%=1", "t51|c1|t40|i0|t22|"},
        {"#OUTPUTS\nr:X%\n#CODE\nX%=1.5", "t20|c1.5|t61|t40|i0|t22|"},
        {"#OUTPUTS\nr:X$[4]\n#CODE\nX$=\"AB\"", "t65|c'AB|t64|i0|t22|"},
        // An explicit END still gets the final end item.
        {"#OUTPUTS\nr:Y%\n#CODE\nY%=1\nEND", "t51|c1|t40|i0|t22|t22|"},
        // Single-line IF: the false test jumps to the next line's code.
        {"#INPUTS\na:A\n#OUTPUTS\nb:B\nc:C\n#CODE\nIF A>1 THEN B=2\nC=3",
         "t2|i0|t9|t51|c1|t89|t11|t90|t6|t63|f40|t51|c2|t62|t1|i1|t51|c3|t62|t1|i2|t22|"},
        // Block IF with ELSE: t63 jumps past the t37 of the ELSE, t37 to the ENDIF.
        {"#INPUTS\na:A%\n#OUTPUTS\nb:B%\n#CODE\nIF A% THEN\nB%=1\nELSE\nB%=2\nENDIF",
         "t52|i0|t63|f28|t51|c1|t40|i1|t37|f38|t51|c2|t40|i1|t22|"},
        // An ELSE after an inner block belongs to the outer IF.
        {"#INPUTS\na:A%\nb:B%\n#OUTPUTS\nc:C%\n#CODE\nIF A% THEN\nIF B% THEN\nC%=1\nENDIF\nELSE\nC%=2\nENDIF",
         "t52|i0|t63|f38|t52|i1|t63|f30|t51|c1|t40|i2|t37|f48|t51|c2|t40|i2|t22|"},
        // Single-line IF with an ELSE line.
        {"#INPUTS\na:A%\n#OUTPUTS\nc:C%\n#CODE\nIF A% THEN C%=1\nELSE C%=2\nEND",
         "t52|i0|t63|f28|t51|c1|t40|i1|t37|f38|t51|c2|t40|i1|t22|t22|"},
        // A block left open at the end is closed there.
        {"#INPUTS\na:A%\n#OUTPUTS\nc:C%\n#CODE\nC%=1\nIF A% THEN\nC%=2",
         "t51|c1|t40|i1|t52|i0|t63|f30|t51|c2|t40|i1|t22|"},
        {"#OUTPUTS\nc:C%\n#CODE\nGOTO SKIP\nC%=1\nSKIP: C%=2", "t37|f18|t51|c1|t40|i0|t51|c2|t40|i0|t22|"},
        {"#OUTPUTS\nc:C%\n#CODE\nGOSUB SUB1\nEND\nSUB1: C%=1\nRETURN", "t38|t37|f10|t22|t51|c1|t40|i0|t39|t22|"},
        // Locals are numbered from 1 in byte offsets; inputs come before outputs in the slots.
        {"#INPUTS\na:A\n#OUTPUTS\nr:R\n#CODE\nT=A\nR=T : U%=R\nR=U%", "t2|i0|t1|r4|t2|r4|t1|i1|t2|i1|t61|t40|r8|t52|r8|t62|t1|i1|t22|"},
        // A label alone on its line, comments and blank lines emit nothing.
        {"#OUTPUTS\nr:Y%\n#CODE\n' start\nTOP\n\n   \nY%=Y%+1 ' count\nIF Y%<10 THEN GOTO TOP",
         "t52|i0|t41|t51|c1|t42|t43|t45|t40|i0|t52|i0|t41|t51|c10|t42|t43|t46|t5|t63|f5C|t37|f0|t22|"},
    };
    for (const auto& c : cases) {
        const auto compiled = compileBasic(c.source);
        EXPECT_TRUE(compiled.errors.empty()) << c.source << "\n" << firstError(compiled);
        EXPECT_EQ(compiled.code, c.code) << c.source;
    }
}

TEST(BasicStatements, Errors) {
    const struct {
        const char* source;
        const char* message;
        int line;
    } cases[] = {
        {"#OUTPUTS\nr:X$[4]\n#CODE\nX$=1", "Type conversion error in assignment statement", 3},
        {"#OUTPUTS\nr:X\n#CODE\nX=\"A\"", "Type conversion error in assignment statement", 3},
        {"#OUTPUTS\nr:X\n#CODE\nX(1)=2", "Expected = in assignment statement", 3},
        {"#OUTPUTS\nr:X\n#CODE\nX.Y=2\nX=1", "Error in variable name...X.Y", 3},
        {"#OUTPUTS\nr:X\n#CODE\n10 X=1", "Unrecognizable statement initiator", 3},
        {"#OUTPUTS\nr:X\n#CODE\nX=1\nPRINT X", "Unrecognizable statement initiator", 4},
        {"#OUTPUTS\nr:X\n#CODE\nX=1 : ELSE", "ELSE must be first token on line", 3},
        {"#OUTPUTS\nr:X\n#CODE\nELSE X=1", "ELSE without preceding IF", 3},
        {"#OUTPUTS\nr:X\n#CODE\nX=1\nENDIF", "End of IF block without IF statement", 4},
        {"#OUTPUTS\nr:X\n#CODE\nIF X X=1", "Expect THEN token after test expression", 3},
        {"#OUTPUTS\nr:X\n#CODE\nGOTO 100\nX=1", "Invalid label for GOTO...100", 3},
        {"#OUTPUTS\nr:X\n#CODE\nGOSUB 5\nX=1", "Invalid label for GOSUB...5", 3},
        {"#OUTPUTS\nr:X\n#CODE\nGOTO NOWHERE\nX=1", "Cannot find label NOWHERE", 3},
        {"#OUTPUTS\nr:X\n#CODE\nL1: X=1\nL1: X=2", "Duplicate label...L1", 4},
        {"#CODE\nX=1", "Local variable..X..not used in expression", 1},
        {"#OUTPUTS\nr:Y\n#CODE\nY=Z", "Local variable..Z..never assigned value", 3},
        {"#OUTPUTS\nr:Y\n#CODE\nY=(1\nY=2", "Missing parenthesis", 3},
        {"#OUTPUTS\nr:Y\n#CODE\nY=(1+2", "Missing parenthesis above", 3},
        // "IF x THEN a ELSE b" on one line is refused rather than compiling b unconditionally.
        {"#OUTPUTS\nr:Y%\n#CODE\nIF Y% THEN Y%=1 ELSE Y%=2", "ELSE must be first token on line", 3},
    };
    for (const auto& c : cases) {
        const auto compiled = compileBasic(c.source);
        ASSERT_FALSE(compiled.errors.empty()) << c.source;
        EXPECT_EQ(compiled.errors[0].message, c.message) << c.source;
        EXPECT_EQ(compiled.errors[0].line, c.line) << c.source;
    }
}

TEST(BasicStatements, OutputNeverAssignedIsReportedAtDefinitionAndEachRead) {
    const auto compiled = compileBasic("#OUTPUTS\nr:Y\nq:Z\n#CODE\nY=Z");
    ASSERT_EQ(compiled.errors.size(), 2u);
    EXPECT_EQ(compiled.errors[0].message, "Output variable..Z..never assigned value");
    EXPECT_EQ(compiled.errors[0].line, 2);
    EXPECT_EQ(compiled.errors[1].message, "Output variable..Z..never assigned value");
    EXPECT_EQ(compiled.errors[1].line, 4);
}

TEST(BasicStatements, SecondOpenBlockHasNoElseDestination) {
    const auto compiled = compileBasic("#INPUTS\na:A%\n#OUTPUTS\nc:C%\n#CODE\nIF A% THEN\nIF A% THEN\nC%=2");
    ASSERT_EQ(compiled.errors.size(), 1u);
    EXPECT_EQ(compiled.errors[0].message, "Missing ELSE destination");
    EXPECT_EQ(compiled.errors[0].line, 5);
}

TEST(BasicStatements, ErrorAtALineEndIsChargedToThatLineAndTheNextLineStillCompiles) {
    const auto compiled = compileBasic("#OUTPUTS\nr:X$[4]\n#CODE\nX$=1\nX$=2\nX$=\"A\"");
    ASSERT_EQ(compiled.errors.size(), 2u);
    EXPECT_EQ(compiled.errors[0].line, 3);
    EXPECT_EQ(compiled.errors[1].line, 4);
}

TEST(BasicStatements, IfLimitsAreReportedNotOverrun) {
    std::string nested = "#OUTPUTS\nr:X%\n#CODE\n";
    for (int i = 0; i < 21; ++i) nested += "IF X% THEN\n";
    nested += "X%=1\n";
    for (int i = 0; i < 21; ++i) nested += "ENDIF\n";
    const auto deep = compileBasic(nested);
    ASSERT_FALSE(deep.errors.empty());
    EXPECT_EQ(deep.errors[0].message, "Too many nested IF blocks (at most 20 open)");
    EXPECT_EQ(deep.errors[0].line, 23);

    std::string many = "#OUTPUTS\nr:X%\n#CODE\nX%=0\n";
    for (int i = 0; i < 999; ++i) many += "IF X% THEN X%=1\n";
    EXPECT_TRUE(compileBasic(many).errors.empty());
    many += "IF X% THEN X%=2\n";
    const auto tooMany = compileBasic(many);
    ASSERT_FALSE(tooMany.errors.empty());
    EXPECT_EQ(tooMany.errors[0].message, "Too many IF statements (at most 999 in a module)");
    EXPECT_EQ(tooMany.errors[0].line, 1003);
}

TEST(BasicStatements, ErrorListKeepsTwentyFiveCutMessages) {
    std::string source = "#OUTPUTS\nr:X\n#CODE\nX=1\n";
    for (int i = 0; i < 40; ++i) source += "GOTO " + std::string(70, 'L') + "\n";
    const auto compiled = compileBasic(source);
    ASSERT_EQ(compiled.errors.size(), 25u);
    EXPECT_EQ(compiled.errors[0].message, cut("Cannot find label " + std::string(70, 'L'), 60));
    EXPECT_EQ(compiled.errors[0].message.size(), 60u);
    EXPECT_EQ(compiled.errors[24].line, 28);
}

TEST(BasicStatements, StringConstantWithSeparatorIsRefused) {
    EXPECT_EQ(firstError(compileBasic("#OUTPUTS\nr:X$[8]\n#CODE\nX$=\"A|B\"")),
              "String constant cannot contain the character |");
}
