#include "engine/commands/run_end_commands.h"

#include "engine/commands/command_lines.h"
#include "engine/commands/command_registration.h"
#include "engine/script/integer_text.h"

namespace zk::commands {
namespace {

using script::CommandContext;
using script::CommandOutcome;

constexpr Family kFamily = Family::ProgramService;

CommandOutcome TerminateInstall(CommandContext&) {
    return CommandOutcome::EndRun;
}

CommandOutcome TerminateWithExitCode(CommandContext& context) {
    const CommandLines lines(context);
    // A line that is not a number ends the run with exit code 0.
    context.run.exitCode = script::TryTextToInt(lines.Value(1)).value_or(0);
    return CommandOutcome::EndRun;
}

} // namespace

void RegisterRunEndCommands(script::Interpreter& interpreter) {
    RegisterHandler(interpreter, "Terminate Install", kFamily, TerminateInstall);
    RegisterHandler(interpreter, "Terminate with Exit Code", kFamily, TerminateWithExitCode);
}

} // namespace zk::commands
