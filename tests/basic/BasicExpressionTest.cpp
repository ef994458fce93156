#include "BasicTestSupport.h"

#include <gtest/gtest.h>

using namespace z7;
using z7::test::compileBasic;

namespace {

// Inputs A, B, C (float), I%, J% (integer), A$, B$ (string) take slots i0 to i6; the one output,
// named by target, is i7.
std::string withHeader(const std::string& target, const std::string& expression) {
    return "#INPUTS\na:A\nb:B\nc:C\ni:I%\nj:J%\ns:A$[8]\nt:B$[8]\n#OUTPUTS\nr:" + target + "\n#CODE\n" +
           target.substr(0, target.find('[')) + "=" + expression;
}

}  // namespace

TEST(BasicExpressions, CodeItems) {
    const struct {
        const char* target;
        const char* expression;
        const char* code;
    } cases[] = {
        {"X", "I%+A", "t52|i3|t41|t2|i0|t10|t43|t62|t14|t1|i7|t22|"},
        {"X", "A+I%", "t2|i0|t9|t52|i3|t89|t11|t14|t1|i7|t22|"},
        {"X", "A+I%+B", "t2|i0|t9|t52|i3|t89|t11|t14|t9|t2|i1|t10|t11|t14|t1|i7|t22|"},
        {"X", "A+B*C", "t2|i0|t9|t2|i1|t9|t2|i2|t10|t11|t17|t10|t11|t14|t1|i7|t22|"},
        {"Y$[8]", "A$+B$", "t66|i5|t77|t66|i6|t78|t79|t80|t64|i7|t22|"},
        {"N%", "I%<(A)", "t52|i3|t41|t2|i0|t10|t43|t62|t90|t5|t40|i7|t22|"},
        {"N%", "(A<B) AND (C<A)",
         "t2|i0|t9|t2|i1|t10|t11|t90|t5|t41|t2|i2|t9|t2|i0|t10|t11|t90|t5|t42|t43|t50|t40|i7|t22|"},
        {"N%", "I%/J% OR I%", "t52|i3|t41|t52|i4|t42|t43|t49|t41|t52|i3|t42|t43|t47|t40|i7|t22|"},
        {"N%", "I%-J%*2", "t52|i3|t41|t52|i4|t41|t51|c2|t42|t43|t48|t42|t43|t46|t40|i7|t22|"},
        {"N%", "A$<>B$", "t66|i5|t77|t66|i6|t78|t79|t88|t4|t40|i7|t22|"},
        {"N%", "I%>=J%", "t52|i3|t41|t52|i4|t42|t43|t46|t8|t40|i7|t22|"},
        {"X", "A=I%", "t2|i0|t9|t52|i3|t89|t11|t90|t3|t62|t1|i7|t22|"},
        {"X", "A/B", "t2|i0|t9|t2|i1|t10|t11|t18|t1|i7|t22|"},
        {"X", "-A", "t2|i0|t13|t1|i7|t22|"},
        {"X", ".5+5.", "t20|c.5|t9|t20|c5.|t10|t11|t14|t1|i7|t22|"},
        {"N%", "-I%", "t52|i3|t44|t40|i7|t22|"},
        {"X", "NOT A", "t2|i0|t21|t1|i7|t22|"},
        {"N%", "NOT I%", "t52|i3|t53|t40|i7|t22|"},
        // The "-" after "*" is a subtraction with an empty right factor, not a negation.
        {"X", "A*-B", "t2|i0|t9|t89|t11|t17|t9|t2|i1|t10|t11|t15|t1|i7|t22|"},
        {"X", "SQR(I%)", "t52|i3|t62|t35|t1|i7|t22|"},
        {"X", "LOG10(A)+LN(B)", "t2|i0|t30|t9|t2|i1|t31|t10|t11|t14|t1|i7|t22|"},
        {"X", "VAL(A$)", "t66|i5|t71|t1|i7|t22|"},
        {"N%", "LEN(A$)+ASC(B$)", "t66|i5|t69|t41|t66|i6|t67|t42|t43|t45|t40|i7|t22|"},
        {"Y$[8]", "STR$(I%)+CHR$(65)", "t52|i3|t70|t77|t51|c65|t68|t78|t79|t80|t64|i7|t22|"},
        {"Y$[8]", "LEFT$(A$,2.5)", "t66|i5|t20|c2.5|t61|t72|t73|t64|i7|t22|"},
        {"Y$[8]", "RIGHT$(A$,I%)", "t66|i5|t52|i3|t72|t74|t64|i7|t22|"},
        {"Y$[8]", "MID$(A$,1,2.5)", "t66|i5|t51|c1|t72|t20|c2.5|t61|t75|t76|t64|i7|t22|"},
        {"Y$[8]", "\"V=\"+STR$(A)", "t65|c'V=|t77|t2|i0|t70|t78|t79|t80|t64|i7|t22|"},
    };
    for (const auto& c : cases) {
        const auto compiled = compileBasic(withHeader(c.target, c.expression));
        EXPECT_TRUE(compiled.errors.empty()) << c.expression << ": " << z7::test::firstError(compiled);
        EXPECT_EQ(compiled.code, c.code) << c.expression;
    }
}

TEST(BasicExpressions, Errors) {
    const struct {
        const char* target;
        const char* expression;
        const char* message;
    } cases[] = {
        {"Y$[8]", "A$-B$", "Invalid math operation on string"},
        {"Y$[8]", "A$ OR B$", "Invalid math operation on string"},
        {"Y$[8]", "A$*2", "Type mismatch in expression: string and numeric"},
        {"X", "A+A$", "Type mismatch in expression: string and numeric"},
        {"X", "A*A$", "Invalid operation on string"},
        {"N%", "A<A$", "Comparing numeric to string"},
        {"N%", "LEN(A)", "Must have string argument for LEN"},
        {"X", "VAL(I%)", "Must have string argument for VAL"},
        {"X", "SQR(A$)", "Invalid argument type for function SQR"},
        {"Y$[8]", "MID$(A$,1)", "Expected comma between function arguments"},
        {"Y$[8]", "LEFT$(A$)", "Expected comma between function arguments"},
        {"Y$[8]", "LEFT$(A$,B$)", "Wrong argument type for LEFT$"},
        {"Y$[8]", "MID$(A$,B$,1)", "Wrong argument type for MID$"},
        {"X", "SQR 2", "Missing parenthesis"},
        {"X", "ABS(A", "Missing parenthesis"},
        {"X", "A.B+1", "Error in variable name...A.B"},
        {"X", "1.2.3", "Invalid number...1.2.3"},
        {"X", "A+.", "Invalid number...."},
    };
    for (const auto& c : cases) {
        const auto compiled = compileBasic(withHeader(c.target, c.expression) + "\nEND");
        ASSERT_FALSE(compiled.errors.empty()) << c.expression;
        EXPECT_EQ(compiled.errors[0].message, c.message) << c.expression;
        EXPECT_EQ(compiled.errors[0].line, 11) << c.expression;
    }
}

TEST(BasicExpressions, OnlyOneComparisonWithoutParentheses) {
    const auto compiled = compileBasic(
        "#INPUTS\na:A\nb:B\nc:C\nd:D\n#OUTPUTS\nr:X\n#CODE\nX=0\nIF A<B AND C<D THEN X=1");
    ASSERT_FALSE(compiled.errors.empty());
    EXPECT_EQ(compiled.errors[0].message, "Expect THEN token after test expression");
}
