#include "engine/commands/string_commands.h"

#include <string>

#include "common/ansi_case.h"
#include "engine/commands/command_lines.h"
#include "engine/commands/command_registration.h"
#include "engine/commands/path_text.h"
#include "engine/commands/string_text.h"
#include "engine/script/variable_store.h"

namespace zk::commands {
namespace {

using script::CommandContext;
using script::CommandOutcome;

constexpr Family kFamily = Family::VariableString;

CommandOutcome ParseString(CommandContext& context) {
    const CommandLines lines(context);
    const std::string source = lines.Value(1);
    const std::string delimiter = lines.Value(2);
    if (lines.NamesVariable(3)) lines.DefineIfMissing(3);
    if (lines.NamesVariable(4)) lines.DefineIfMissing(4);
    const int mode = lines.Integer(5);
    const ParsedParts parts = ParseParts(source, delimiter, mode, lines.Flag(6), lines.Flag(7));
    if (lines.NamesVariable(3)) lines.Store(3, parts.left);
    if (lines.NamesVariable(4)) lines.Store(4, parts.right);
    return CommandOutcome::Continue;
}

CommandOutcome ReplaceString(CommandContext& context) {
    const CommandLines lines(context);
    const std::string value = lines.VariableValue(1);
    const std::string search = lines.Value(2);
    const std::string replacement = lines.Value(3);
    lines.Store(1, ReplaceText(value, search, replacement, lines.Flag(4), lines.Flag(5)));
    return CommandOutcome::Continue;
}

// The variable's value with references expanded and doubled backslashes
// collapsed: the text the in-place conversions work on.
std::string ExpandedValue(const CommandLines& lines) {
    return lines.Context().variables.SubstitutePath(lines.VariableValue(1));
}

CommandOutcome ConvertCase(CommandContext& context) {
    const CommandLines lines(context);
    const std::string text = ExpandedValue(lines);
    lines.Store(1, lines.Flag(2) ? AnsiUpper(text) : AnsiLower(text));
    return CommandOutcome::Continue;
}

CommandOutcome ConvertPath(CommandContext& context, const CommandServices& services) {
    const CommandLines lines(context);
    CommandPlatform& platform = RequirePlatform(services);
    const RedirectionOffScope redirection(platform, context.run.platformMode);
    const std::string text = ExpandedValue(lines);
    const std::string converted = lines.Flag(2)
                                      ? platform.ShortPath(text)
                                      : LongPathForm(text, [&platform](const std::string& path) {
                                            return platform.StoredName(path);
                                        });
    lines.Store(1, converted);
    return CommandOutcome::Continue;
}

CommandOutcome ExtractPath(CommandContext& context) {
    const CommandLines lines(context);
    const std::string text = ExpandedValue(lines);
    lines.Store(1, ExtractPathPart(text, lines.Integer(2)));
    return CommandOutcome::Continue;
}

} // namespace

void RegisterStringCommands(script::Interpreter& interpreter, const CommandServices& services) {
    RequirePlatform(services);
    RegisterHandler(interpreter, "Parse String", kFamily, ParseString);
    RegisterHandler(interpreter, "Replace String", kFamily, ReplaceString);
    RegisterHandler(interpreter, "Convert Case", kFamily, ConvertCase);
    RegisterHandler(interpreter, "Convert Path", kFamily,
                    [services](CommandContext& c) { return ConvertPath(c, services); });
    RegisterHandler(interpreter, "Extract Path", kFamily, ExtractPath);
}

} // namespace zk::commands
