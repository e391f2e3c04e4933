// Handlers of "Read from Text File" (line by line across commands, or the
// rest of the file at once after "#READALL\") and "Write to Text File"
// (insert a first or append a last line). The file being read stays open
// between commands, at most one per run, and is closed at its end, when
// another file is read or written over, or when the run ends.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/commands/command_services.h"
#include "engine/script/interpreter.h"

namespace zk::commands {

// Asks "Read from Text File" for the rest of the file at once.
inline constexpr std::string_view kReadAllPrefix = "#READALL\\";

// The open read file of the run: its path (empty when none) and its lines
// with the read position.
struct OpenReadFile : script::CommandState {
    std::string path;
    std::vector<std::string> lines;
    std::size_t next = 0;

    void Close() {
        path.clear();
        lines.clear();
        next = 0;
    }
};

void RegisterTextFileCommands(script::Interpreter& interpreter, const CommandServices& services);

} // namespace zk::commands
