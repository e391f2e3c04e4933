// "Read from Text File" and "Write to Text File" in running scripts, over
// files the fake platform keeps in memory.
#include <gtest/gtest.h>

#include "engine/commands/tests/command_harness.h"

namespace zk::commands::testing {
namespace {

// A script that reads `times` lines and records each line and flag in
// L1, F1, L2, F2, ...
script::ScriptImage ReadTimes(int times, const std::string& file = "C:\\data\\list.txt") {
    ScriptBuilder builder;
    builder.Add("Set Variable", {"FILE", file});
    for (int i = 1; i <= times; ++i) {
        builder.Add("Read from Text File", {"$FILE$", "LINE", "EOF"});
        builder.Add("Set Variable", {"L" + std::to_string(i), "$LINE$"});
        builder.Add("Set Variable", {"F" + std::to_string(i), "$EOF$"});
    }
    return builder.Image();
}

TEST(ReadFromTextFile, ReadsLineByLineAndStartsAgainAfterTheEnd) {
    CommandRun run;
    run.platform.PutFile("C:\\data\\list.txt", "one\r\ntwo\nthree\r\n");
    run.RunOk(ReadTimes(4, "c:\\DATA\\list.txt"));
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"one", "FALSE"}, {"two", "FALSE"}, {"three", "TRUE"}, {"one", "FALSE"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(run.Value("L" + std::to_string(i + 1)), expected[i].first) << i;
        EXPECT_EQ(run.Value("F" + std::to_string(i + 1)), expected[i].second) << i;
    }
    EXPECT_EQ(run.statesLeft, 0u) << "the open file is closed when the run ends";
}

TEST(ReadFromTextFile, MissingFileSetsTheFlagAndLeavesTheLine) {
    CommandRun run;
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"LINE", "unchanged"})
                  .Add("Read from Text File", {"C:\\nothing.txt", "LINE", "EOF"})
                  .Add("Read from Text File", {"C:\\nothing.txt", "NEWLINEVAR", ""})
                  .Image());
    EXPECT_EQ(run.Value("LINE"), "unchanged");
    EXPECT_EQ(run.Value("EOF"), "TRUE");
    EXPECT_EQ(run.Value("NEWLINEVAR"), "");
}

TEST(ReadFromTextFile, EmptyFileIsAtItsEndAtOnce) {
    CommandRun run;
    run.platform.PutFile("C:\\empty.txt", "");
    run.RunOk(ScriptBuilder()
                  .Add("Set Variable", {"LINE", "unchanged"})
                  .Add("Read from Text File", {"C:\\empty.txt", "LINE", "EOF"})
                  .Image());
    EXPECT_EQ(run.Value("LINE"), "unchanged");
    EXPECT_EQ(run.Value("EOF"), "TRUE");
}

TEST(ReadFromTextFile, ReadAllTakesTheRestJoinedByTheLineBreakMarker) {
    CommandRun run;
    run.platform.PutFile("C:\\list.txt", "one\r\ntwo\r\n\r\nfour");
    run.RunOk(ScriptBuilder()
                  .Add("Read from Text File", {"C:\\list.txt", "FIRST", ""})
                  .Add("Read from Text File", {"#READALL\\C:\\list.txt", "REST", "EOF"})
                  .Add("Read from Text File", {"#READALL\\C:\\list.txt", "AGAIN", "EOF2"})
                  .Image());
    EXPECT_EQ(run.Value("FIRST"), "one");
    EXPECT_EQ(run.Value("REST"), "two$NEWLINE$$NEWLINE$four");
    EXPECT_EQ(run.Value("EOF"), "TRUE");
    EXPECT_EQ(run.Value("AGAIN"), "one$NEWLINE$two$NEWLINE$$NEWLINE$four");
    EXPECT_EQ(run.Value("EOF2"), "TRUE");
}

TEST(ReadFromTextFile, ReadingAnotherFileStartsItFromTheTop) {
    CommandRun run;
    run.platform.PutFile("C:\\a.txt", "a1\r\na2\r\na3\r\n");
    run.platform.PutFile("C:\\b.txt", "b1\r\nb2\r\n");
    run.RunOk(ScriptBuilder()
                  .Add("Read from Text File", {"C:\\a.txt", "X1", ""})
                  .Add("Read from Text File", {"C:\\b.txt", "X2", ""})
                  .Add("Read from Text File", {"C:\\a.txt", "X3", ""})
                  .Image());
    EXPECT_EQ(run.Value("X1"), "a1");
    EXPECT_EQ(run.Value("X2"), "b1");
    EXPECT_EQ(run.Value("X3"), "a1");
}

TEST(WriteToTextFile, CreatesInsertsAndAppends) {
    CommandRun run;
    run.platform.PutFile("C:\\old.txt", "first\nsecond");
    run.platform.readOnly["C:\\OLD.TXT"] = "";
    run.RunOk(ScriptBuilder()
                  .Add("Write to Text File", {"C:\\\\new.txt", "only line", "FALSE"})
                  .Add("Write to Text File", {"C:\\old.txt", "top$NEWLINE$next", "TRUE"})
                  .Add("Write to Text File", {"C:\\old.txt", "", "FALSE"})
                  .Image());
    EXPECT_EQ(run.platform.File("C:\\new.txt"), "only line\r\n");
    EXPECT_EQ(run.platform.File("C:\\old.txt"), "top\r\nnext\r\nfirst\r\nsecond\r\n\r\n");
    EXPECT_EQ(run.platform.redirectionDepth, 0);
}

TEST(WriteToTextFile, WritingTheFileBeingReadRestartsReading) {
    CommandRun run;
    run.platform.PutFile("C:\\log.txt", "one\r\ntwo\r\n");
    run.RunOk(ScriptBuilder()
                  .Add("Read from Text File", {"C:\\log.txt", "X1", "E1"})
                  .Add("Write to Text File", {"c:\\LOG.txt", "zero", "TRUE"})
                  .Add("Read from Text File", {"C:\\log.txt", "X2", "E2"})
                  .Image());
    EXPECT_EQ(run.Value("X1"), "one");
    EXPECT_EQ(run.Value("X2"), "zero");
    EXPECT_EQ(run.Value("E2"), "FALSE");
}

} // namespace
} // namespace zk::commands::testing
