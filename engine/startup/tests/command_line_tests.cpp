#include <gtest/gtest.h>

#include "engine/startup/command_line.h"

namespace zk::startup {
namespace {

TEST(CommandLine, SplitsLikeTheSystemAndKeepsTheTail) {
    EXPECT_EQ(SplitArguments("\"C:\\My Setup\\setup.exe\"  /s  \"NAME=two words\""),
              (std::vector<std::string>{"C:\\My Setup\\setup.exe", "/s", "NAME=two words"}));
    EXPECT_EQ(CommandLineTail("\"C:\\a b\\setup.exe\" /s X=1"), "/s X=1");
    EXPECT_EQ(CommandLineTail("setup.exe /s"), "/s");
    EXPECT_EQ(CommandLineTail("setup.exe"), "");
    EXPECT_EQ(CommandLineTail("\"setup.exe\""), "");
}

struct SwitchCase {
    const char* commandLine;
    bool silent;
    bool noSplash;
};

class SilentSwitch : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SilentSwitch, OnlyWholeSwitchesCount) {
    const auto options = ParseCommandLine(GetParam().commandLine);
    EXPECT_EQ(options.silent, GetParam().silent) << GetParam().commandLine;
    EXPECT_EQ(options.noSplash, GetParam().noSplash) << GetParam().commandLine;
}

INSTANTIATE_TEST_SUITE_P(Cases, SilentSwitch,
                         ::testing::Values(SwitchCase{"setup.exe /QN", true, false}, SwitchCase{"setup.exe -S", true, false},
                                           SwitchCase{"setup.exe /silent", false, false},
                                           SwitchCase{"setup.exe /qnx", false, false},
                                           SwitchCase{"setup.exe -UpdateSetup", false, true},
                                           SwitchCase{"setup.exe /update", false, true},
                                           SwitchCase{"/s", false, false})); // argument 0 is the program

TEST(CommandLine, OptionValuesAreLowerCasedAndFirstMatchWins) {
    const auto options = ParseCommandLine("setup.exe /L=C:\\Logs\\Setup.LOG -l=second.log /P=D:\\Src\\ xx/m=y");
    EXPECT_EQ(options.logFile, "c:\\logs\\setup.log");
    EXPECT_EQ(options.sourcePath, "d:\\src\\");
    // A prefix anywhere in the argument counts; the value drops the first three characters.
    EXPECT_EQ(options.sfxFile, "m=y");
}

TEST(CommandLine, SfxAndGpoPathsSplitIntoFolderAndFile) {
    const auto options = ParseCommandLine("setup.exe /m=C:\\Dist\\Pack.EXE /g=\\\\server\\share\\policy.msi");
    EXPECT_EQ(options.sfxPath, "c:\\dist\\");
    EXPECT_EQ(options.sfxFile, "pack.exe");
    EXPECT_EQ(options.gpoPath, "\\\\server\\share\\");
}

TEST(CommandLine, AssignmentsUpperCaseNameAndKeepValue) {
    const auto options = ParseCommandLine("setup.exe targetDir=C:\\Prog A=b=C /X=1 -y=2 noequals");
    ASSERT_EQ(options.variables.size(), 2u);
    EXPECT_EQ(options.variables[0], (std::pair<std::string, std::string>{"TARGETDIR", "C:\\Prog"}));
    EXPECT_EQ(options.variables[1], (std::pair<std::string, std::string>{"A", "b=C"}));
}

} // namespace
} // namespace zk::startup
