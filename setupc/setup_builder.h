// Builds a setup from a project folder into an output folder:
//   <name>.exe  the engine with the compiled script image appended
//   <name>.res  7z archive of the support files (unpacked into the support folder)
//   <name>.msi  the installer database (or .msp), copied or built from a .wxs
//   zor.lib     the archive library, with the engine language file appended if any
//   data\       the payload and the sources marker file, in media modes 1 and 3
// Everything is written to a temporary folder beside the output folder and
// renamed at the end, so a failed build leaves no partial output.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "engine/script/script_image.h"
#include "setupc/project.h"
#include "setupc/script_source.h"

namespace zk::setupc {

struct BuildOptions {
    std::filesystem::path projectFolder;
    std::filesystem::path outputFolder;
    std::filesystem::path engine;   // engine.exe
    std::filesystem::path zor;      // zor.lib
    std::filesystem::path database; // replaces the project's Database when not empty
    std::string wixl = "wixl";      // program that builds an .msi from a .wxs
    // Progress lines of long steps (nullptr: silent). `final` ends a line.
    std::function<void(const std::string& text, bool final)> progress;
};

struct BuildResult {
    std::filesystem::path setupExe;
    script::ScriptImage image;
    std::size_t supportFiles = 0;
    std::size_t payloadFiles = 0;
    std::uint64_t payloadBytes = 0;
};

// Throws SourceError (file:line: message) on every failure.
BuildResult BuildSetup(const BuildOptions& options);

// Parses, builds and compiles a script source on its own (no payload).
// Throws SourceError.
script::ScriptImage BuildScriptImage(std::string_view text, const std::string& fileName);

} // namespace zk::setupc
