#include "platform/win32/Win32Processes.h"

#include <windows.h>

#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32ProcessIdentity.h"
#include "platform/win32/Win32Text.h"

namespace corvane::platform::win32 {

namespace {

std::uint64_t CreationTime(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return static_cast<std::uint64_t>(created.dwHighDateTime) << 32 | created.dwLowDateTime;
}

// A handle to the process of this identity; none when no process of that id runs, or the one
// that does started at another time.
Win32Handle OpenIdentity(const ProcessIdentity& process) {
    Win32Handle handle(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.Id));
    if (handle && CreationTime(handle.Get()) != process.StartTime) handle.Reset();
    return handle;
}

class Win32HeldProcess final : public HeldProcess {
public:
    explicit Win32HeldProcess(HANDLE process) : Process_(process), Identity_(IdentityOf(process)) {}
    ProcessIdentity Identity() const override { return Identity_; }
    HANDLE Handle() const { return Process_.Get(); }

private:
    Win32Handle Process_;
    ProcessIdentity Identity_;
};

HANDLE HandleOf(const HeldProcess& process) {
    const auto* held = dynamic_cast<const Win32HeldProcess*>(&process);
    return held != nullptr ? held->Handle() : nullptr;
}

// The attribute list that names the one handle a new program inherits.
class InheritedHandleList {
public:
    explicit InheritedHandleList(HANDLE handle) : Handle_(handle) {
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        Buffer_.resize(size);
        auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(Buffer_.data());
        if (size == 0 || !InitializeProcThreadAttributeList(list, 1, 0, &size)) return;
        if (!UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, &Handle_, sizeof Handle_, nullptr,
                                       nullptr)) {
            DeleteProcThreadAttributeList(list);
            return;
        }
        List_ = list;
    }
    ~InheritedHandleList() {
        if (List_ != nullptr) DeleteProcThreadAttributeList(List_);
    }
    InheritedHandleList(const InheritedHandleList&) = delete;
    InheritedHandleList& operator=(const InheritedHandleList&) = delete;

    // Null when the system could not make the list.
    LPPROC_THREAD_ATTRIBUTE_LIST Get() const { return List_; }

private:
    HANDLE Handle_;
    std::vector<unsigned char> Buffer_;
    LPPROC_THREAD_ATTRIBUTE_LIST List_ = nullptr;
};

// Without a console of its own or of this program's, without standard handles, and outliving
// this one. With inherited, the new program inherits that one handle and nothing else of this
// program's (a pipe that this program's standard output writes to must close when this program
// ends, whoever reads it); without it, no handle at all.
bool Launch(const std::string& exe, const std::string& arguments, HANDLE inherited) {
    const std::wstring program = Wide(exe);
    std::wstring commandLine = L"\"" + program + L"\" " + Wide(arguments);
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    DWORD flags = DETACHED_PROCESS;
    std::optional<InheritedHandleList> list;
    if (inherited != nullptr) {
        list.emplace(inherited);
        if (list->Get() == nullptr) return false; // it would hand over every inheritable handle
        startup.lpAttributeList = list->Get();
        flags |= EXTENDED_STARTUPINFO_PRESENT;
    }
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, inherited != nullptr ? TRUE : FALSE, flags,
                        nullptr, nullptr, &startup.StartupInfo, &started)) {
        return false;
    }
    Win32Handle(started.hThread).Reset();
    Win32Handle(started.hProcess).Reset();
    return true;
}

// Waits until the process has ended; false when the wait failed. A program whose thread has a
// message queue (the window library is loaded: a restart's switch and start made one, and the
// shell's COM apartment keeps windows in it) answers what arrives meanwhile, so that nobody who
// sends it a message, broadcasts included, waits on it; one without waits without loading the
// library.
bool WaitAnswering(HANDLE process) {
    if (GetModuleHandleW(L"user32.dll") == nullptr) return WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0;
    for (;;) {
        const DWORD result = MsgWaitForMultipleObjectsEx(1, &process, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (result == WAIT_OBJECT_0) return true;
        if (result != WAIT_OBJECT_0 + 1) return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue; // nothing here ends by a message
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// A shell that ends while the session ends was ended by it. Asked only then: the question loads
// the window library, which a watcher does without while it waits.
bool SessionEnding() { return GetSystemMetrics(SM_SHUTTINGDOWN) != 0; }

} // namespace

std::shared_ptr<HeldProcess> Hold(HANDLE process) { return std::make_shared<Win32HeldProcess>(process); }

ProcessIdentity IdentityOf(HANDLE process) { return {GetProcessId(process), CreationTime(process)}; }

ProcessIdentity Win32Processes::Current() { return {GetCurrentProcessId(), CreationTime(GetCurrentProcess())}; }

std::optional<ProcessIdentity> Win32Processes::Identify(std::uint32_t id) {
    const Win32Handle handle(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!handle || WaitForSingleObject(handle.Get(), 0) != WAIT_TIMEOUT) return std::nullopt;
    return ProcessIdentity{id, CreationTime(handle.Get())};
}

bool Win32Processes::IsRunning(const ProcessIdentity& process) { return !WaitForEnd(process, 0); }

bool Win32Processes::WaitForEnd(const ProcessIdentity& process, std::uint32_t timeoutMs) {
    const Win32Handle handle = OpenIdentity(process);
    return !handle || WaitForSingleObject(handle.Get(), timeoutMs) != WAIT_TIMEOUT;
}

// The new process inherits no handles.
bool Win32Processes::Start(const std::string& exe, const std::string& arguments) { return Launch(exe, arguments, nullptr); }

// An inherited handle keeps its value in the new process.
std::string Win32Processes::HoldName(const HeldProcess& process) {
    return std::to_string(reinterpret_cast<std::uintptr_t>(HandleOf(process)));
}

// The handle is inheritable only while the new program starts.
bool Win32Processes::StartHolding(const std::string& exe, const std::string& arguments, const HeldProcess& process) {
    HANDLE handle = HandleOf(process);
    if (handle == nullptr || !SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT)) return false;
    const bool started = Launch(exe, arguments, handle);
    SetHandleInformation(handle, HANDLE_FLAG_INHERIT, 0);
    return started;
}

// A name that is no handle of a process (typed by hand, say) holds nothing.
std::shared_ptr<HeldProcess> Win32Processes::HeldBy(const std::string& name) {
    std::uintptr_t value = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), value);
    if (name.empty() || error != std::errc() || end != name.data() + name.size() || value == 0) return nullptr;
    HANDLE handle = reinterpret_cast<HANDLE>(value);
    DWORD flags = 0;
    if (!GetHandleInformation(handle, &flags) || GetProcessId(handle) == 0) return nullptr;
    return Hold(handle);
}

// Without a window of its own the waiting program is never asked whether the session may end,
// and what windows the shell's services gave it answer at once, so it holds up no log off: the
// system ends it with the session.
std::optional<std::uint32_t> Win32Processes::WaitForExitOrSessionEnd(HeldProcess& process) {
    HANDLE handle = HandleOf(process);
    DWORD code = 0;
    if (handle == nullptr || !WaitAnswering(handle) || SessionEnding() ||
        !GetExitCodeProcess(handle, &code)) {
        return std::nullopt;
    }
    return code;
}

} // namespace corvane::platform::win32
