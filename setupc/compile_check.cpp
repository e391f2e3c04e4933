#include "setupc/compile_check.h"

#include "engine/script/compiler.h"
#include "engine/script/variable_store.h"

namespace zk::setupc {
namespace {

// The compiler reports an unbalanced block count without a command; point at
// the first block left open, or at the first "End" with no block to close.
int UnbalancedLine(const ScriptSource& source, bool tooManyEnds) {
    std::vector<int> open;
    int extraEnd = 0;
    for (const SourceCommand& c : source.commands) {
        if (c.disabled) continue;
        if (c.name == "If" || c.name == "Wizard Loop") open.push_back(c.line);
        if (c.name == "End") {
            if (!open.empty())
                open.pop_back();
            else if (extraEnd == 0)
                extraEnd = c.line;
        }
    }
    if (tooManyEnds && extraEnd) return extraEnd;
    if (!tooManyEnds && !open.empty()) return open.front();
    return source.commands.empty() ? 0 : source.commands.back().line;
}

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

} // namespace

void CheckCompiles(const ScriptSource& source, const script::ScriptImage& image) {
    script::VariableStore store;
    const script::CompileResult result = script::Compile(image, store);
    if (result.Succeeded()) return;
    int line = 0;
    if (result.errorIndex == script::kUnbalancedBlocks)
        line = UnbalancedLine(source, result.message.find("Too many") != std::string::npos);
    else if (result.errorIndex >= 0 &&
             result.errorIndex < static_cast<std::int64_t>(source.commands.size()))
        line = source.commands[static_cast<std::size_t>(result.errorIndex)].line;
    throw SourceError(source.fileName, line,
                      OneLine(result.message) + " (the engine would refuse this script)");
}

} // namespace zk::setupc
