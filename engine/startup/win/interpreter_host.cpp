#include "engine/startup/win/interpreter_host.h"

#include <windows.h>

#include "engine/script/engine_error.h"
#include "engine/script/stage_labels.h"
#include "engine/script/variable_store.h"
#include "engine/startup/win/engine_dialogs.h"
#include "engine/startup/win/first_run_bootstrap.h"
#include "engine/startup/win/folders.h"

namespace zk::startup {

void WindowsInterpreterHost::ProcessMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void WindowsInterpreterHost::ShowRuntimeError(const std::string& message) {
    MessageBoxA(nullptr, message.c_str(), caption_.c_str(), MB_OK | MB_ICONERROR);
}

std::string WindowsInterpreterHost::CurrentDate() {
    char buffer[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buffer, sizeof(buffer));
    return buffer;
}

std::string WindowsInterpreterHost::CurrentTime() {
    char buffer[128] = {};
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, sizeof(buffer));
    return buffer;
}

bool WindowsInterpreterHost::FileExists(const std::string& path) { return startup::FileExists(path); }

bool WindowsInterpreterHost::IsAdministrator() {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                  &administrators))
        return false;
    BOOL member = FALSE;
    const bool ok = CheckTokenMembership(nullptr, administrators, &member);
    FreeSid(administrators);
    return ok && member;
}

std::pair<std::string, std::string> WindowsInterpreterHost::RegisteredUser() {
    auto read = [](const char* value) {
        char buffer[512] = {};
        DWORD size = sizeof(buffer);
        if (RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", value, RRF_RT_REG_SZ,
                         nullptr, buffer, &size) != ERROR_SUCCESS)
            return std::string();
        return std::string(buffer);
    };
    return {read("RegisteredOwner"), read("RegisteredOrganization")};
}

void WindowsInterpreterHost::Bootstrap(script::VariableStore& variables) { FirstRunBootstrap(context_, variables); }

void WindowsInterpreterHost::RefreshInstanceLinks(script::VariableStore& variables) {
    DefineInstanceLinks(context_, variables, script::kStageInitialization);
}

void WindowsInterpreterHost::SetCaption(const std::string& title, bool myahLogo) {
    caption_ = EngineCaption(title, myahLogo);
}

script::WizardResult WindowsInterpreterHost::ShowWizardDialog(script::CommandContext& context) {
    if (!dialogs_) throw EngineError("The dialogs of this run are not ready.");
    return dialogs_->DisplayInWizard(context);
}

} // namespace zk::startup
