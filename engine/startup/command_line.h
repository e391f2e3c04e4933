// The engine's command line: argument splitting and the start-up options.
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zk::startup {

struct StartupOptions {
    std::string commandLineTail; // raw text after the program name (CMDLINE)
    bool silent = false;         // "/s", "-s", "/qn", "-qn" in any case
    bool noSplash = false;       // "/update", "/updatesetup" (also with "-")
    std::string logFile;         // "/l=" or "-l=", lower-cased
    std::string sourcePath;      // "/p=" or "-p=", lower-cased
    std::string sfxPath;         // "/m=": folder of the file, with "\"
    std::string sfxFile;         // "/m=": file name
    std::string gpoPath;         // "/g=": folder of the file, with "\"
    // NAME=VALUE arguments: upper-cased name, value as written, in order.
    std::vector<std::pair<std::string, std::string>> variables;
};

// Splits a raw command line as the system does for programs of this kind:
// arguments are separated by blanks; double quotes group and are removed.
std::vector<std::string> SplitArguments(std::string_view commandLine);

// The command line without the program name and one separator.
std::string CommandLineTail(std::string_view commandLine);

// Reads the options from a raw command line (argument 0 is the program).
StartupOptions ParseCommandLine(std::string_view commandLine);

} // namespace zk::startup
