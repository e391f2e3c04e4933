// Stage labels: the origin text every variable write carries. Only
// "Inject Override Command Line" changes behaviour (the command-line rule of
// VariableStore::Set); the others name the writer for tracing.
#pragma once
#include <string>
#include <string_view>

namespace zk::script {

inline constexpr std::string_view kStageCompilation = "Compilation";
inline constexpr std::string_view kStagePreInitialization = "Pre-Initialization";
inline constexpr std::string_view kStageInitialization = "Initialization";
inline constexpr std::string_view kStageBootstrap = "Bootstrap";
inline constexpr std::string_view kStageLoadComponents = "LoadComponents";
inline constexpr std::string_view kStageCommandLine = "Inject Override Command Line";
inline constexpr std::string_view kStageCancelState = "Cancel State";
inline constexpr std::string_view kStageDisplayDialog = "Display Dialog";

// The label of a command's results: the command name followed by " Action".
inline std::string ActionStage(std::string_view commandName) {
    return std::string(commandName) + " Action";
}

} // namespace zk::script
