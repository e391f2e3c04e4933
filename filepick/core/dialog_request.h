// What filepick asks of the Open/Save common dialog and what it gets back.
// The platform layer turns a DialogRequest into the system's request structure
// and fills a DialogOutcome from it after the dialog.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "filepick/core/options.h"

namespace zk::filepick {

inline constexpr std::size_t kFileBufferSize = 26000;
inline constexpr std::size_t kFileTitleBufferSize = 512;

// Explorer style, multiple selection, file and path must exist, read-only box
// hidden, long names.
inline constexpr std::uint32_t kOpenDialogFlags = 0x281A04;
// Ask before overwriting, read-only box hidden, long names.
inline constexpr std::uint32_t kSaveDialogFlags = 0x200006;

struct DialogRequest {
    DialogMode mode = DialogMode::Open;
    std::string filter;           // FilterText(); empty: no filters
    std::string defaultExtension; // empty: none
    std::string title;            // empty: the dialog's own title
    std::optional<std::string> initialFolder;
    std::string startFile; // at most kFileBufferSize - 1 characters
    std::uint32_t flags = 0;
};

struct DialogOutcome {
    bool accepted = false;         // the user chose a file
    std::uint32_t errorCode = 0;   // the dialog's extended error; 0 for a plain cancel
    std::string buffer;            // the whole file buffer, zero bytes included
    std::size_t fileOffset = 0;    // offset of the (first) file name in buffer
    std::uint32_t filterIndex = 0; // chosen filter, 1-based
};

DialogRequest BuildDialogRequest(const Options& options);

} // namespace zk::filepick
