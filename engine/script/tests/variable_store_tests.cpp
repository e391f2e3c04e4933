#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "engine/script/engine_error.h"
#include "engine/script/predefined_variables.h"
#include "engine/script/stage_labels.h"
#include "engine/script/variable_store.h"

namespace zk::script {
namespace {

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EngineError& error) {
        return error.what();
    }
    return "(no error)";
}

TEST(VariableStore, NamesAreUpperCasedUniqueAndKeepDefinitionOrder) {
    VariableStore store;
    store.Define("targetDir", "C:\\A", kStageInitialization);
    store.Define("Title", "Product", kStageInitialization);
    store.Define("TARGETDIR", "C:\\B", kStageInitialization); // redefinition sets in place
    store.Define("\xe9t\xe9", "x", kStageInitialization);     // Windows-1252 letters

    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(store.Entries(),
              (Pairs{{"TARGETDIR", "C:\\B"}, {"TITLE", "Product"}, {"\xc9T\xc9", "x"}}));
    EXPECT_TRUE(store.IsDefined("TiTlE"));
    EXPECT_EQ(store.Get("title"), "Product");
    EXPECT_EQ(store.Get("\xc9t\xe9"), "x");
    store.Set("tItLe", "Other", "Set Variable Action");
    EXPECT_EQ(store.Get("TITLE"), "Other");
}

TEST(VariableStore, UndefinedVariablesRaiseTheEngineMessages) {
    VariableStore store;
    EXPECT_EQ(ErrorOf([&] { store.Get("missing"); }),
              "Attempting to get value of undefined variable missing");
    EXPECT_EQ(ErrorOf([&] { store.Set("missing", "v", "Set Variable Action"); }),
              "Attempting to set value of undefined variable MISSING");
    EXPECT_FALSE(store.IsDefined("missing"));
}

TEST(VariableStore, MessageTextsComeFromTheCurrentTable) {
    VariableStore store;
    std::string getText = "Variable inconnue : ";
    store.SetMessageSource([&](int slot) {
        return slot == kMessageGetUndefined ? getText : DefaultVariableMessage(slot);
    });
    EXPECT_EQ(ErrorOf([&] { store.Get("x"); }), "Variable inconnue : x");
    getText = "Unbekannte Variable "; // the table is replaced later in the run
    EXPECT_EQ(ErrorOf([&] { store.Get("x"); }), "Unbekannte Variable x");
    EXPECT_EQ(ErrorOf([&] { store.Set("x", "", "s"); }),
              "Attempting to set value of undefined variable X");
}

struct CommandLineCase {
    const char* label;
    bool silent;
    std::string stage;
    std::string expected;
};

class CommandLineRule : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineRule, DecidesWhetherTheScriptOverridesTheCommandLine) {
    const CommandLineCase& c = GetParam();
    VariableStore store;
    // Names at even positions; "D:\\CMD" is a value and must not count as a name.
    store.SetCommandLineVariables({"TARGETDIR", "D:\\CMD", "D:\\CMD", "x"});
    store.Define("TARGETDIR", "D:\\CMD", kStageCommandLine);
    store.Define("OTHER", "old", kStageInitialization);
    store.SetSilent(c.silent);
    store.Set("targetdir", "C:\\SCRIPT", c.stage);
    store.Define("TargetDir", "C:\\SCRIPT", c.stage);
    EXPECT_EQ(store.Get("TARGETDIR"), c.expected);
    store.Set("OTHER", "new", c.stage);
    EXPECT_EQ(store.Get("OTHER"), "new");
}

INSTANTIATE_TEST_SUITE_P(Stages, CommandLineRule,
                         ::testing::Values(CommandLineCase{"SilentScriptKeepsCommandLine", true,
                                                           "Set Variable Action", "D:\\CMD"},
                                           CommandLineCase{"InteractiveScriptOverwrites", false,
                                                           "Set Variable Action", "C:\\SCRIPT"},
                                           CommandLineCase{"SilentInjectionWrites", true,
                                                           std::string(kStageCommandLine),
                                                           "C:\\SCRIPT"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(VariableStore, SnapshotRoundTripsQuotingAndDropsAnOddLastItem) {
    VariableStore store;
    store.Define("A", "plain", kStageInitialization);
    store.Define("B", "with space, comma and \"quote\"", kStageInitialization);
    store.Define("C", "", kStageInitialization);
    const std::string snapshot = store.Snapshot();
    EXPECT_EQ(snapshot, "A,plain,B,\"with space, comma and \"\"quote\"\"\",C,");

    VariableStore copy;
    copy.Define("GONE", "x", kStageInitialization);
    copy.ReplaceFromSnapshot(snapshot + ",ODD");
    EXPECT_EQ(copy.Entries(), store.Entries());
    EXPECT_FALSE(copy.IsDefined("GONE"));
    EXPECT_FALSE(copy.IsDefined("ODD"));

    copy.ReplaceFromSnapshot("lower,v"); // names as they come, still found ignoring case
    EXPECT_EQ(copy.Entries().front().first, "lower");
    EXPECT_EQ(copy.Get("LOWER"), "v");
    EXPECT_EQ(copy.Substitute("[$Lower$]"), "[v]");
}

TEST(VariableStore, ClearAllEmptiesVariablesAndPersistentList) {
    VariableStore store;
    store.Define("A", "1", kStageInitialization);
    EXPECT_TRUE(store.AddPersistentNameOnce("Keep"));
    EXPECT_FALSE(store.AddPersistentNameOnce("KEEP"));
    store.AppendPersistentName("Keep");
    EXPECT_EQ(store.PersistentNames(), (std::vector<std::string>{"Keep", "Keep"}));
    store.SetCommandLineVariables({"A", "1"});
    store.ClearAll();
    EXPECT_EQ(store.Count(), 0u);
    EXPECT_TRUE(store.PersistentNames().empty());
    EXPECT_EQ(store.CommandLineVariables(), (std::vector<std::string>{"A", "1"}));
}

TEST(VariableStore, WritesReportTheirStage) {
    VariableStore store;
    std::vector<std::string> seen;
    store.SetWriteObserver(
        [&](std::string_view name, std::string_view value, std::string_view stage) {
            seen.push_back(std::string(name) + "=" + std::string(value) + "@" + std::string(stage));
        });
    store.Define("a", "1", kStageBootstrap);
    store.Set("A", "2", ActionStage("Set Variable"));
    EXPECT_EQ(seen, (std::vector<std::string>{"A=1@Bootstrap", "A=2@Set Variable Action"}));
}

TEST(PredefinedVariables, FiftyTwoNamesInOrderWithProgressModeInitialization) {
    const auto& names = PredefinedVariableNames();
    ASSERT_EQ(names.size(), 52u);
    EXPECT_EQ(names.front(), "MYAHLOGO");
    EXPECT_EQ(names[19], "PROGRESSMODE");
    EXPECT_EQ(names.back(), "LANGUAGE");
    VariableStore store;
    std::vector<std::string> stages;
    store.SetWriteObserver([&](std::string_view name, std::string_view, std::string_view stage) {
        if (name == "PROGRESSMODE" || name == "TIME") stages.emplace_back(stage);
    });
    DeclarePredefinedVariables(store);
    EXPECT_EQ(store.Count(), 52u); // no duplicates among the names
    EXPECT_FALSE(store.IsDefined("GPOPATH"));
    EXPECT_EQ(stages, (std::vector<std::string>{"Compilation", "Initialization"}));
}

// Writers and readers on several threads: every operation is atomic, the lock
// is re-entrant, and a held Lock() keeps a read-compute-write sequence whole.
TEST(VariableStore, ConcurrentWorkersKeepTheStoreConsistent) {
    VariableStore store;
    store.Define("COUNTER", "0", kStageInitialization);
    store.Define("TEXT", "start", kStageInitialization);
    constexpr int kThreads = 4;
    constexpr int kRounds = 500;
    std::atomic<int> badReads{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t) {
        workers.emplace_back([&, t] {
            for (int i = 0; i < kRounds; ++i) {
                {
                    auto lock = store.Lock();
                    int value = std::stoi(store.Get("COUNTER"));
                    store.Set("COUNTER", std::to_string(value + 1), "Worker");
                }
                const std::string own = "W" + std::to_string(t) + "_" + std::to_string(i % 20);
                store.Define(own, own, "Worker");
                store.Set("TEXT", std::string(100, static_cast<char>('a' + t)), "Worker");
                std::string text = store.Substitute("$TEXT$|$" + own + "$");
                // A value is always one writer's whole text, never a mixture.
                if (text.size() != 101 + own.size() || text.find_first_not_of(text[0]) != 100)
                    ++badReads;
                store.Snapshot();
            }
        });
    }
    for (auto& worker : workers)
        worker.join();
    EXPECT_EQ(store.Get("COUNTER"), std::to_string(kThreads * kRounds));
    EXPECT_EQ(badReads.load(), 0);
    EXPECT_EQ(store.Count(), 2u + kThreads * 20u);
}

} // namespace
} // namespace zk::script
