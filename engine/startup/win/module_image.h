// Data appended after a loaded module's regular file image (the script image
// of the engine, the language file of the archive library).
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace zk::startup {

// File name of a loaded module (ANSI).
std::string ModuleFileName(HMODULE module);

// Length of the module's regular file image, from its in-memory section table
// (null: the running program).
std::optional<unsigned long long> ModuleImageEnd(HMODULE module);

struct AppendedData {
    std::string file;            // the module's file
    unsigned long long offset;   // end of the regular image
    unsigned long long size;     // bytes after it (0: nothing appended)
};

// Where data is appended to `module`'s file. Throws EngineError when the file
// cannot be read.
AppendedData LocateAppendedData(HMODULE module);

// Copies the appended bytes into `target`. Throws EngineError on failure.
void CopyAppendedData(const AppendedData& data, const std::string& target);

} // namespace zk::startup
