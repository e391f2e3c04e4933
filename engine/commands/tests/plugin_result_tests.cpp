#include "engine/commands/plugin_result.h"

#include <gtest/gtest.h>

#include "engine/script/engine_error.h"

namespace zk::commands {
namespace {

struct LibraryCase {
    const char* mediaEntry;
    const char* parameter;
    const char* expected;
};

class PluginLibraryPathTest : public ::testing::TestWithParam<LibraryCase> {};

TEST_P(PluginLibraryPathTest, FormsThePath) {
    const LibraryCase& c = GetParam();
    EXPECT_EQ(PluginLibraryPath("C:\\Temp\\zor1\\", "D:\\setup\\data\\", c.mediaEntry, c.parameter),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PluginLibraryPathTest,
                         ::testing::Values(
                             // No media entry: only the file name travels with the support files.
                             LibraryCase{"", "plugins\\zip\\zipper.dll",
                                         "C:\\Temp\\zor1\\zipper.dll"},
                             LibraryCase{"", "zipper.dll", "C:\\Temp\\zor1\\zipper.dll"},
                             LibraryCase{"", "C:zipper.dll", "C:\\Temp\\zor1\\zipper.dll"},
                             // With a media entry the relative path is kept below the entry.
                             LibraryCase{"disk1\\", "plugins\\zipper.dll",
                                         "D:\\setup\\data\\disk1\\plugins\\zipper.dll"}));

TEST(ApplyPluginResultTest, ReplacesTheWholeStore) {
    script::VariableStore variables;
    variables.Define("KEPT", "old", "Test");
    variables.Define("DROPPED", "x", "Test");
    ApplyPluginResult(variables, "KEPT,\"new value\",ADDED,1");
    EXPECT_EQ(variables.Get("KEPT"), "new value");
    EXPECT_EQ(variables.Get("ADDED"), "1");
    EXPECT_FALSE(variables.IsDefined("DROPPED"));
}

TEST(ApplyPluginResultTest, EmptyResultIsAnEngineErrorAndKeepsTheStore) {
    script::VariableStore variables;
    variables.Define("KEPT", "old", "Test");
    try {
        ApplyPluginResult(variables, "");
        FAIL() << "no error";
    } catch (const EngineError& error) {
        EXPECT_STREQ(error.what(), "General setup failure");
    }
    EXPECT_EQ(variables.Get("KEPT"), "old");
}

} // namespace
} // namespace zk::commands
