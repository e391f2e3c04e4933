#include <gtest/gtest.h>

#include <string>

#include "engine/script/expressions.h"
#include "engine/script/stage_labels.h"
#include "engine/script/variable_store.h"

namespace zk::script {
namespace {

struct ExpressionCase {
    const char* label;
    std::string text;
    std::string expected;
};

class Expression : public ::testing::TestWithParam<ExpressionCase> {};

TEST_P(Expression, Evaluates) {
    EXPECT_EQ(EvaluateExpressionText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Expression,
    ::testing::Values(
        ExpressionCase{"Equal", R"("a" = "a")", "TRUE"},
        ExpressionCase{"EqualIsCaseSensitive", R"("a"="A")", "FALSE"},
        ExpressionCase{"NotEqual", R"("a" <> "b")", "TRUE"},
        ExpressionCase{"LessIsByteOrder", R"("10" < "9")", "TRUE"},
        ExpressionCase{"LessOrEqual", R"("b" <= "b")", "TRUE"},
        ExpressionCase{"Greater", R"("b" > "a")", "TRUE"},
        ExpressionCase{"GreaterOrEqual", R"("a" >= "b")", "FALSE"},
        ExpressionCase{"HighBytesSortLast", "\"\xe9\" > \"z\"", "TRUE"},
        ExpressionCase{"DoubledQuoteInside", R"("say ""hi""" = "say ""hi""")", "TRUE"},
        ExpressionCase{"LeftToRightAndThenOr", R"("1"="1" and "1"="2" or "1"="1")", "TRUE"},
        ExpressionCase{"LeftToRightOrThenAnd", R"("1"="1" or "1"="2" and "1"="2")", "FALSE"},
        ExpressionCase{"ParenthesesGroup", R"("1"="1" or ("1"="2" and "1"="2"))", "TRUE"},
        ExpressionCase{"NestedParentheses", R"( ( ( "a"="a" ) ) )", "TRUE"},
        ExpressionCase{"OperatorWordBeforeQuote", R"("a"="a" and"b"="b")", "TRUE"},
        ExpressionCase{"ParenthesisRightAfterAnd", R"("a"="a" and("b"="b"))", "ERROR"},
        ExpressionCase{"UpperCaseOperatorWord", R"("a"="a" AND "b"="b")", "ERROR"},
        ExpressionCase{"UnknownOperatorWord", R"("a"="a" xor "b"="b")", "ERROR"},
        ExpressionCase{"UnknownComparison", R"("a" == "a")", "ERROR"},
        ExpressionCase{"TextAfterCompleteTerm", R"("a"="a") "b")", "ERROR"},
        ExpressionCase{"MissingClosingParenthesis", R"(("a"="a")", "ERROR"},
        ExpressionCase{"UnterminatedQuote", R"("a"="a)", "ERROR"},
        ExpressionCase{"BareWord", "abc", "ERROR"}, ExpressionCase{"Empty", "", "ERROR"},
        ExpressionCase{"TwoTermsWithoutWord", R"("a"="a" "b"="b")", "ERROR"},
        ExpressionCase{"TrailingOperatorWord", R"("a"="a" and)", "ERROR"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Expression, SubstitutesVariablesAsQuotedTexts) {
    VariableStore store;
    store.Define("VERSION", "10", kStageInitialization);
    store.Define("NAME", "O\"Brien", kStageInitialization);
    EXPECT_EQ(EvaluateExpression(R"($VERSION$ < "9" and $version$ = "10")", store), "TRUE");
    // A value holding a double quote breaks the quoting.
    EXPECT_EQ(EvaluateExpression(R"($NAME$ = "x")", store), "ERROR");
}

TEST(Expression, DeepNestingGivesErrorInsteadOfExhaustingTheStack) {
    const std::string within(kMaxExpressionDepth - 1, '(');
    EXPECT_EQ(
        EvaluateExpressionText(within + "\"a\"=\"a\"" + std::string(kMaxExpressionDepth - 1, ')')),
        "TRUE");
    const std::string deep(100000, '(');
    EXPECT_EQ(EvaluateExpressionText(deep + "\"a\"=\"a\"" + std::string(100000, ')')), "ERROR");
}

TEST(ExpressionSyntax, ReferencesBecomeQuotedTexts) {
    EXPECT_TRUE(ExpressionSyntaxPasses("$A$ = $B$ or $C$ <> \"x\""));
    EXPECT_TRUE(ExpressionSyntaxPasses("$A$ = \"1\""));
    EXPECT_FALSE(ExpressionSyntaxPasses("$A$ = $B$ nor $C$ = $D$"));
    EXPECT_FALSE(ExpressionSyntaxPasses("A = B"));
}

} // namespace
} // namespace zk::script
