// Compilation of the script before it runs: block balance, labels, the
// variables commands refer to (declared in program order in the variable
// store) and the command state list of component-bound commands. The command
// lists themselves stay what is executed.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zk::script {

struct ScriptImage;
class VariableStore;

inline constexpr std::int64_t kCompiledOk = -1;
// Error index of an unbalanced block count.
inline constexpr std::int64_t kUnbalancedBlocks = 2147483644;
inline constexpr std::string_view kCompiledMessage = "Script compiled successfully";

struct CompileResult {
    std::int64_t errorIndex = kCompiledOk; // command index of the offending command
    std::string message;
    std::vector<std::string> labels;        // upper-cased label names
    std::vector<std::string> commandStates; // "SKIP" / "FALSE" per command (so far)

    bool Succeeded() const { return errorIndex == kCompiledOk; }
};

// Compiles the script. Clears the store (and its persistent list) and leaves
// compilation's declarations in it; the interpreter clears it again.
CompileResult Compile(const ScriptImage& image, VariableStore& store);

// True when the part after the last "\" or ":" holds none of / * ? < > | ".
bool IsLegalFileName(std::string_view name);
// Commands whose enabled instances start as "FALSE" in the command state list.
bool IsComponentBoundCommand(std::string_view commandName);

} // namespace zk::script
