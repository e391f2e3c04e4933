#include "filepick/core/pick_run.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "filepick/core/output_lines.h"

namespace zk::filepick {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

bool WriteLines(std::FILE* file, const std::vector<std::string>& lines) {
    if (!file) return true;
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
}

} // namespace

std::string VersionText() {
    return "filepick 4.3 Rev-2 \ncreated: 19/01/2006";
}

std::string FailureText(DialogMode mode, std::uint32_t errorCode) {
    char code[16];
    std::snprintf(code, sizeof code, "%08x", static_cast<unsigned>(errorCode));
    const char* function = mode == DialogMode::Open ? "GetOpenFileName" : "GetSaveFileName";
    return std::string(function) + " failed! (code=" + code + ")\n";
}

int RunFilePick(const Options& options, PickerPlatform& platform) {
    if (options.showVersion && !platform.ConfirmVersion(VersionText())) return kExitOk;

    FileHandle output;
    if (options.outputFile) {
        output.reset(std::fopen(options.outputFile->c_str(), "ab"));
        if (!output) return kExitOutputUnavailable;
    }

    const DialogOutcome outcome = platform.ShowDialog(BuildDialogRequest(options));
    const bool open = options.mode == DialogMode::Open;
    if (!outcome.accepted) {
        if (outcome.errorCode != 0)
            platform.ShowFailure(FailureText(options.mode, outcome.errorCode));
        return open ? kExitOk : kExitSaveCancelled;
    }
    const std::vector<std::string> lines =
        open ? OpenLines(options, outcome) : SaveLines(options, outcome);
    // A choice that could not be recorded must not look like a success.
    if (!WriteLines(output.get(), lines)) return kExitOutputUnavailable;
    return kExitOk;
}

} // namespace zk::filepick
