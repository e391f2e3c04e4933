// The condition of "If" and "Else If": one variable compared with one value by
// an operator code "0" to "5", numerically when both sides are integers,
// otherwise as texts; optionally negated.
#pragma once
#include <string>
#include <string_view>

namespace zk::script {

struct ScriptImage;
class Translator;
class VariableStore;

// The four parameter lines of the command, raw.
struct ConditionParameters {
    std::string variable; // 1: name or pure reference
    std::string op;       // 2: "0" .. "5"
    std::string value;    // 3: substituted before use
    std::string negate;   // 4: boolean word
};

// Evaluates the condition. With a translator (pass one only while `LANGUAGE`
// is not empty) parameters 1 and 3 are first translated, slots 1 and 2 under
// `key` (the command identifier). Throws zk::EngineError for an undefined
// variable (operators "0" to "4") and for an operator code outside "0" to "5".
bool EvaluateCondition(const ConditionParameters& parameters, const VariableStore& store,
                       const Translator* translator = nullptr, std::string_view key = {});

// Reads parameters 1 to 4 of the command at `index` and evaluates them.
bool EvaluateConditionOf(const ScriptImage& image, std::size_t index, const VariableStore& store,
                         const Translator* translator);

} // namespace zk::script
