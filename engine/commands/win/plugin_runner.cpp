#include "engine/commands/win/plugin_runner.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <utility>

#include "engine/commands/plugin_result.h"
#include "engine/script/variable_store.h"

namespace zk::commands {

const char* const kPluginLibraryMissingMessage =
    "Unable to load plug-in library. Please rebuild your project and make sure all required "
    "plug-ins are "
    "installed.\r\rAction skipped";

namespace {

// The export's contract: six pointer-sized arguments, standard calling
// convention, the result length (a 32-bit value) or -1.
using ProgressCallbackFunction = INT_PTR(WINAPI*)(INT_PTR position, const char* text);
using RunTimeExecuteFunction = int(WINAPI*)(UINT_PTR window, const char* variables,
                                            const char* data, ProgressCallbackFunction progress,
                                            UINT_PTR* pluginValue, char* buffer);

enum class CallPhase { Loading, FirstCall, SecondCall, Done };

// Shared between the main thread, the worker and the callbacks it reaches.
struct Worker {
    const PluginCall* call = nullptr;
    const PluginEnvironment* environment = nullptr;
    std::atomic<DWORD> threadId{0};
    std::atomic<CallPhase> phase{CallPhase::Loading};
    std::atomic<bool> cancelled{false};
    std::atomic<bool> crashed{false};
    UINT_PTR pluginValue = 0; // kept for the plug-in, never read by the engine
    PluginCallEnd end = PluginCallEnd::Returned;
    std::string result;
};

// One plug-in runs at a time (the main thread waits for it), and the progress
// callback carries no context of its own: it finds the run here.
std::atomic<Worker*> currentWorker{nullptr};
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;

INT_PTR WINAPI ProgressCallback(INT_PTR position, const char* text) {
    Worker* worker = currentWorker.load();
    if (worker == nullptr) return 0;
    if (worker->environment->progress) {
        const int clamped = std::clamp(static_cast<int>(position), 0, 100);
        std::optional<std::string> shown;
        if (text == nullptr || std::string_view(text) != "$IGNORE$")
            shown = std::string(text == nullptr ? "" : text);
        worker->environment->progress(clamped, shown);
    }
    return worker->cancelled.load() ? 0 : 1;
}

// An exception the plug-in leaves unhandled on the worker thread ends only
// that thread; the main thread then sees in which call it happened. The
// library stays loaded: its state after the fault is unknown.
LONG WINAPI PluginCrashFilter(EXCEPTION_POINTERS* info) {
    Worker* worker = currentWorker.load();
    if (worker != nullptr && worker->threadId.load() == GetCurrentThreadId()) {
        worker->crashed.store(true);
        ExitThread(1);
    }
    return previousFilter != nullptr ? previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

// Loads the library, asks for the result length, fetches the result, unloads.
DWORD WINAPI PluginThread(void* parameter) {
    Worker& worker = *static_cast<Worker*>(parameter);
    worker.threadId.store(GetCurrentThreadId());
    const PluginCall& call = *worker.call;
    // Redirection is a per-thread switch, so it is made here.
    std::optional<RedirectionOffScope> redirection;
    if (worker.environment->platform != nullptr)
        redirection.emplace(*worker.environment->platform, call.platformMode);

    HMODULE module = LoadLibraryA(call.library.c_str());
    if (module == nullptr) {
        worker.end = PluginCallEnd::NotLoadable;
        return 0;
    }
    const FARPROC address = GetProcAddress(module, "RunTimeExecute");
    if (address == nullptr) {
        FreeLibrary(module);
        worker.end = PluginCallEnd::NotLoadable;
        return 0;
    }
    const auto execute =
        reinterpret_cast<RunTimeExecuteFunction>(reinterpret_cast<void (*)()>(address));

    worker.phase.store(CallPhase::FirstCall);
    const int length = execute(call.window, call.snapshot.c_str(), call.data.c_str(),
                               &ProgressCallback, &worker.pluginValue, nullptr);
    if (length < 0) {
        worker.result = call.snapshot;
    } else {
        try {
            std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
            worker.phase.store(CallPhase::SecondCall);
            execute(call.window, call.snapshot.c_str(), call.data.c_str(), &ProgressCallback,
                    &worker.pluginValue, buffer.data());
            buffer.back() = '\0'; // a plug-in that fills the whole buffer still ends inside it
            worker.result.assign(buffer.c_str());
        } catch (const std::bad_alloc&) {
            worker.result.clear(); // no room for the result: the run fails below
        }
    }
    worker.phase.store(CallPhase::Done);
    FreeLibrary(module);
    return 0;
}

void HandlePendingMessages(const PluginEnvironment& environment) {
    if (environment.processMessages) {
        environment.processMessages();
        return;
    }
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam)); // left for the main loop
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void WaitForWorker(HANDLE thread, Worker& worker, bool silent) {
    if (silent) {
        WaitForSingleObject(thread, INFINITE);
        return;
    }
    const PluginEnvironment& environment = *worker.environment;
    for (;;) {
        const DWORD waited = MsgWaitForMultipleObjects(1, &thread, FALSE, 50, QS_ALLINPUT);
        if (waited == WAIT_OBJECT_0 || waited == WAIT_FAILED) break;
        HandlePendingMessages(environment);
        if (environment.cancelRequested && environment.cancelRequested())
            worker.cancelled.store(true);
    }
    WaitForSingleObject(thread, INFINITE); // also after a failed wait: the worker uses our memory
}

std::uintptr_t WindowHandleVariable(const script::VariableStore& variables) {
    if (!variables.IsDefined("WINDOWHANDLE")) return 0;
    const std::string text = variables.Get("WINDOWHANDLE");
    return static_cast<std::uintptr_t>(std::strtoull(text.c_str(), nullptr, 10));
}

bool LibraryFileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Shown in silent runs too: a missing plug-in must not pass unnoticed.
void ShowLibraryMissing(const PluginEnvironment& environment, std::uintptr_t owner) {
    const std::string caption = environment.caption ? environment.caption() : std::string();
    if (environment.showError) {
        environment.showError(owner, kPluginLibraryMissingMessage, caption);
        return;
    }
    MessageBoxA(reinterpret_cast<HWND>(owner), kPluginLibraryMissingMessage, caption.c_str(),
                MB_OK | MB_ICONERROR);
}

script::CommandOutcome RunPluginCommand(script::CommandContext& context,
                                        const PluginEnvironment& environment) {
    const std::string library =
        PluginLibraryPath(environment.supportFolder, environment.dataFolder,
                          context.image.MediaFolder(context.index), context.Raw(2));
    const std::uintptr_t window = environment.windowHandle
                                      ? environment.windowHandle()
                                      : WindowHandleVariable(context.variables);
    bool exists = false;
    {
        std::optional<RedirectionOffScope> redirection;
        if (environment.platform != nullptr)
            redirection.emplace(*environment.platform, context.run.platformMode);
        exists = LibraryFileExists(library);
    }
    if (!exists) {
        ShowLibraryMissing(environment, window);
        return script::CommandOutcome::Continue;
    }

    PluginCall call;
    call.library = library;
    call.window = window;
    call.snapshot = context.variables.Snapshot();
    call.data = context.Raw(1);
    call.platformMode = context.run.platformMode;
    call.silent = environment.silent ? environment.silent() : context.variables.Silent();
    const PluginCallResult outcome = RunPluginLibrary(call, environment);
    if (outcome.end == PluginCallEnd::NotLoadable) {
        ShowLibraryMissing(environment, window);
        return script::CommandOutcome::Continue;
    }
    ApplyPluginResult(context.variables, outcome.result);
    return script::CommandOutcome::Continue;
}

} // namespace

PluginCallResult RunPluginLibrary(const PluginCall& call, const PluginEnvironment& environment) {
    Worker worker;
    worker.call = &call;
    worker.environment = &environment;
    currentWorker.store(&worker);
    previousFilter = SetUnhandledExceptionFilter(&PluginCrashFilter);

    HANDLE thread = CreateThread(nullptr, 0, &PluginThread, &worker, 0, nullptr);
    if (thread != nullptr) {
        WaitForWorker(thread, worker, call.silent);
        CloseHandle(thread);
    }

    SetUnhandledExceptionFilter(previousFilter);
    previousFilter = nullptr;
    currentWorker.store(nullptr);

    PluginCallResult outcome;
    if (thread == nullptr) {
        outcome.end =
            PluginCallEnd::FailedSecond; // no result: the run fails with the general error
        return outcome;
    }
    if (worker.crashed.load()) {
        switch (worker.phase.load()) {
        case CallPhase::Loading:
            outcome.end = PluginCallEnd::NotLoadable;
            break;
        case CallPhase::FirstCall:
            outcome.result = call.snapshot;
            break; // counts as -1
        case CallPhase::SecondCall:
            outcome.end = PluginCallEnd::FailedSecond;
            break;
        case CallPhase::Done:
            outcome.result = std::move(worker.result);
            break;
        }
        return outcome;
    }
    outcome.end = worker.end;
    outcome.result = std::move(worker.result);
    return outcome;
}

void RegisterPluginCommands(script::Interpreter& interpreter, const script::ScriptImage& image,
                            PluginEnvironment environment) {
    auto shared = std::make_shared<const PluginEnvironment>(std::move(environment));
    for (const std::string& name : image.pluginCommands.Lines()) {
        if (name.empty()) continue;
        interpreter.Register(name, [shared](script::CommandContext& context) {
            return RunPluginCommand(context, *shared);
        });
    }
}

} // namespace zk::commands
