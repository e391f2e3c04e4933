#include "engine/startup/win/run_sequence.h"

#include <windows.h>

#include <cstdlib>
#include <exception>

#include "common/line_file.h"
#include "common/win/folder_tree.h"
#include "engine/script/engine_error.h"
#include "engine/startup/language_names.h"
#include "engine/startup/win/folders.h"
#include "engine/startup/win/module_image.h"
#include "engine/startup/win/phases.h"

namespace zk::startup {
namespace {

constexpr int kExitRuntimeError = 11;
constexpr int kExitNoImage = 13;
constexpr int kExitNoResource = 14;
constexpr int kExitDecompression = 15;
constexpr int kExitNoDatabase = 16;

class RunSequence {
  public:
    int Run();

  private:
    void ComputeStartupValues();
    void LoadEngineMessages();
    void Phases();
    [[noreturn]] void Stop(int exitCode, const std::string& message);
    void ShowError(const std::string& message);
    void Log(const char* line) { context_.log.Write(line); }
    void CleanUp();

    EngineContext context_;
};

void RestrictToFirstProcessor() {
    using SetAffinity = BOOL(WINAPI*)(HANDLE, DWORD_PTR);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto set = kernel ? reinterpret_cast<SetAffinity>(
                            reinterpret_cast<void*>(GetProcAddress(kernel, "SetProcessAffinityMask")))
                      : nullptr;
    if (set) set(GetCurrentProcess(), 1);
}

bool IsNtFamily() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) return true;
#pragma GCC diagnostic pop
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::string SystemEnglishLanguageName(unsigned languageId) {
    char buffer[128] = {};
    const LCID lcid = MAKELCID(languageId, SORT_DEFAULT);
    if (!GetLocaleInfoA(lcid, LOCALE_SENGLANGUAGE, buffer, sizeof(buffer))) return {};
    return buffer;
}

unsigned UserLanguageId() {
    char buffer[16] = {};
    if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTLANGUAGE, buffer, sizeof(buffer))) return 0;
    return static_cast<unsigned>(std::strtoul(buffer, nullptr, 16));
}


int RunSequence::Run() {
    RestrictToFirstProcessor();
    context_.log.SetEncoding(IsNtFamily() ? script::SetupLog::Encoding::Utf16Le : script::SetupLog::Encoding::Ansi);
    ComputeStartupValues();
    LoadEngineMessages();
    context_.options = ParseCommandLine(GetCommandLineA());
    context_.log.SetFileName(context_.options.logFile);

    // A log that cannot be created is not reported for these first lines.
    try {
        Log("<Korvane>");
        Log("  <SetupSplash>");
    } catch (const EngineError&) {
    }
    // Splash and initialisation windows are not part of this build; the run
    // goes on without them (silent and update runs never show them).

    try {
        Phases();
    } catch (const std::exception& e) {
        if (!context_.options.silent) ShowError(context_.messages.Text(msg::kRuntimeErrorInInstall) + e.what());
        context_.exitCode = kExitRuntimeError;
    }
    CleanUp();
    return context_.exitCode;
}

void RunSequence::ComputeStartupValues() {
    const std::string exe = ModuleFileName(nullptr);
    context_.engineFolder = FolderOf(exe);
    std::string name = exe.substr(context_.engineFolder.size());
    const std::size_t dot = name.find_last_of('.');
    context_.baseName = dot == std::string::npos ? name : name.substr(0, dot);
    context_.tempFolder = TemporaryFolder();
    context_.resourceArchive = context_.engineFolder + context_.baseName + ".res";
}

void RunSequence::LoadEngineMessages() {
    HMODULE library = GetModuleHandleA("zor.lib");
    if (!library) return;
    const std::string copy = context_.tempFolder + "lang.loc";
    try {
        const AppendedData languageFile = LocateAppendedData(library);
        if (languageFile.size == 0) return;
        CopyAppendedData(languageFile, copy);
        const auto lines = ReadLineFile(copy);
        DeleteFileA(copy.c_str());
        if (lines) context_.messages.ApplyLanguageFile(*lines, LanguageNameOf(UserLanguageId(), SystemEnglishLanguageName));
    } catch (const EngineError&) {
        // Without a readable language file the built-in texts stay in force.
        DeleteFileA(copy.c_str());
    }
}

void RunSequence::Phases() {
    Log("    <StubSize>");
    const std::string stubCopy = context_.tempFolder + "zor.tmp";
    const AppendedData stub = LocateAppendedData(nullptr);
    if (stub.size == 0) Stop(kExitNoImage, "For internal use only");
    Log("    </StubSize>");
    Log("    <StubData>");
    CopyAppendedData(stub, stubCopy);
    Log("    </StubData>");

    Log("    <GlobalLists>");
    const auto bytes = ReadFileBytes(stubCopy);
    DeleteFileA(stubCopy.c_str());
    if (!bytes) throw EngineError("Unable to read the setup script image.");
    context_.image = script::ReadScriptImage(*bytes);
    Log("    </GlobalLists>");

    Log("    <SupportDir>");
    context_.supportFolder = CreateSupportFolder(context_.tempFolder);
    Log("    </SupportDir>");

    Log("    <ExtractArchive>");
    if (!FileExists(context_.resourceArchive))
        Stop(kExitNoResource, context_.messages.Text(msg::kResourceNotFound));
    if (!UnpackResourceArchive(context_))
        Stop(kExitDecompression, context_.messages.Text(msg::kDecompressionFailure));
    Log("    </ExtractArchive>");

    Log("    <ExtractResource>");
    const std::string base = context_.engineFolder + context_.baseName;
    if (!FileExists(base + ".msi") && !FileExists(base + ".msp"))
        Stop(kExitNoDatabase, context_.messages.Text(msg::kDatabaseNotFound));
    Log("    </ExtractResource>");
    Log("    <ResourcePath>");
    for (const char* ext : {".msi", ".msp"}) {
        const std::string source = base + ext;
        if (!FileExists(source)) continue;
        const std::string target = context_.supportFolder + context_.baseName + ext;
        if (!CopyFileA(source.c_str(), target.c_str(), FALSE))
            throw EngineError("Unable to copy " + source + " to " + target);
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    Log("    </ResourcePath>");
    context_.dataFolder = context_.engineFolder + "data\\";

    Log("    <Dialogs>");
    PreloadDialogs(context_);
    Log("    </Dialogs>");
    Log("  </SetupSplash>");

    Log("  <RunScript>");
    RunScript(context_, context_.supportFolder + context_.baseName + ".msi");
    Log("  </RunScript>");

    Log("  <Free>");
    context_.image = script::ScriptImage();
    Log("  </Free>");
}

void RunSequence::Stop(int exitCode, const std::string& message) {
    if (!context_.options.silent) ShowError(message);
    ExitProcess(static_cast<UINT>(exitCode));
}

// Start-up boxes have no owner: the initialisation window is not part of this build.
void RunSequence::ShowError(const std::string& message) {
    MessageBoxA(nullptr, message.c_str(), EngineCaption("", false).c_str(), MB_OK | MB_ICONERROR);
}

void RunSequence::CleanUp() {
    try {
        Log("  <CachedSupportDir>");
        const std::string& folder = context_.supportFolder;
        if (!folder.empty() && FolderExists(folder)) {
            // Three passes catch files released late by the system.
            for (int pass = 0; pass < 3; ++pass) EmptyFolder(folder);
            RemoveDirectoryA(folder.c_str());
        }
        Log("  </CachedSupportDir>");
        Log("</Korvane>");
    } catch (const EngineError&) {
        // The log itself failed; the exit code already tells the outcome.
    }
}

} // namespace

int RunEngine() {
    RunSequence run;
    return run.Run();
}

} // namespace zk::startup
