// Free expressions of "Evaluate Expression": quoted texts compared by byte
// order with = <> < <= > >=, joined by "and"/"or" strictly left to right,
// grouped by parentheses. Results are the words "TRUE", "FALSE", "ERROR".
#pragma once
#include <string>
#include <string_view>

namespace zk::script {

class VariableStore;

inline constexpr std::string_view kExpressionTrue = "TRUE";
inline constexpr std::string_view kExpressionFalse = "FALSE";
inline constexpr std::string_view kExpressionError = "ERROR";
// Parentheses nested deeper than this make the expression "ERROR".
inline constexpr int kMaxExpressionDepth = 200;

// Evaluates a text whose references are already replaced by quoted values.
std::string EvaluateExpressionText(std::string_view text);
// Quoted substitution through the store, then evaluation.
std::string EvaluateExpression(std::string_view text, const VariableStore& store);
// Compilation's test: every "$" becomes a double quote; passes unless "ERROR".
bool ExpressionSyntaxPasses(std::string_view rawText);

} // namespace zk::script
