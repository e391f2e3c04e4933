// One run of filepick: version box, output file, dialog, script lines, exit code.
#pragma once
#include <string>

#include "filepick/core/options.h"
#include "filepick/core/picker_platform.h"

namespace zk::filepick {

inline constexpr int kExitOk = 0;
inline constexpr int kExitSaveCancelled = -1;
inline constexpr int kExitOutputUnavailable = -2;

// "filepick 4.3 Rev-2 \ncreated: 19/01/2006"
std::string VersionText();

// "GetOpenFileName failed! (code=0000300c)\n" and the save-mode counterpart.
std::string FailureText(DialogMode mode, std::uint32_t errorCode);

// Runs filepick with the parsed options. The output file, when named, is
// opened for appending (created if missing) before any dialog; its lines end
// with CR LF.
int RunFilePick(const Options& options, PickerPlatform& platform);

} // namespace zk::filepick
