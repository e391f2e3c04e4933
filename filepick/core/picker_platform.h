// The services filepick's run needs from the system: the version box, the
// Open/Save dialog and the failure console. The Windows layer implements them;
// tests fake them.
#pragma once
#include <string>

#include "filepick/core/dialog_request.h"

namespace zk::filepick {

class PickerPlatform {
  public:
    virtual ~PickerPlatform() = default;
    // Shows the version text with OK and Cancel; false when the user chose Cancel.
    virtual bool ConfirmVersion(const std::string& text) = 0;
    virtual DialogOutcome ShowDialog(const DialogRequest& request) = 0;
    // Shows a dialog failure on a console and keeps it readable for a while.
    virtual void ShowFailure(const std::string& message) = 0;
};

} // namespace zk::filepick
