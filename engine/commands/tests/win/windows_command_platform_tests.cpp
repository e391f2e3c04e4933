// The Windows command platform on a real file system (under Wine in the
// Windows test tree): temporary files, short and stored long names, whole-file
// reads and writes, and scripts that use them end to end.
#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> maps these names to CharUpperA/CharLowerA; the engine's own
// Windows-1252 helpers of common/ansi_case.h carry the same names.
#undef AnsiUpper
#undef AnsiLower

#include <string>

#include "engine/commands/tests/command_harness.h"
#include "engine/commands/win/windows_command_platform.h"

namespace zk::commands::testing {
namespace {

// A fresh folder under the user's temporary folder, removed with its files.
class ScratchFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH + 1] = {};
        ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
        folder_ = std::string(temp) + "zk_cmds_" + std::to_string(GetCurrentProcessId()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
    }
    void TearDown() override { Remove(folder_); }

    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = data.cFileName;
                if (name == "." || name == "..") continue;
                const std::string path = folder + name;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    Remove(path + "\\");
                } else {
                    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(path.c_str());
                }
            } while (FindNextFileA(find, &data));
            FindClose(find);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string folder_;
    WindowsCommandPlatform platform_;
};

using WindowsPlatform = ScratchFolder;

TEST_F(WindowsPlatform, TemporaryFilesAreNewEmptyAndUnique) {
    const std::string first = platform_.CreateTemporaryFile(folder_, "zor");
    const std::string second = platform_.CreateTemporaryFile(folder_, "zor");
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    for (const std::string& path : {first, second}) {
        EXPECT_EQ(path.rfind(folder_ + "zor", 0), 0u) << path;
        EXPECT_TRUE(AnsiSameText(path.substr(path.size() - 4), ".TMP")) << path;
        const std::string middle =
            path.substr(folder_.size() + 3, path.size() - folder_.size() - 7);
        EXPECT_TRUE(!middle.empty() && middle.size() <= 4 &&
                    middle.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos)
            << path << " / " << middle;
        EXPECT_EQ(platform_.ReadFile(path), std::optional<std::string>(""));
    }
    EXPECT_EQ(platform_.CreateTemporaryFile(folder_ + "missing\\", "zor"), "");
}

TEST_F(WindowsPlatform, ShortAndStoredNames) {
    const std::string longFolder = folder_ + "Long Folder Name\\";
    ASSERT_TRUE(CreateDirectoryA(longFolder.c_str(), nullptr));
    const std::string file = longFolder + "Mixed Case Document.Text";
    ASSERT_TRUE(platform_.WriteFile(file, "content"));

    const std::string shortPath = platform_.ShortPath(file);
    ASSERT_FALSE(shortPath.empty());
    EXPECT_EQ(shortPath.find(' '), std::string::npos) << shortPath;
    EXPECT_EQ(platform_.ReadFile(shortPath), std::optional<std::string>("content"));
    EXPECT_EQ(platform_.ShortPath(folder_ + "not there.txt"), "");

    EXPECT_EQ(platform_.StoredName(longFolder + "MIXED CASE document.text"),
              std::optional<std::string>("Mixed Case Document.Text"));
    EXPECT_EQ(platform_.StoredName(shortPath),
              std::optional<std::string>("Mixed Case Document.Text"));
    EXPECT_EQ(platform_.StoredName(longFolder + "*.Text"), std::nullopt);
    EXPECT_EQ(platform_.StoredName(longFolder + "absent"), std::nullopt);
}

TEST_F(WindowsPlatform, WholeFilesKeepEveryByte) {
    const std::string file = folder_ + "bytes.bin";
    const std::string bytes("line\r\n\xE9t\xE9\0end\n", 14);
    ASSERT_TRUE(platform_.WriteFile(file, bytes));
    EXPECT_EQ(platform_.ReadFile(file), std::optional<std::string>(bytes));
    EXPECT_EQ(platform_.ReadFile(folder_ + "absent.txt"), std::nullopt);

    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    platform_.MakeAttributesNormal(file);
    EXPECT_EQ(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_TRUE(platform_.WriteFile(file, "replaced"));
    EXPECT_EQ(platform_.ReadFile(file), std::optional<std::string>("replaced"));
}

TEST_F(WindowsPlatform, RedirectionStaysOnWithoutEmulation) {
    // A 64-bit engine, or a 32-bit one in mode "Win32", changes nothing.
    EXPECT_FALSE(platform_.RedirectionOff("Win32").switched);
    if (!RunsOn64BitSystem()) {
        EXPECT_FALSE(platform_.RedirectionOff("x64").switched);
    }
}

using WindowsScript = ScratchFolder;

TEST_F(WindowsScript, TemporaryFileWrittenReadAndItsPathConverted) {
    const std::string longFolder = folder_ + "Program Data Folder\\";
    ASSERT_TRUE(CreateDirectoryA(longFolder.c_str(), nullptr));
    char expectedLong[MAX_PATH + 1] = {};
    ASSERT_NE(GetLongPathNameA(longFolder.c_str(), expectedLong, sizeof expectedLong), 0u);
    std::string expected = expectedLong;
    expected.pop_back(); // the long form never ends in a backslash

    CommandRun run;
    run.otherPlatform = &platform_;
    run.temporaryFolder = folder_;
    ScriptBuilder builder;
    builder.Add("Get Temporary File", {"TMP"})
        .Add("Write to Text File", {"$TMP$", "second", "FALSE"})
        .Add("Write to Text File", {"$TMP$", "first", "TRUE"})
        .Add("Read from Text File", {"#READALL\\$TMP$", "CONTENT", "EOF"})
        .Add("Set Variable", {"DIR", longFolder})
        .Add("Convert Path", {"DIR", "TRUE"})
        .Add("Set Variable", {"SHORT", "$DIR$"})
        .Add("Convert Path", {"DIR", "FALSE"});
    run.RunOk(builder.Image());

    const std::string temporaryFile = run.Value("TMP");
    EXPECT_EQ(temporaryFile.rfind(folder_ + "zor", 0), 0u) << temporaryFile;
    EXPECT_EQ(platform_.ReadFile(temporaryFile), std::optional<std::string>("first\r\nsecond\r\n"));
    EXPECT_EQ(run.Value("CONTENT"), "first$NEWLINE$second");
    EXPECT_EQ(run.Value("EOF"), "TRUE");
    EXPECT_EQ(run.Value("SHORT").find(' '), std::string::npos) << run.Value("SHORT");
    EXPECT_EQ(run.Value("DIR"), expected);
}

} // namespace
} // namespace zk::commands::testing
