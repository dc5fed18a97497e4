#include "platform/win32/Win32Processes.h"

#include <windows.h>

#include <charconv>
#include <string>

#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32ProcessIdentity.h"

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

// Without a console of its own or of this program's, and outliving this one. With inherit, the
// new program gets this program's inheritable handles: only what StartHolding marks so.
bool Launch(const std::string& exe, const std::string& arguments, bool inherit) {
    std::string commandLine = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, inherit ? TRUE : FALSE, DETACHED_PROCESS,
                        nullptr, nullptr, &startup, &started)) {
        return false;
    }
    Win32Handle(started.hThread).Reset();
    Win32Handle(started.hProcess).Reset();
    return true;
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
bool Win32Processes::Start(const std::string& exe, const std::string& arguments) { return Launch(exe, arguments, false); }

// An inherited handle keeps its value in the new process.
std::string Win32Processes::HoldName(const HeldProcess& process) {
    return std::to_string(reinterpret_cast<std::uintptr_t>(HandleOf(process)));
}

// The handle is inheritable only while the new program starts.
bool Win32Processes::StartHolding(const std::string& exe, const std::string& arguments, const HeldProcess& process) {
    HANDLE handle = HandleOf(process);
    if (handle == nullptr || !SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT)) return false;
    const bool started = Launch(exe, arguments, true);
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

// Without a window the waiting program is never asked whether the session may end, so it holds
// up no log off: the system ends it with the session.
std::optional<std::uint32_t> Win32Processes::WaitForExitOrSessionEnd(HeldProcess& process) {
    HANDLE handle = HandleOf(process);
    DWORD code = 0;
    if (handle == nullptr || WaitForSingleObject(handle, INFINITE) != WAIT_OBJECT_0 || SessionEnding() ||
        !GetExitCodeProcess(handle, &code)) {
        return std::nullopt;
    }
    return code;
}

} // namespace corvane::platform::win32
