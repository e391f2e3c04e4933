// Runs small scripts through the interpreter with the portable command
// handlers, a fake host and a fake platform that keeps files in memory.
#pragma once
#include <cstdio>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "common/ansi_case.h"
#include "engine/commands/portable_commands.h"
#include "engine/script/interpreter.h"
#include "engine/script/script_image.h"
#include "engine/script/setup_log.h"
#include "engine/script/tests/script_builder.h"
#include "engine/script/variable_store.h"

namespace zk::commands::testing {

using script::testing::ScriptBuilder;

class FakeHost : public script::InterpreterHost {
  public:
    std::string CurrentDate() override { return "12/11/2026"; }
    std::string CurrentTime() override { return "10:00:00"; }
    bool FileExists(const std::string& path) override { return path == kDatabase; }
    bool IsAdministrator() override { return true; }
    std::pair<std::string, std::string> RegisteredUser() override { return {"Owner", "Org"}; }
    void Bootstrap(script::VariableStore& variables) override {
        variables.Define("MAINTENANCE", "FALSE", "Bootstrap");
    }
    std::string ChooseLanguage() override { return language; }
    script::WizardResult ShowWizardDialog(script::CommandContext&) override {
        return script::WizardResult::Cancel;
    }

    static constexpr const char* kDatabase = "C:\\support\\setup.msi";
    std::string language;
};

// Files live in a map keyed by the upper-cased path (Windows paths ignore case).
class FakePlatform : public CommandPlatform {
  public:
    std::string CreateTemporaryFile(const std::string& folder, const std::string& prefix) override {
        if (folder.empty() || !AnsiSameText(folder, existingFolder)) return {};
        char name[16];
        std::snprintf(name, sizeof name, "%X.TMP", ++tempCounter);
        const std::string path = folder + prefix + name;
        files[AnsiUpper(path)] = "";
        return path;
    }
    std::string ShortPath(const std::string& path) override {
        const auto it = shortPaths.find(path);
        return it == shortPaths.end() ? std::string() : it->second;
    }
    std::optional<std::string> StoredName(const std::string& path) override {
        ++lookups;
        const auto it = storedNames.find(AnsiUpper(path));
        if (it == storedNames.end()) return std::nullopt;
        return it->second;
    }
    std::optional<std::string> ReadFile(const std::string& path) override {
        const auto it = files.find(AnsiUpper(path));
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    bool WriteFile(const std::string& path, std::string_view bytes) override {
        if (readOnly.count(AnsiUpper(path)) != 0) return false;
        files[AnsiUpper(path)] = std::string(bytes);
        return true;
    }
    void MakeAttributesNormal(const std::string& path) override { readOnly.erase(AnsiUpper(path)); }
    RedirectionState RedirectionOff(std::string_view platformMode) override {
        ++redirectionDepth;
        modes.emplace_back(platformMode);
        return {true, &redirectionDepth};
    }
    void RestoreRedirection(const RedirectionState& state) override {
        if (state.switched && state.saved == &redirectionDepth) --redirectionDepth;
    }

    std::string File(const std::string& path) const {
        const auto it = files.find(AnsiUpper(path));
        return it == files.end() ? "<missing>" : it->second;
    }
    void PutFile(const std::string& path, std::string content) {
        files[AnsiUpper(path)] = std::move(content);
    }

    std::map<std::string, std::string> files;
    std::map<std::string, std::string> readOnly;
    std::map<std::string, std::string> shortPaths;
    std::map<std::string, std::string> storedNames; // upper-cased path -> stored last component
    std::string existingFolder = "C:\\Temp\\";
    unsigned tempCounter = 0;
    int lookups = 0;
    int redirectionDepth = 0;
    std::vector<std::string> modes;
};

struct ProgressUpdate {
    std::string text;
    long long position;
    bool operator==(const ProgressUpdate&) const = default;
};

struct CommandRun {
    script::VariableStore variables;
    script::SetupLog log;
    FakeHost host;
    FakePlatform platform;
    CommandPlatform* otherPlatform = nullptr; // replaces the fake (tests of a real platform)
    std::string temporaryFolder = "C:\\Temp\\";
    std::vector<ProgressUpdate> progress;
    // Translations by key: the text for slot 1.
    std::map<std::string, std::string> translations;
    bool withTranslation = false;
    std::vector<std::pair<std::string, std::string>> commandLineVariables;
    bool silent = true;
    script::RunResult result;
    int exitCode = -12345;
    std::size_t statesLeft = 0; // command states still held after the run

    script::RunResult Run(const script::ScriptImage& image) {
        script::RunSettings settings;
        settings.msiFile = FakeHost::kDatabase;
        settings.silent = silent;
        settings.tempDir = "C:\\Temp\\";
        settings.commandLineVariables = commandLineVariables;
        script::Interpreter interpreter(image, variables, log, host, settings);
        CommandServices services;
        services.platform = otherPlatform != nullptr ? otherPlatform : &platform;
        services.temporaryFolder = temporaryFolder;
        services.refreshProgress = [this](const std::string& text, long long position) {
            progress.push_back({text, position});
        };
        if (withTranslation)
            services.translate = [this](std::string_view text, std::string_view key, int slot) {
                const auto it = translations.find(std::string(key));
                return it == translations.end() || slot != 1 ? std::string(text) : it->second;
            };
        RegisterPortableCommands(interpreter, services);
        result = interpreter.Run();
        exitCode = interpreter.State().exitCode;
        statesLeft = interpreter.State().commandStates.size();
        return result;
    }

    // Runs and expects the script to end without an error.
    void RunOk(const script::ScriptImage& image) {
        Run(image);
        if (result.end != script::RunEnd::Completed)
            throw std::runtime_error("script did not complete: " + result.message);
    }

    std::string Value(const std::string& name) const { return variables.Get(name); }
};

} // namespace zk::commands::testing
