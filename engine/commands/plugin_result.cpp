#include "engine/commands/plugin_result.h"

#include "engine/script/engine_error.h"

namespace zk::commands {

namespace {

// The part after the last folder or drive separator.
std::string_view FileNamePart(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\:");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

} // namespace

std::string PluginLibraryPath(std::string_view supportFolder, std::string_view dataFolder,
                              std::string_view mediaEntry, std::string_view libraryParameter) {
    if (mediaEntry.empty())
        return std::string(supportFolder) + std::string(FileNamePart(libraryParameter));
    return std::string(dataFolder) + std::string(mediaEntry) + std::string(libraryParameter);
}

void ApplyPluginResult(script::VariableStore& variables, const std::string& result) {
    if (result.empty()) throw EngineError("General setup failure");
    variables.ReplaceFromSnapshot(result);
}

} // namespace zk::commands
