// Plug-in commands on Windows: every name of the script's plug-in command
// list gets a handler that loads the named library on a worker thread, calls
// its "RunTimeExecute" export with the variable snapshot and replaces the
// variable store by what the plug-in returns.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/commands/command_platform.h"
#include "engine/script/interpreter.h"
#include "engine/script/script_image.h"

namespace zk::commands {

// What plug-in commands need from the engine. Every function may be empty.
struct PluginEnvironment {
    std::string supportFolder; // with a trailing "\"
    std::string dataFolder;    // with a trailing "\"
    // Whether the run is silent; empty: the variable store's silent flag.
    std::function<bool()> silent;
    // Caption of engine message boxes; empty: no caption.
    std::function<std::string()> caption;
    // Owner window of the plug-in call and its messages; empty: the window
    // whose handle the variable WINDOWHANDLE holds (0 when undefined).
    std::function<std::uintptr_t()> windowHandle;
    // Shows an error message box; empty: MessageBoxA with the error icon.
    std::function<void(std::uintptr_t owner, const std::string& text, const std::string& caption)>
        showError;
    // Progress reported by the plug-in (position 0..100, text; nullopt keeps
    // the current text). Called on the plug-in's worker thread: it must only
    // write the progress store, never touch windows.
    std::function<void(int position, const std::optional<std::string>& text)> progress;
    // Polled on the main thread while an interactive run waits for the plug-in.
    std::function<bool()> cancelRequested;
    // Handles pending window messages while an interactive run waits;
    // empty: the runner's own PeekMessage loop.
    std::function<void()> processMessages;
    // Switches the 64-bit emulation's file-system redirection off around the
    // library check and the call (platform mode of the run); null: no switch.
    CommandPlatform* platform = nullptr;
};

// How a call of a library ended.
enum class PluginCallEnd {
    Returned,     // result holds the text, or the snapshot after -1
    NotLoadable,  // the library or its export could not be loaded
    FailedSecond, // an exception during the second call: no result
};

struct PluginCallResult {
    PluginCallEnd end = PluginCallEnd::Returned;
    std::string result;
};

struct PluginCall {
    std::string library; // full path
    std::uintptr_t window = 0;
    std::string snapshot; // the variables as comma text
    std::string data;     // the plug-in data, unchanged
    std::string platformMode = "Win32";
    bool silent = true;
};

// Runs the library on a worker thread and waits for it (silent: blocking;
// interactive: handling window messages and relaying cancellation).
PluginCallResult RunPluginLibrary(const PluginCall& call, const PluginEnvironment& environment);

// The text of the message shown when a plug-in library cannot be loaded.
extern const char* const kPluginLibraryMissingMessage;

// Registers a handler for every name of the image's plug-in command list,
// replacing a handler already registered under the same name: call it after
// the built-in handlers are registered so plug-ins take precedence.
void RegisterPluginCommands(script::Interpreter& interpreter, const script::ScriptImage& image,
                            PluginEnvironment environment);

} // namespace zk::commands
