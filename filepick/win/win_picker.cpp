#include "filepick/win/win_picker.h"

#include <windows.h>

#include <commdlg.h>

#include <cstddef>
#include <cstdio>
#include <vector>

namespace zk::filepick {

static_assert(kOpenDialogFlags == (OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST |
                                   OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_LONGNAMES));
static_assert(kSaveDialogFlags == (OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_LONGNAMES));

namespace {
// The request is the classic structure without the places-bar fields.
constexpr DWORD kRequestSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#ifndef _WIN64
static_assert(kRequestSize == 76);
#endif
} // namespace

namespace {

const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

// A failure stays on screen this long before the program ends.
constexpr DWORD kFailureDisplayMs = 10000;

} // namespace

bool WinPicker::ConfirmVersion(const std::string& text) {
    return MessageBoxA(nullptr, text.c_str(), "filepick", MB_ICONINFORMATION | MB_OKCANCEL) !=
           IDCANCEL;
}

DialogOutcome WinPicker::ShowDialog(const DialogRequest& request) {
    std::vector<char> file(kFileBufferSize, '\0');
    std::vector<char> fileTitle(kFileTitleBufferSize, '\0');
    request.startFile.copy(file.data(), kFileBufferSize - 1);

    OPENFILENAMEA ofn{};
    ofn.lStructSize = kRequestSize;
    ofn.hwndOwner = nullptr;
    ofn.lpstrFilter = request.filter.empty() ? nullptr : request.filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrFileTitle = fileTitle.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(fileTitle.size());
    ofn.lpstrInitialDir = request.initialFolder ? request.initialFolder->c_str() : nullptr;
    ofn.lpstrTitle = OrNull(request.title);
    ofn.lpstrDefExt = OrNull(request.defaultExtension);
    ofn.Flags = request.flags;

    const BOOL chosen =
        request.mode == DialogMode::Open ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    DialogOutcome outcome;
    outcome.accepted = chosen != FALSE;
    outcome.errorCode = chosen ? 0 : CommDlgExtendedError();
    outcome.buffer.assign(file.data(), file.size());
    outcome.fileOffset = ofn.nFileOffset;
    outcome.filterIndex = ofn.nFilterIndex;
    return outcome;
}

void WinPicker::ShowFailure(const std::string& message) {
    // Started without a console (the usual case from the application) the
    // message needs a console of its own; an existing one is used as it is.
    if (AllocConsole()) {
        if (!std::freopen("CONOUT$", "w", stdout)) return;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::fputs(message.c_str(), stdout);
    Sleep(kFailureDisplayMs);
}

} // namespace zk::filepick
