#include "engine/startup/command_line.h"

#include <tuple>

#include "common/ansi_case.h"

namespace zk::startup {
namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }

// The value of the first argument that holds `prefix` anywhere: the lower-cased
// argument without its first three characters.
bool FindOption(const std::vector<std::string>& lowered, std::initializer_list<const char*> prefixes,
                std::string& value) {
    for (std::size_t i = 1; i < lowered.size(); ++i) {
        for (const char* prefix : prefixes) {
            if (lowered[i].find(prefix) != std::string::npos) {
                value = lowered[i].size() > 3 ? lowered[i].substr(3) : std::string();
                return true;
            }
        }
    }
    return false;
}

std::pair<std::string, std::string> SplitFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\:");
    if (slash == std::string::npos) return {std::string(), path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

} // namespace

std::vector<std::string> SplitArguments(std::string_view commandLine) {
    std::vector<std::string> args;
    std::size_t p = 0;
    for (;;) {
        while (p < commandLine.size() && IsSeparator(commandLine[p])) ++p;
        if (p >= commandLine.size()) break;
        std::string arg;
        bool quoted = false;
        while (p < commandLine.size() && (quoted || !IsSeparator(commandLine[p]))) {
            if (commandLine[p] == '"')
                quoted = !quoted;
            else
                arg += commandLine[p];
            ++p;
        }
        args.push_back(std::move(arg));
    }
    return args;
}

std::string CommandLineTail(std::string_view commandLine) {
    if (!commandLine.empty() && commandLine[0] == '"') {
        const std::size_t close = commandLine.find('"', 1);
        if (close == std::string_view::npos) return {};
        const std::size_t start = close + 2; // the quote and the one character after it
        return start < commandLine.size() ? std::string(commandLine.substr(start)) : std::string();
    }
    const std::size_t space = commandLine.find(' ');
    if (space == std::string_view::npos) return {};
    return std::string(commandLine.substr(space + 1));
}

StartupOptions ParseCommandLine(std::string_view commandLine) {
    StartupOptions options;
    options.commandLineTail = CommandLineTail(commandLine);
    const std::vector<std::string> args = SplitArguments(commandLine);
    std::vector<std::string> lowered;
    for (const auto& a : args) lowered.push_back(AnsiLower(a));

    for (std::size_t i = 1; i < lowered.size(); ++i) {
        const std::string& a = lowered[i];
        if (a == "/s" || a == "-s" || a == "/qn" || a == "-qn") options.silent = true;
        if (a == "/update" || a == "-update" || a == "/updatesetup" || a == "-updatesetup") options.noSplash = true;
    }
    FindOption(lowered, {"/l=", "-l="}, options.logFile);
    FindOption(lowered, {"/p=", "-p="}, options.sourcePath);
    std::string value;
    if (FindOption(lowered, {"/m="}, value)) std::tie(options.sfxPath, options.sfxFile) = SplitFolder(value);
    if (FindOption(lowered, {"/g="}, value)) options.gpoPath = SplitFolder(value).first;

    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.empty() || a[0] == '/' || a[0] == '-') continue;
        const std::size_t eq = a.find('=');
        if (eq == std::string::npos) continue;
        options.variables.emplace_back(AnsiUpper(a.substr(0, eq)), a.substr(eq + 1));
    }
    return options;
}

} // namespace zk::startup
