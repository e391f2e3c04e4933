#include "filepick/core/dialog_request.h"

#include "filepick/core/kinds.h"

namespace zk::filepick {

DialogRequest BuildDialogRequest(const Options& options) {
    const DialogSettings settings = DialogSettingsFor(options);
    DialogRequest request;
    request.mode = options.mode;
    request.filter = FilterText(settings.filters);
    request.defaultExtension = settings.defaultExtension;
    request.title = settings.title;
    request.initialFolder = options.startFolder;
    if (options.startFile) request.startFile = options.startFile->substr(0, kFileBufferSize - 1);
    request.flags = options.mode == DialogMode::Open ? kOpenDialogFlags : kSaveDialogFlags;
    return request;
}

} // namespace zk::filepick
