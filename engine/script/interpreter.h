// The interpreter: prepares the run (compilation, bootstrap, predefined
// variables, language, command-line values), then executes the commands one
// by one on the calling thread, keeping the block structure of "If" chains,
// wizard loops and jumps. Commands other than control flow go to handlers
// registered by name; the rest of the engine is reached through the host.
#pragma once
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

namespace zk::script {

struct ScriptImage;
class SetupLog;
class VariableStore;

enum class CommandOutcome { Continue, EndRun };
enum class WizardResult { Next, Back, Cancel, Custom };

// State a command family keeps between its commands for the rest of the run
// (the text file being read, the random generator). Made on first use and
// released when the run ends, whichever way it ends.
class CommandState {
  public:
    virtual ~CommandState() = default;
};

// Per-run values commands may change and start-up reads afterwards.
struct RunState {
    int exitCode = 0;
    std::string platformMode = "Win32";
    // Installer properties collected for the installation pass, in order.
    std::vector<std::pair<std::string, std::string>> pendingProperties;
    void SetPendingProperty(const std::string& name, const std::string& value);

    // The state of type T (derived from CommandState), made on first use.
    template <typename T> T& CommandStateOf() {
        std::unique_ptr<CommandState>& slot = commandStates[std::type_index(typeid(T))];
        if (!slot) slot = std::make_unique<T>();
        return static_cast<T&>(*slot);
    }
    // Releases every family's state: what commands left open is closed.
    void ReleaseCommandStates() { commandStates.clear(); }
    std::map<std::type_index, std::unique_ptr<CommandState>> commandStates;
};

// What a command handler works with. Parameter n counts from 1.
struct CommandContext {
    const ScriptImage& image;
    VariableStore& variables;
    RunState& run;
    std::size_t index;
    std::string name;

    std::string Raw(int n) const;
    std::string Text(int n) const; // substituted
    std::string Path(int n) const; // path-substituted
    bool Boolean(int n) const;
    // The variable a result parameter names (bare name or pure reference).
    std::string ResultName(int n) const;
    // Defines the result variable when missing, then sets it (stage: name + " Action").
    void SetResult(int n, std::string_view value) const;
};

using CommandHandler = std::function<CommandOutcome(CommandContext&)>;

// Engine services the interpreter needs; the Windows layer implements them,
// tests fake them.
class InterpreterHost {
  public:
    virtual ~InterpreterHost() = default;
    virtual void ProcessMessages() {}
    virtual bool CancelRequested() { return false; }
    // Progress window: whether it is shown, and an update of text and position (0..100).
    virtual bool ProgressShown() { return false; }
    virtual void ShowProgress(const std::string& /*text*/, long long /*position*/) {}
    // Run-time error report (called only in interactive runs).
    virtual void ShowRuntimeError(const std::string& /*message*/) {}
    virtual std::string CurrentDate() = 0;
    virtual std::string CurrentTime() = 0;
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool IsAdministrator() = 0;
    // "RegisteredOwner" and "RegisteredOrganization" of the system.
    virtual std::pair<std::string, std::string> RegisteredUser() = 0;
    // Defines the bootstrap's variables (installed instance, maintenance data).
    virtual void Bootstrap(VariableStore& variables) = 0;
    // Recomputes ENGINECACHE and UNINSTALLLINK for the current ALLUSERS.
    virtual void RefreshInstanceLinks(VariableStore& /*variables*/) {}
    virtual void RemoveResumeEntry() {}
    // Chooses the setup language; empty for none.
    virtual std::string ChooseLanguage() { return {}; }
    virtual void LoadTranslations(const std::string& /*language*/) {}
    // Engine state that follows variables before every command.
    virtual void SetLogFileName(const std::string& /*name*/) {}
    virtual void SetCaption(const std::string& /*title*/, bool /*myahLogo*/) {}
    // Shows the dialog of a "Display Dialog" command inside a wizard loop.
    virtual WizardResult ShowWizardDialog(CommandContext& context) = 0;
};

// Engine-wide values from start-up that become variables.
struct RunSettings {
    std::string exeFile;
    std::string exeDir;
    std::string tempDir;
    std::string supportDir;
    std::string msiFile; // installer database copied into the support folder
    bool silent = false;
    std::string logFile;
    std::string commandLineTail;
    std::string sfxPath;
    std::string sfxFile;
    std::string gpoPath;
    std::vector<std::pair<std::string, std::string>> commandLineVariables;
    std::string runtimeErrorTitle = "Runtime error in setup script:";
};

enum class RunEnd {
    Completed,     // past the last command or ended by a command
    NoDatabase,    // neither installer database exists: ended quietly
    CompileFailed, // the caller ends the process with exit code 314
    RuntimeError,  // reported; start-up continues
};

struct RunResult {
    RunEnd end = RunEnd::Completed;
    std::string message; // compiler message or run-time error text
    long long errorIndex = -1;
};

class Interpreter {
  public:
    static constexpr int kMessagePumpInterval = 314;

    Interpreter(const ScriptImage& image, VariableStore& variables, SetupLog& log, InterpreterHost& host,
                RunSettings settings);

    void Register(std::string name, CommandHandler handler);
    RunResult Run();
    RunState& State() { return run_; }

  private:
    void Prepare();
    void DefineInitializationVariables();
    void RefreshEngineState();
    // Picks the next command into current_; false when the script has ended.
    bool ChooseCommand();
    // Scans forward from the program counter for the end or branch of the
    // current "If" chain; returns the index found or the command count.
    std::size_t ScanChain(bool branchesToo) const;
    std::size_t ScanToEnd(std::size_t from) const;
    void LeaveWizardAt(std::size_t endIndex);
    CommandOutcome Execute(std::size_t index);
    void GoToLabel(const std::string& label);
    void UpdateProgress();
    bool Enabled(std::size_t index) const;
    const std::string& NameOf(std::size_t index) const;

    const ScriptImage& image_;
    VariableStore& variables_;
    SetupLog& log_;
    InterpreterHost& host_;
    RunSettings settings_;
    RunState run_;
    std::map<std::string, CommandHandler, std::less<>> handlers_;

    std::size_t programCounter_ = 0;
    std::size_t current_ = 0;
    long long openBlocks_ = 0;
    bool skipToBranch_ = false;
    bool skipToEnd_ = false;
    bool endLanded_ = false;
    bool branchLanded_ = false;
    bool wizardActive_ = false;
    int wizardStep_ = 1;
    bool wizardEnd_ = false;
    std::string lastProgressText_;
    long long lastProgressValue_ = -1;
    std::string lastLanguage_ = "ZILCH";
    std::vector<std::pair<std::string, std::size_t>> labels_;
};

} // namespace zk::script
