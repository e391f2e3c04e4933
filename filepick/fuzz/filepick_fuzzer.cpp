// Feeds arbitrary bytes to filepick's command-line parser and, as a dialog's
// file buffer with an arbitrary file offset and filter, to the line builders.
#include <cstddef>
#include <cstdint>
#include <string>

#include "filepick/core/dialog_request.h"
#include "filepick/core/output_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zk::filepick;
    const std::string text(reinterpret_cast<const char*>(data), size);
    Options options = ParseOptions(TokenizeCommandLine(text));
    (void)BuildDialogRequest(options);

    if (size < 3) return 0;
    DialogOutcome outcome;
    outcome.accepted = true;
    outcome.fileOffset = data[0] | (data[1] << 8);
    outcome.filterIndex = data[2] % 8;
    outcome.buffer = text.substr(3);
    for (const char* kind : {"ima", "geo", "msr", "calc"}) {
        options.kind = kind;
        options.startFolder = "C:\\";
        (void)OpenLines(options, outcome);
        (void)SaveLines(options, outcome);
    }
    return 0;
}
