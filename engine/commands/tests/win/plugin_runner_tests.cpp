// Plug-in commands run through the interpreter with the real runner and the
// test plug-in library that lies next to this test program.
#include "engine/commands/win/plugin_runner.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <mutex>
#include <ostream>

#include "engine/commands/tests/command_harness.h"

namespace zk::commands {
namespace {

using testing::FakeHost;
using testing::FakePlatform;
using testing::ScriptBuilder;

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

struct ShownError {
    std::uintptr_t owner;
    std::string text;
    std::string caption;
};

struct ProgressReport {
    int position;
    std::optional<std::string> text;
    bool operator==(const ProgressReport&) const = default;
    friend void PrintTo(const ProgressReport& report, std::ostream* out) {
        *out << report.position << " " << report.text.value_or("<kept>");
    }
};

class PluginCommandTest : public ::testing::Test {
  protected:
    static constexpr std::size_t kPluginIndex = 5;

    // A script that sets KEEP, CHANGE, DROP1 and DROP2, runs the plug-in command
    // "Zip Files" with the data and library given, then sets AFTER.
    script::RunResult Run(const std::string& data,
                          const std::string& library = "plugins\\test_plugin.dll",
                          const std::string& mediaEntry = "") {
        ScriptBuilder builder;
        builder.Add("Set Variable", {"KEEP", "kept"})
            .Add("Set Variable", {"CHANGE", "before"})
            .Add("Set Variable", {"DROP1", "one"})
            .Add("Set Variable", {"DROP2", "two"})
            .Add("Set Variable", {"WINDOWHANDLE", "4660"})
            .Add("Zip Files", {data, library})
            .Add("Set Variable", {"AFTER", "ran"});
        script::ScriptImage image = builder.Image();
        image.pluginCommands.Add("Zip Files");
        image.mediaFolders.Set(kPluginIndex, mediaEntry);

        script::RunSettings settings;
        settings.msiFile = FakeHost::kDatabase;
        settings.silent = silent;
        script::Interpreter interpreter(image, variables, log, host, settings);
        CommandServices services;
        services.platform = &platform;
        RegisterPortableCommands(interpreter, services);

        PluginEnvironment environment;
        environment.supportFolder = ProgramFolder();
        environment.dataFolder = "C:\\nowhere\\data\\";
        environment.silent = [this] { return silent; };
        environment.caption = [] { return std::string("Test Setup"); };
        environment.showError = [this](std::uintptr_t owner, const std::string& text,
                                       const std::string& caption) {
            errors.push_back({owner, text, caption});
        };
        environment.progress = [this](int position, const std::optional<std::string>& text) {
            std::lock_guard<std::mutex> lock(progressLock);
            progress.push_back({position, text});
        };
        environment.cancelRequested = [this] {
            std::lock_guard<std::mutex> lock(progressLock);
            return cancelAfterProgress && !progress.empty();
        };
        RegisterPluginCommands(interpreter, image, environment);
        return interpreter.Run();
    }

    bool silent = true;
    bool cancelAfterProgress = false;
    script::VariableStore variables;
    script::SetupLog log;
    FakeHost host;
    FakePlatform platform;
    std::vector<ShownError> errors;
    std::mutex progressLock;
    std::vector<ProgressReport> progress;
};

TEST_F(PluginCommandTest, ResultReplacesTheWholeStore) {
    const script::RunResult result = Run("replace");
    ASSERT_EQ(result.end, script::RunEnd::Completed) << result.message;
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(variables.Get("KEEP"), "kept");
    EXPECT_EQ(variables.Get("CHANGE"), "changed by plug-in");
    EXPECT_EQ(variables.Get("ADDED"), "new, \"quoted\" value");
    EXPECT_EQ(variables.Get("WINDOW"), "4660"); // the handle WINDOWHANDLE held
    EXPECT_EQ(variables.Get("AFTER"), "ran");
    // Replaced, not merged: the dropped variables are gone.
    EXPECT_FALSE(variables.IsDefined("DROP1"));
    EXPECT_FALSE(variables.IsDefined("DROP2"));
}

TEST_F(PluginCommandTest, FailureOrFaultInTheFirstCallLeavesTheVariablesUnchanged) {
    for (const std::string data : {"fail", "crash first"}) {
        SCOPED_TRACE(data);
        variables.ClearAll();
        const script::RunResult result = Run(data);
        ASSERT_EQ(result.end, script::RunEnd::Completed) << result.message;
        EXPECT_EQ(variables.Get("DROP1"), "one");
        EXPECT_EQ(variables.Get("CHANGE"), "before");
        EXPECT_EQ(variables.Get("AFTER"), "ran");
        EXPECT_FALSE(variables.IsDefined("ADDED"));
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(PluginCommandTest, EmptyResultOrFaultInTheSecondCallIsAGeneralFailure) {
    for (const std::string data : {"empty", "crash second"}) {
        SCOPED_TRACE(data);
        variables.ClearAll();
        const script::RunResult result = Run(data);
        EXPECT_EQ(result.end, script::RunEnd::RuntimeError);
        EXPECT_THAT(result.message, ::testing::EndsWith("General setup failure"));
        EXPECT_FALSE(variables.IsDefined("AFTER"));
    }
}

TEST_F(PluginCommandTest, MissingOrUnloadableLibraryShowsTheMessageOnceAndTheScriptGoesOn) {
    struct Case {
        const char* library;
        const char* mediaEntry;
    };
    for (const Case& c :
         {Case{"plugins\\no_such_plugin.dll", ""}, Case{"test_plugin.dll", "disk1\\"},
          // Present but without the export: it cannot be loaded as a plug-in either.
          Case{"plugin_runner_tests.exe", ""}}) {
        SCOPED_TRACE(c.library);
        errors.clear();
        variables.ClearAll();
        const script::RunResult result = Run("replace", c.library, c.mediaEntry);
        ASSERT_EQ(result.end, script::RunEnd::Completed) << result.message;
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0].owner, 4660u);
        EXPECT_EQ(errors[0].caption, "Test Setup");
        EXPECT_EQ(errors[0].text,
                  "Unable to load plug-in library. Please rebuild your project and make sure all "
                  "required plug-ins are installed.\r\rAction skipped");
        EXPECT_EQ(variables.Get("AFTER"), "ran");
        EXPECT_EQ(variables.Get("DROP1"), "one");
    }
}

TEST_F(PluginCommandTest, ProgressReachesTheEngine) {
    const script::RunResult result = Run("progress");
    ASSERT_EQ(result.end, script::RunEnd::Completed) << result.message;
    // Both calls of the plug-in report; "$IGNORE$" keeps the text, 150 is clamped.
    const std::vector<ProgressReport> round = {{0, "Starting"}, {50, std::nullopt}, {100, "Done"}};
    std::vector<ProgressReport> expected = round;
    expected.insert(expected.end(), round.begin(), round.end());
    EXPECT_EQ(progress, expected);
    EXPECT_EQ(variables.Get("CALLBACK"), "111");
    EXPECT_EQ(variables.Get("DROP1"), "one");
}

TEST_F(PluginCommandTest, CancelInAnInteractiveRunMakesTheCallbackAnswerZero) {
    silent = false;
    cancelAfterProgress = true;
    const script::RunResult result = Run("cancel");
    ASSERT_EQ(result.end, script::RunEnd::Completed) << result.message;
    EXPECT_EQ(variables.Get("CANCELLED"), "1");
}

} // namespace
} // namespace zk::commands
