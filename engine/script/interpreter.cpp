#include "engine/script/interpreter.h"

#include <exception>

#include "common/ansi_case.h"
#include "engine/script/compiler.h"
#include "engine/script/conditions.h"
#include "engine/script/engine_error.h"
#include "engine/script/integer_text.h"
#include "engine/script/script_image.h"
#include "engine/script/setup_log.h"
#include "engine/script/stage_labels.h"
#include "engine/script/variable_store.h"
#include "engine/script/variable_text.h"

namespace zk::script {
namespace {

constexpr std::string_view kIf = "If";
constexpr std::string_view kElseIf = "Else If";
constexpr std::string_view kElse = "Else";
constexpr std::string_view kEnd = "End";
constexpr std::string_view kWizardLoop = "Wizard Loop";
constexpr std::string_view kDisplayDialog = "Display Dialog";
constexpr std::string_view kGoToLabel = "GoTo Label";
constexpr std::string_view kLabel = "Label";
constexpr std::string_view kIgnore = "Ignore";

} // namespace

void RunState::SetPendingProperty(const std::string& name, const std::string& value) {
    for (auto& [n, v] : pendingProperties)
        if (n == name) {
            v = value;
            return;
        }
    pendingProperties.emplace_back(name, value);
}

// ---- CommandContext -------------------------------------------------------

std::string CommandContext::Raw(int n) const { return image.ParameterOf(index, n); }
std::string CommandContext::Text(int n) const { return variables.Substitute(Raw(n)); }
std::string CommandContext::Path(int n) const { return variables.SubstitutePath(Raw(n)); }
bool CommandContext::Boolean(int n) const { return IsTrueText(Raw(n)); }
std::string CommandContext::ResultName(int n) const { return NameOrReference(Raw(n)); }

void CommandContext::SetResult(int n, std::string_view value) const {
    const std::string target = ResultName(n);
    auto lock = variables.Lock();
    if (!variables.IsDefined(target)) variables.Define(target, "", ActionStage(name));
    variables.Set(target, value, ActionStage(name));
}

// ---- Interpreter ----------------------------------------------------------

Interpreter::Interpreter(const ScriptImage& image, VariableStore& variables, SetupLog& log, InterpreterHost& host,
                         RunSettings settings)
    : image_(image), variables_(variables), log_(log), host_(host), settings_(std::move(settings)) {}

void Interpreter::Register(std::string name, CommandHandler handler) { handlers_[std::move(name)] = std::move(handler); }

bool Interpreter::Enabled(std::size_t index) const { return !image_.IsDisabled(index); }
const std::string& Interpreter::NameOf(std::size_t index) const { return image_.CommandName(index); }

RunResult Interpreter::Run() {
    log_.Write("    <Variables>");
    run_ = RunState{};
    variables_.SetSilent(settings_.silent);
    log_.Write("    </Variables>");

    log_.Write("    <CompileScript>");
    const CompileResult compiled = Compile(image_, variables_);
    if (!compiled.Succeeded()) return {RunEnd::CompileFailed, compiled.message, compiled.errorIndex};
    log_.Write("    </CompileScript>");

    RunResult result;
    bool inLoop = false;
    try {
        variables_.ClearAll();
        variables_.Define("TARGETDIR", "", kStagePreInitialization);
        variables_.Define("STARTMENU", image_.productTitle, kStagePreInitialization);
        variables_.Define("ALLUSERS", host_.IsAdministrator() ? "TRUE" : "FALSE", kStagePreInitialization);

        log_.Write("    <BootStrap>");
        host_.Bootstrap(variables_);
        log_.Write("    </BootStrap>");

        programCounter_ = 0;
        labels_.clear();
        for (std::size_t i = 0; i < image_.CommandCount(); ++i)
            if (NameOf(i) == kLabel) labels_.emplace_back(AnsiUpper(image_.ParameterOf(i, 1)), i);

        const std::string& msi = settings_.msiFile;
        const std::string msp = msi.size() > 4 ? msi.substr(0, msi.size() - 4) + ".msp" : msi + ".msp";
        if (!host_.FileExists(msi) && !host_.FileExists(msp)) return {RunEnd::NoDatabase, {}, -1};

        log_.Write("    <zara>");
        inLoop = true;
        Prepare();
        // ChooseCommand passes over disabled commands itself.
        while (ChooseCommand()) {
            variables_.Define("ABORT", host_.CancelRequested() ? "TRUE" : "FALSE", kStageCancelState);
            UpdateProgress();
            if (Execute(current_) == CommandOutcome::EndRun) break;
        }
    } catch (const std::exception& e) {
        run_.ReleaseCommandStates();
        result.end = RunEnd::RuntimeError;
        result.errorIndex = static_cast<long long>(programCounter_);
        result.message = settings_.runtimeErrorTitle + "\r\r" + "Line " + std::to_string(programCounter_) + ": " + e.what();
        if (!variables_.Silent()) host_.ShowRuntimeError(result.message);
        return result;
    }
    if (inLoop) {
        log_.Write("    </zara>");
        log_.Write("    <ExitScript>");
        run_.ReleaseCommandStates();
        log_.Write("    </ExitScript>");
    }
    return result;
}

void Interpreter::Prepare() {
    DefineInitializationVariables();
    host_.RemoveResumeEntry();
    // Properties of component-bound commands start switched off; a command
    // that runs switches its own on. Commands without header are passed over.
    for (std::size_t i = 0; i < image_.CommandCount(); ++i) {
        const std::string header = image_.CommandHeader(i);
        if (!header.empty()) run_.SetPendingProperty("A" + header, "FALSE");
    }
    variables_.Define("LANGUAGE", "", kStageInitialization);
    const std::string language = host_.ChooseLanguage();
    variables_.Define("LANGUAGE", language, kStageInitialization);
    for (const auto& [name, value] : settings_.commandLineVariables) variables_.Define(name, value, kStageCommandLine);
    variables_.SetCommandLineVariables([this] {
        std::vector<std::string> lines;
        for (const auto& [name, value] : settings_.commandLineVariables) {
            lines.push_back(name);
            lines.push_back(value);
        }
        return lines;
    }());
}

void Interpreter::DefineInitializationVariables() {
    const auto stage = kStageInitialization;
    const auto [owner, organization] = host_.RegisteredUser();
    const std::pair<const char*, std::string> values[] = {
        {"MYAHLOGO", ""},
        {"SELECTED", "0"},
        {"WINDOWHANDLE", "0"},
        {"EXEFILE", settings_.exeFile},
        {"EXEDIR", settings_.exeDir},
        {"PROGRESSTEXT", ""},
        {"PROGRESSMODE", ""},
        {"ABORT", "FALSE"},
        {"PROGRESS", "0"},
        {"LASTERROR", ""},
        {"LICENSE", "FALSE"},
        {"USERNAME", owner},
        {"USERCOMPANY", organization},
        {"COPYWEBLOCK", ""},
        {"REBOOTCOMPUTER", "FALSE"},
        {"RUNAPP", "TRUE"},
        {"WIZARD", "NEXT"},
        {"VERSION", image_.productVersion},
        {"SILENT", settings_.silent ? "TRUE" : "FALSE"},
        {"LOGGED", settings_.logFile},
        {"CMDLINE", settings_.commandLineTail},
        {"REBOOTNOW", "OK"},
        {"SFXPATH", settings_.sfxPath},
        {"SFXFILE", settings_.sfxFile},
        {"GPOPATH", settings_.gpoPath},
        {"COMPLETE", "TRUE"},
        {"NEWLINE", "\r\n"},
        {"MINIMUM", "FALSE"},
        {"PERSONALIZED", "FALSE"},
        {"MODIFY", "TRUE"},
        {"REPAIR", "FALSE"},
        {"REMOVE", "FALSE"},
        {"ROOTDIR", settings_.exeDir},
        {"TITLE", variables_.IsDefined("TITLE") ? variables_.Get("TITLE") : image_.productTitle},
        {"COMPANY", image_.publisher},
        {"ADVERTISE", "FALSE"},
        {"DATE", host_.CurrentDate()},
        {"TIME", host_.CurrentTime()},
        {"TEMPDIR", settings_.tempDir},
        {"SUPPORTDIR", settings_.supportDir},
        {"MSIFILE", settings_.msiFile},
    };
    for (const auto& [name, value] : values) variables_.Define(name, value, stage);
}

void Interpreter::RefreshEngineState() {
    host_.SetLogFileName(variables_.Get("LOGGED"));
    log_.SetFileName(variables_.Get("LOGGED"));
    variables_.SetSilent(IsTrueText(variables_.Get("SILENT")));
    host_.SetCaption(variables_.Get("TITLE"), variables_.Get("MYAHLOGO") == "TRUE");
    variables_.Define("DATE", host_.CurrentDate(), kStageInitialization);
    variables_.Define("TIME", host_.CurrentTime(), kStageInitialization);
    const std::string language = variables_.Get("LANGUAGE");
    if (!language.empty() && language != lastLanguage_) {
        lastLanguage_ = language;
        host_.LoadTranslations(language);
    }
    variables_.Define("LANGUAGE", language, kStageInitialization);
    host_.RefreshInstanceLinks(variables_);
}

std::size_t Interpreter::ScanChain(bool branchesToo) const {
    long long nesting = 0;
    for (std::size_t j = programCounter_; j < image_.CommandCount(); ++j) {
        if (!Enabled(j)) continue;
        const std::string& name = NameOf(j);
        if (name == kIf || name == kWizardLoop) {
            ++nesting;
        } else if (name == kEnd) {
            if (nesting > 0)
                --nesting; // closes a nested block
            else
                return j;
        } else if (branchesToo && nesting == 0 && (name == kElse || name == kElseIf)) {
            return j;
        }
    }
    return image_.CommandCount();
}

std::size_t Interpreter::ScanToEnd(std::size_t from) const {
    for (std::size_t j = from; j < image_.CommandCount(); ++j)
        if (Enabled(j) && NameOf(j) == kEnd) return j;
    return image_.CommandCount();
}

void Interpreter::LeaveWizardAt(std::size_t endIndex) {
    wizardActive_ = false;
    wizardEnd_ = true;
    current_ = endIndex;
    programCounter_ = endIndex + 1;
}

bool Interpreter::ChooseCommand() {
    const std::size_t count = image_.CommandCount();
    if (programCounter_ >= count) return false;
    if (programCounter_ % kMessagePumpInterval == 0) host_.ProcessMessages();
    RefreshEngineState();
    branchLanded_ = false;

    if (skipToBranch_ || skipToEnd_) {
        const bool branches = skipToBranch_;
        skipToBranch_ = skipToEnd_ = false;
        const std::size_t j = ScanChain(branches);
        if (j >= count) {
            programCounter_ = count;
            return false;
        }
        const std::string& name = NameOf(j);
        if (name == kElse) {
            programCounter_ = j + 1; // the else branch runs
        } else {
            current_ = j;
            programCounter_ = j + 1;
            if (name == kElseIf) branchLanded_ = true;
            if (name == kEnd) endLanded_ = true;
            return true;
        }
    } else if (wizardActive_) {
        if (wizardStep_ == 0) {
            const std::size_t end = ScanToEnd(programCounter_);
            if (end >= count) return programCounter_ = count, false;
            LeaveWizardAt(end);
            return true;
        }
        long long cursor = static_cast<long long>(programCounter_) - 1;
        for (;;) {
            cursor += wizardStep_;
            if (cursor < 0 || cursor >= static_cast<long long>(count)) return programCounter_ = count, false;
            const auto at = static_cast<std::size_t>(cursor);
            if (!Enabled(at)) continue;
            const std::string& name = NameOf(at);
            if (name == kEnd) {
                LeaveWizardAt(at);
                return true;
            }
            if (name == kWizardLoop) { // moved back past the first dialog
                const std::size_t end = ScanToEnd(at + 1);
                if (end >= count) return programCounter_ = count, false;
                LeaveWizardAt(end);
                return true;
            }
            if (name == kDisplayDialog) {
                current_ = at;
                programCounter_ = at + 1;
                return true;
            }
        }
    }

    // Normal flow: the next command, passing over disabled ones and "Ignore".
    while (programCounter_ < count && (!Enabled(programCounter_) || NameOf(programCounter_) == kIgnore))
        ++programCounter_;
    if (programCounter_ >= count) return false;
    current_ = programCounter_++;
    return true;
}

CommandOutcome Interpreter::Execute(std::size_t index) {
    const std::string& name = NameOf(index);
    const bool closesWizard = wizardEnd_;
    wizardEnd_ = false;

    if (name == kIf || name == kElseIf) {
        if (name == kElseIf && !branchLanded_) {
            if (openBlocks_ > 0) skipToEnd_ = true; // the previous branch ran
            return CommandOutcome::Continue;
        }
        if (name == kIf) ++openBlocks_;
        const bool holds = EvaluateConditionOf(image_, index, variables_, nullptr);
        if (!holds) skipToBranch_ = true;
        return CommandOutcome::Continue;
    }
    if (name == kElse) {
        skipToEnd_ = true;
        return CommandOutcome::Continue;
    }
    if (name == kEnd) {
        if (endLanded_) {
            endLanded_ = false;
            --openBlocks_;
        } else if (!closesWizard && openBlocks_ > 0) {
            --openBlocks_;
        }
        return CommandOutcome::Continue;
    }
    if (name == kWizardLoop) {
        wizardActive_ = true;
        wizardStep_ = 1;
        return CommandOutcome::Continue;
    }
    if (name == kGoToLabel) {
        GoToLabel(image_.ParameterOf(index, 1));
        return CommandOutcome::Continue;
    }

    CommandContext context{image_, variables_, run_, index, name};
    if (name == kDisplayDialog && wizardActive_) {
        switch (host_.ShowWizardDialog(context)) {
        case WizardResult::Next: wizardStep_ = 1; break;
        case WizardResult::Back: wizardStep_ = -1; break;
        case WizardResult::Cancel: wizardStep_ = 0; break;
        case WizardResult::Custom: break;
        }
        return CommandOutcome::Continue;
    }
    const auto handler = handlers_.find(name);
    if (handler == handlers_.end()) return CommandOutcome::Continue; // nothing to do at run time
    return handler->second(context);
}

void Interpreter::GoToLabel(const std::string& label) {
    const std::string wanted = AnsiUpper(label);
    for (const auto& [name, index] : labels_) {
        if (name != wanted) continue;
        programCounter_ = index;
        openBlocks_ = 0;
        skipToBranch_ = skipToEnd_ = endLanded_ = branchLanded_ = false;
        wizardActive_ = wizardEnd_ = false;
        wizardStep_ = 1;
        return;
    }
    throw EngineError("Label not found: " + label);
}

void Interpreter::UpdateProgress() {
    if (!host_.ProgressShown()) return;
    const std::string text = variables_.Get("PROGRESSTEXT");
    const long long value = TextToInt(variables_.Get("PROGRESS"));
    if (text == lastProgressText_ && value == lastProgressValue_) return;
    lastProgressText_ = text;
    lastProgressValue_ = value;
    host_.ShowProgress(text, value);
    host_.ProcessMessages();
}

} // namespace zk::script
