#include <gtest/gtest.h>

#include <filesystem>

#include "common/ansi_utf16.h"
#include "common/line_file.h"
#include "engine/script/engine_error.h"
#include "engine/script/setup_log.h"

namespace zk::script {
namespace {

namespace fs = std::filesystem;

class SetupLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("setup_log_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string PathOf(const char* name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

TEST_F(SetupLogTest, NoFileNameWritesNothing) {
    SetupLog log;
    log.Write("<Korvane>");
    EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(SetupLogTest, FirstWriteTruncatesThenAppendsUtf16WithoutBom) {
    const std::string path = PathOf("setup.log");
    ASSERT_TRUE(WriteFileBytes(path, "old content of an earlier run"));
    SetupLog log;
    log.SetFileName(path);
    log.Write("<Korvane>");
    log.Write("  <SetupSplash>");
    EXPECT_EQ(*ReadFileBytes(path), AnsiToUtf16LeBytes("<Korvane>\r\n  <SetupSplash>\r\n"));
}

TEST_F(SetupLogTest, RedirectedLogAppendsToTheNewFile) {
    const std::string first = PathOf("a.log"), second = PathOf("b.log");
    ASSERT_TRUE(WriteFileBytes(second, "kept"));
    SetupLog log(SetupLog::Encoding::Ansi);
    log.SetFileName(first);
    log.Write("<Korvane>");
    log.SetFileName(second);
    log.Write("    <zara>");
    EXPECT_EQ(*ReadFileBytes(first), "<Korvane>\r\n");
    EXPECT_EQ(*ReadFileBytes(second), "kept    <zara>\r\n");
}

TEST_F(SetupLogTest, UnwritableFileIsAnEngineError) {
    SetupLog log;
    log.SetFileName(PathOf("missing-folder/setup.log"));
    EXPECT_THROW(log.Write("<Korvane>"), EngineError);
}

} // namespace
} // namespace zk::script
