#include "engine/commands/variable_commands.h"

#include <string>

#include "common/ansi_case.h"
#include "engine/commands/command_lines.h"
#include "engine/commands/command_registration.h"
#include "engine/commands/mathematics.h"
#include "engine/script/expressions.h"
#include "engine/script/integer_text.h"
#include "engine/script/script_image.h"
#include "engine/script/translation.h"
#include "engine/script/variable_store.h"
#include "engine/script/variable_text.h"

namespace zk::commands {
namespace {

using script::CommandContext;
using script::CommandOutcome;

constexpr Family kFamily = Family::VariableString;

// Translates an already substituted value when a language is active and the
// engine supplied a translation, then substitutes the translation again.
std::string Localised(const CommandContext& context, const CommandServices& services,
                      std::string value, std::string_view key) {
    if (!services.translate || !LanguageActive(context)) return value;
    return context.variables.Substitute(services.translate(value, key, 1));
}

CommandOutcome SetVariable(CommandContext& context, const CommandServices& services) {
    const CommandLines lines(context);
    const std::string value =
        Localised(context, services, lines.Value(2), context.image.CommandId(context.index));

    // Line 1: target, optionally followed by the remember marker and its flag.
    std::string target = context.Raw(1);
    bool remember = false;
    if (const std::size_t marker = target.find(kRememberMarker); marker != std::string::npos) {
        remember = target.substr(marker + kRememberMarker.size()) == "TRUE";
        target.erase(marker);
    }
    const std::string name = script::NameOrReference(target);

    script::VariableStore& variables = context.variables;
    {
        auto lock = variables.Lock();
        if (!variables.IsDefined(name)) variables.Define(name, "", lines.Stage());
        variables.Set(name, value, lines.Stage());
    }
    if (remember) variables.AddPersistentNameOnce(name);

    if (AnsiSameText(name, "PROGRESS") || AnsiSameText(name, "PROGRESSTEXT")) {
        const std::string text = variables.Get("PROGRESSTEXT");
        const long long position = script::TextToInt(variables.Get("PROGRESS"));
        if (services.refreshProgress) services.refreshProgress(text, position);
    }
    return CommandOutcome::Continue;
}

CommandOutcome LocalizationVariable(CommandContext& context, const CommandServices& services) {
    const CommandLines lines(context);
    lines.DefineIfMissing(1);
    const std::string name = lines.VariableName(1);
    lines.Store(1, Localised(context, services, lines.Value(2), script::LocalizationKey(name)));
    return CommandOutcome::Continue;
}

CommandOutcome GetTemporaryFile(CommandContext& context, const CommandServices& services) {
    const CommandLines lines(context);
    CommandPlatform& platform = RequirePlatform(services);
    std::string path;
    {
        const RedirectionOffScope redirection(platform, context.run.platformMode);
        path = platform.CreateTemporaryFile(services.temporaryFolder, "zor");
    }
    lines.Store(1, path);
    return CommandOutcome::Continue;
}

CommandOutcome Mathematics(CommandContext& context) {
    const CommandLines lines(context);
    if (lines.NamesVariable(4)) lines.DefineIfMissing(4);
    const std::string a = lines.Value(1);
    const std::string b = lines.Value(2);
    const std::string operation = lines.Value(3);
    auto& generator = context.run.CommandStateOf<RandomGenerator>();
    const std::string result = Calculate({a, b, operation}, generator).value_or("");
    if (lines.NamesVariable(4)) lines.Store(4, result);
    return CommandOutcome::Continue;
}

CommandOutcome EvaluateExpressionCommand(CommandContext& context) {
    const CommandLines lines(context);
    lines.DefineIfMissing(2);
    lines.Store(2, script::EvaluateExpression(lines.Value(1), context.variables));
    return CommandOutcome::Continue;
}

} // namespace

void RegisterVariableCommands(script::Interpreter& interpreter, const CommandServices& services) {
    RequirePlatform(services);
    RegisterHandler(interpreter, "Set Variable", kFamily,
                    [services](CommandContext& c) { return SetVariable(c, services); });
    RegisterHandler(interpreter, "Localization Variable", kFamily,
                    [services](CommandContext& c) { return LocalizationVariable(c, services); });
    RegisterHandler(interpreter, "Get Temporary File", kFamily,
                    [services](CommandContext& c) { return GetTemporaryFile(c, services); });
    RegisterHandler(interpreter, "Mathematics", kFamily, Mathematics);
    RegisterHandler(interpreter, "Evaluate Expression", kFamily, EvaluateExpressionCommand);
}

} // namespace zk::commands
