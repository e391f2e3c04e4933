// Cost of the interpreter loop: scripts of simple commands over 300 variables,
// at 100,000 and 200,000 commands (compilation included), to show how the
// cost grows with the script.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "engine/script/interpreter.h"
#include "engine/script/script_image.h"
#include "engine/script/setup_log.h"
#include "engine/script/variable_store.h"

namespace {

using namespace zk::script;

class QuietHost : public InterpreterHost {
  public:
    std::string CurrentDate() override { return "12/11/2026"; }
    std::string CurrentTime() override { return "10:00:00"; }
    bool FileExists(const std::string&) override { return true; }
    bool IsAdministrator() override { return true; }
    std::pair<std::string, std::string> RegisteredUser() override { return {}; }
    void Bootstrap(VariableStore&) override {}
    WizardResult ShowWizardDialog(CommandContext&) override { return WizardResult::Next; }
};

ScriptImage BuildScript(int commands, int variables) {
    ScriptImage image;
    auto add = [&image](const std::string& name, std::initializer_list<std::string> params) {
        char id[64];
        std::snprintf(id, sizeof id, "{%08X-0000-0000-0000-000000000000}",
                      static_cast<unsigned>(image.CommandCount() + 1));
        image.commandNames.Add(name);
        image.commandIds.Add(id);
        image.commandFlags.Add("");
        image.mediaFolders.Add("");
        image.parameterStore[0].Add(id);
        for (const auto& p : params) image.parameterStore[0].Add(p);
    };
    for (int v = 0; v < variables; ++v) add("Set Variable", {"VAR" + std::to_string(v), std::to_string(v)});
    for (int i = 0; i < commands; ++i) {
        const std::string a = "VAR" + std::to_string(i % variables);
        const std::string b = "VAR" + std::to_string((i * 7) % variables);
        add("Set Variable", {a, "$" + b + "$ and text"});
    }
    return image;
}

void BM_InterpreterLoop(benchmark::State& state) {
    const int commands = static_cast<int>(state.range(0));
    const ScriptImage image = BuildScript(commands, 300);
    for (auto _ : state) {
        VariableStore variables;
        SetupLog log;
        QuietHost host;
        RunSettings settings;
        settings.silent = true;
        Interpreter interpreter(image, variables, log, host, settings);
        interpreter.Register("Set Variable", [](CommandContext& c) {
            c.SetResult(1, c.Text(2));
            return CommandOutcome::Continue;
        });
        const RunResult result = interpreter.Run();
        if (result.end != RunEnd::Completed) state.SkipWithError(result.message.c_str());
    }
    state.counters["commands/s"] =
        benchmark::Counter(static_cast<double>(commands + 300) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

BENCHMARK(BM_InterpreterLoop)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
