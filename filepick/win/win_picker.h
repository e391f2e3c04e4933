// The Windows implementation of filepick's platform services: the version
// message box, the real Open/Save common dialog and the failure console.
#pragma once
#include "filepick/core/picker_platform.h"

namespace zk::filepick {

class WinPicker final : public PickerPlatform {
  public:
    bool ConfirmVersion(const std::string& text) override;
    DialogOutcome ShowDialog(const DialogRequest& request) override;
    void ShowFailure(const std::string& message) override;
};

} // namespace zk::filepick
