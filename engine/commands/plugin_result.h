// The portable half of plug-in commands: where the library of a plug-in
// command lies, and how the text a plug-in returns reaches the variables.
#pragma once
#include <string>
#include <string_view>

#include "engine/script/variable_store.h"

namespace zk::commands {

// Without a media folder entry the library is the support folder plus the
// file name part of the library parameter; with an entry it is the data
// folder plus the entry plus the parameter as written.
std::string PluginLibraryPath(std::string_view supportFolder, std::string_view dataFolder,
                              std::string_view mediaEntry, std::string_view libraryParameter);

// Replaces the whole store by the pairs of the result (a plug-in returns all
// variables). An empty result throws zk::EngineError "General setup failure".
void ApplyPluginResult(script::VariableStore& variables, const std::string& result);

} // namespace zk::commands
