#include "engine/script/conditions.h"

#include <optional>

#include "common/ansi_case.h"
#include "engine/script/engine_error.h"
#include "engine/script/integer_text.h"
#include "engine/script/script_image.h"
#include "engine/script/translation.h"
#include "engine/script/variable_store.h"
#include "engine/script/variable_text.h"

namespace zk::script {

namespace {

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// Operator "4" compares ignoring the case of ASCII letters only.
bool AsciiSameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

bool CompareTexts(char op, const std::string& left, const std::string& right) {
    switch (op) {
    case '0':
        return left == right;
    case '1':
        return left.find(right) != std::string::npos;
    case '2':
        return left.compare(right) > 0; // byte order
    case '3':
        return AnsiFindText(left, right) != std::string_view::npos;
    default: // '4'
        return AsciiSameText(left, right);
    }
}

} // namespace

bool EvaluateCondition(const ConditionParameters& parameters, const VariableStore& store,
                       const Translator* translator, std::string_view key) {
    std::string variable = parameters.variable;
    std::string value = parameters.value;
    if (translator) {
        variable = translator->Translate(variable, key, 1);
        value = translator->Translate(value, key, 2);
    }
    const std::string& op = parameters.op;
    if (op.size() != 1 || op[0] < '0' || op[0] > '5')
        throw EngineError("Invalid condition operator: " + op);
    const bool negate = IsTrueText(parameters.negate);
    const std::string name = NameOrReference(variable);

    if (op[0] == '5') return store.IsDefined(name) != negate;

    const std::string left = store.Get(name);
    const std::string right = store.Substitute(value);
    bool result;
    std::optional<std::int32_t> leftNumber = TryTextToInt(left);
    std::optional<std::int32_t> rightNumber = TryTextToInt(right);
    if (leftNumber && rightNumber)
        result = op[0] == '2' ? *leftNumber > *rightNumber : *leftNumber == *rightNumber;
    else
        result = CompareTexts(op[0], left, right);
    return result != negate;
}

bool EvaluateConditionOf(const ScriptImage& image, std::size_t index, const VariableStore& store,
                         const Translator* translator) {
    ConditionParameters parameters{image.ParameterOf(index, 1), image.ParameterOf(index, 2),
                                   image.ParameterOf(index, 3), image.ParameterOf(index, 4)};
    return EvaluateCondition(parameters, store, translator, image.CommandId(index));
}

} // namespace zk::script
