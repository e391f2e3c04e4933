#include "engine/commands/command_lines.h"

#include <stdexcept>

#include "engine/script/integer_text.h"
#include "engine/script/stage_labels.h"
#include "engine/script/variable_store.h"
#include "engine/script/variable_text.h"

namespace zk::commands {
namespace {

const CommandInfo& InfoOf(std::string_view name) {
    const CommandInfo* info = FindCommand(name);
    if (info == nullptr)
        throw std::logic_error("Command not in the catalogue: " + std::string(name));
    return *info;
}

} // namespace

CommandLines::CommandLines(script::CommandContext& context)
    : context_(context), info_(InfoOf(context.name)) {}

const ParamInfo& CommandLines::Line(int n, ParamKind expected) const {
    const ParamInfo& param = info_.Param(n);
    if (param.kind != expected)
        throw std::logic_error("Parameter " + std::to_string(n) + " of \"" +
                               std::string(info_.name) + "\" is not read that way");
    return param;
}

const ParamInfo& CommandLines::VariableLine(int n) const {
    const ParamInfo& param = info_.Param(n);
    if (param.kind != ParamKind::ResultVariable && param.kind != ParamKind::Variable)
        throw std::logic_error("Parameter " + std::to_string(n) + " of \"" +
                               std::string(info_.name) + "\" names no variable");
    return param;
}

std::string CommandLines::Value(int n) const {
    switch (info_.Param(n).kind) {
    case ParamKind::Text:
        return context_.Text(n);
    case ParamKind::Path:
        return context_.Path(n);
    case ParamKind::Raw:
        return context_.Raw(n);
    default:
        break;
    }
    throw std::logic_error("Parameter " + std::to_string(n) + " of \"" + std::string(info_.name) +
                           "\" holds no value text");
}

bool CommandLines::Flag(int n) const {
    Line(n, ParamKind::Boolean);
    return context_.Boolean(n);
}

std::int32_t CommandLines::Integer(int n) const {
    return script::TextToInt(Value(n));
}

std::string CommandLines::VariableName(int n) const {
    const ParamInfo& param = VariableLine(n);
    const std::string raw = context_.Raw(n);
    return param.nameForm == NameForm::NameOrReference ? script::NameOrReference(raw) : raw;
}

std::string CommandLines::VariableValue(int n) const {
    return context_.variables.Get(VariableName(n));
}

void CommandLines::DefineIfMissing(int n) const {
    const std::string name = VariableName(n);
    auto lock = context_.variables.Lock();
    if (!context_.variables.IsDefined(name)) context_.variables.Define(name, "", Stage());
}

void CommandLines::Store(int n, std::string_view value) const {
    const std::string name = VariableName(n);
    auto lock = context_.variables.Lock();
    if (!context_.variables.IsDefined(name)) context_.variables.Define(name, "", Stage());
    context_.variables.Set(name, value, Stage());
}

std::string CommandLines::Stage() const {
    return script::ActionStage(info_.name);
}

} // namespace zk::commands
