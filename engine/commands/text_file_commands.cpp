#include "engine/commands/text_file_commands.h"

#include <optional>

#include "common/ansi_case.h"
#include "common/line_file.h"
#include "engine/commands/command_lines.h"
#include "engine/commands/command_registration.h"

namespace zk::commands {
namespace {

using script::CommandContext;
using script::CommandOutcome;

constexpr Family kFamily = Family::FileFolder;
constexpr std::string_view kLineBreakMarker = "$NEWLINE$";

CommandOutcome ReadFromTextFile(CommandContext& context, CommandPlatform& platform) {
    const CommandLines lines(context);
    const RedirectionOffScope redirection(platform, context.run.platformMode);
    lines.DefineIfMissing(2);
    const bool hasFlag = lines.NamesVariable(3);
    if (hasFlag) lines.DefineIfMissing(3);

    std::string path = lines.Value(1);
    const bool readAll = path.starts_with(kReadAllPrefix);
    if (readAll) path.erase(0, kReadAllPrefix.size());

    OpenReadFile& file = context.run.CommandStateOf<OpenReadFile>();
    if (file.path.empty() || !AnsiSameText(path, file.path)) {
        file.Close();
        const std::optional<std::string> content = platform.ReadFile(path);
        if (!content) {
            if (hasFlag) lines.Store(3, "TRUE");
            return CommandOutcome::Continue;
        }
        file.path = path;
        file.lines = SplitLines(*content);
    }

    if (file.next < file.lines.size()) {
        if (readAll) {
            std::string rest = file.lines[file.next++];
            while (file.next < file.lines.size()) {
                rest += kLineBreakMarker;
                rest += file.lines[file.next++];
            }
            lines.Store(2, rest);
        } else {
            lines.Store(2, file.lines[file.next++]);
        }
    }
    const bool atEnd = file.next >= file.lines.size();
    if (atEnd) file.Close();
    if (hasFlag) lines.Store(3, atEnd ? "TRUE" : "FALSE");
    return CommandOutcome::Continue;
}

CommandOutcome WriteToTextFile(CommandContext& context, CommandPlatform& platform) {
    const CommandLines lines(context);
    const RedirectionOffScope redirection(platform, context.run.platformMode);
    const std::string path = lines.Value(1);
    OpenReadFile& file = context.run.CommandStateOf<OpenReadFile>();
    if (!file.path.empty() && AnsiSameText(path, file.path)) file.Close();

    std::vector<std::string> fileLines;
    if (const std::optional<std::string> content = platform.ReadFile(path))
        fileLines = SplitLines(*content);
    // The text is one entry: line breaks inside it are written as they are,
    // so it becomes several lines of the file.
    const std::string text = lines.Value(2);
    if (lines.Flag(3))
        fileLines.insert(fileLines.begin(), text);
    else
        fileLines.push_back(text);

    platform.MakeAttributesNormal(path);
    platform.WriteFile(path, JoinLinesCrLf(fileLines)); // a failed save is not reported
    return CommandOutcome::Continue;
}

} // namespace

void RegisterTextFileCommands(script::Interpreter& interpreter, const CommandServices& services) {
    CommandPlatform* platform = &RequirePlatform(services);
    RegisterHandler(interpreter, "Read from Text File", kFamily,
                    [platform](CommandContext& c) { return ReadFromTextFile(c, *platform); });
    RegisterHandler(interpreter, "Write to Text File", kFamily,
                    [platform](CommandContext& c) { return WriteToTextFile(c, *platform); });
}

} // namespace zk::commands
