#include "engine/ui/display_dialog.h"

#include <charconv>

#include "common/ansi_case.h"
#include "engine/script/variable_text.h"

namespace zk::ui {
namespace {

constexpr const char* kStage = "Display Dialog Action";

std::uintptr_t WindowHandleValue(DialogVariables& vars) {
    if (!vars.Exists("WINDOWHANDLE")) return 0;
    std::string text = vars.Get("WINDOWHANDLE");
    std::uintptr_t value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size()) return 0;
    return value;
}

} // namespace

std::string ResultWord(DialogResult result, const std::string& customWord) {
    switch (result) {
    case DialogResult::drNext:
        return "NEXT";
    case DialogResult::drBack:
        return "BACK";
    case DialogResult::drCancel:
        return "CANCEL";
    case DialogResult::drCustom:
        return AnsiUpper(customWord);
    case DialogResult::drNone:
        break;
    }
    return "";
}

DisplayDialogParameters DisplayDialogParameters::FromLines(const std::vector<std::string>& lines) {
    DisplayDialogParameters p;
    std::string* fields[] = {&p.dialogName,   &p.resultVariable, &p.modal,
                             &p.skipVariable, &p.carried,        &p.skipValue};
    for (std::size_t i = 0; i < 6 && i < lines.size(); ++i)
        *fields[i] = lines[i];
    return p;
}

DisplayDialogOutcome DialogCommands::DisplayDialog(const std::string& key,
                                                   const DisplayDialogParameters& params,
                                                   bool inWizardLoop) {
    DisplayDialogOutcome outcome;
    if (!params.skipVariable.empty()) {
        std::string name = params.skipVariable;
        if (name.size() >= 2 && name.front() == '$' && name.back() == '$')
            name = name.substr(1, name.size() - 2);
        if (script::IsTrueText(variables_.Get(name)) == script::IsTrueText(params.skipValue)) {
            outcome.skipped = true;
            return outcome;
        }
    }
    if (!toUnbind_.empty()) {
        screen_.UnbindDialog(toUnbind_);
        toUnbind_.clear();
    }
    std::uintptr_t behind = WindowHandleValue(variables_);
    if (behind) screen_.LockPainting(behind, true);
    screen_.PrepareDialog(key);
    if (behind) screen_.LockPainting(behind, false);

    bool modal = inWizardLoop || script::IsTrueText(params.modal);
    ShowOutcome shown = screen_.ShowDialog(key, modal);
    if (modal) {
        outcome.result = shown.result;
        outcome.word = ResultWord(shown.result, shown.customWord);
        toUnbind_ = key;
        if (!inWizardLoop) variables_.Set("WINDOWHANDLE", "0", kStage);
    } else {
        outcome.word = "NOTMODAL";
        variables_.Set("WINDOWHANDLE", std::to_string(shown.windowHandle), kStage);
    }
    if (!params.resultVariable.empty()) variables_.Set(params.resultVariable, outcome.word, kStage);
    return outcome;
}

void DialogCommands::HideDialog() {
    screen_.HideCurrentDialog();
    variables_.Set("WINDOWHANDLE", "0", "Hide Dialog Action");
}

} // namespace zk::ui
