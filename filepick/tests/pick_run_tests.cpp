#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "common/line_file.h"
#include "filepick/core/pick_run.h"

namespace zk::filepick {
namespace {

using namespace std::string_literals;

// Records what the run asks of the system and answers with a preset outcome.
class FakePicker : public PickerPlatform {
  public:
    bool versionAnswer = true;
    DialogOutcome outcome;
    std::vector<std::string> versionTexts;
    std::vector<DialogRequest> requests;
    std::vector<std::string> failures;

    bool ConfirmVersion(const std::string& text) override {
        versionTexts.push_back(text);
        return versionAnswer;
    }
    DialogOutcome ShowDialog(const DialogRequest& request) override {
        requests.push_back(request);
        return outcome;
    }
    void ShowFailure(const std::string& message) override { failures.push_back(message); }
};

DialogOutcome Chosen(const std::string& text, std::size_t fileOffset, std::uint32_t filter) {
    DialogOutcome outcome;
    outcome.accepted = true;
    outcome.buffer = text;
    outcome.buffer.resize(kFileBufferSize, '\0');
    outcome.fileOffset = fileOffset;
    outcome.filterIndex = filter;
    return outcome;
}

class FilepickRun : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("filepick_run_" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(dir_);
        output_ = (dir_ / "out put.txt").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    int Run(const std::string& commandLine) {
        return RunFilePick(ParseOptions(TokenizeCommandLine(commandLine)), picker_);
    }
    std::string Quoted() const { return "\"" + output_ + "\""; }
    std::string Output() const { return ReadFileBytes(output_).value_or("<missing>"); }

    std::filesystem::path dir_;
    std::string output_;
    FakePicker picker_;
};

TEST_F(FilepickRun, OpenAppendsLinesWithCrLf) {
    ASSERT_TRUE(WriteFileBytes(output_, "earlier\r\n"));
    picker_.outcome = Chosen("C:\\img\0a.ima\0b.ima\0\0"s, 7, 1);
    EXPECT_EQ(Run("-t ima -d C:\\img -p " + Quoted()), kExitOk);
    EXPECT_EQ(Output(), "earlier\r\nrefresh: disable\r\nread: image \"C:\\img\\a.ima\"\r\n"
                        "read: image \"C:\\img\\b.ima\"\r\nrefresh: enable\r\n");
    ASSERT_EQ(picker_.requests.size(), 1u);
    EXPECT_EQ(picker_.requests[0].title, "Read Image File");
    EXPECT_TRUE(picker_.versionTexts.empty());
}

TEST_F(FilepickRun, SaveCreatesTheOutputFile) {
    picker_.outcome = Chosen("C:\\v\\a.vol", 5, 1);
    EXPECT_EQ(Run("-s -t calc -i \"VOLUME\" -p " + Quoted()), kExitOk);
    EXPECT_EQ(Output(), "write: calc \"volume\" \"C:\\v\\a.vol\"\r\n");
    ASSERT_EQ(picker_.requests.size(), 1u);
    EXPECT_EQ(picker_.requests[0].defaultExtension, "vol");
    EXPECT_EQ(picker_.requests[0].mode, DialogMode::Save);
}

TEST_F(FilepickRun, CancelAndFailureWriteNothing) {
    struct Case {
        std::string line;
        std::uint32_t error;
        int exitCode;
        std::vector<std::string> failures;
    };
    const std::vector<Case> cases = {
        {"-t ima", 0, kExitOk, {}},
        {"-t ima", 0x3003, kExitOk, {"GetOpenFileName failed! (code=00003003)\n"}},
        {"-s -t ima", 0, kExitSaveCancelled, {}},
        {"-s -t geo", 0xFFFF, kExitSaveCancelled, {"GetSaveFileName failed! (code=0000ffff)\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        picker_ = FakePicker{};
        picker_.outcome.errorCode = c.error;
        std::filesystem::remove(output_);
        EXPECT_EQ(Run(c.line + " -d C:\\elsewhere -p " + Quoted()), c.exitCode);
        EXPECT_EQ(picker_.failures, c.failures);
        EXPECT_EQ(Output(), "");
    }
}

TEST_F(FilepickRun, UnopenableOutputEndsBeforeTheDialog) {
    const std::string missing = (dir_ / "no such folder" / "out.txt").string();
    EXPECT_EQ(Run("-s -t ima -p \"" + missing + "\""), kExitOutputUnavailable);
    EXPECT_TRUE(picker_.requests.empty());
}

TEST_F(FilepickRun, VersionBoxCancelEndsAtOnce) {
    picker_.versionAnswer = false;
    EXPECT_EQ(Run("-s -t ima -V -p " + Quoted()), kExitOk);
    EXPECT_EQ(picker_.versionTexts,
              std::vector<std::string>{"filepick 4.3 Rev-2 \ncreated: 19/01/2006"});
    EXPECT_TRUE(picker_.requests.empty());

    picker_ = FakePicker{};
    picker_.outcome = Chosen("C:\\a.dcm", 3, 1);
    EXPECT_EQ(Run("-s -t ima -v -p " + Quoted()), kExitOk);
    EXPECT_EQ(picker_.versionTexts.size(), 1u);
    EXPECT_EQ(Output(), "write: image \"C:\\a.dcm\"\r\n");
}

TEST_F(FilepickRun, WithoutOutputFileNothingIsWritten) {
    picker_.outcome = Chosen("C:\\a.dcm", 3, 1);
    EXPECT_EQ(Run("-t ima"), kExitOk);
    EXPECT_EQ(picker_.requests.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(output_));
}

} // namespace
} // namespace zk::filepick
