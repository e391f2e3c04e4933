// Turns a script source into the compiled script image: parameter records
// padded to each command kind's count, identifiers and command headers
// generated where the source gives none, media passwords encoded, component
// sizes and file table taken from the source or from the project's payload,
// and the revision code generated from the content when absent.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/script/script_image.h"
#include "setupc/script_source.h"

namespace zk::setupc {

inline constexpr std::string_view kPredefinedComponent = "ZARA-PREDEF-COMPONENT";
// header= value of a component-bound command that has no command header.
inline constexpr std::string_view kNoHeader = "-";

// What the project's payload adds to the image.
struct PayloadFacts {
    bool present = false; // the project names payload folders
    // Component name and size in bytes; the predefined component comes first.
    std::vector<std::pair<std::string, std::uint64_t>> componentSizes;
    std::vector<FileEntry> fileTable;
    std::string digest; // changes whenever a payload file changes; part of the revision code
};

// Throws SourceError at the offending source line.
script::ScriptImage BuildImage(const ScriptSource& source, const PayloadFacts& payload = {});

// The header the builder gives a component-bound command with this
// identifier when no other command uses it yet.
std::string PreferredCommandHeader(const std::string& id);
// Parameter count a command of this name takes in this script (plug-in
// commands take two), or -1 for a name the engine does not know.
int ScriptParameterCount(const ScriptSource& source, const std::string& name);
// The identifiers the builder generates for commands without an explicit one.
std::vector<std::string> GeneratedCommandIds(const ScriptSource& source);

} // namespace zk::setupc
