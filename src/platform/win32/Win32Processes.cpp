#include "platform/win32/Win32Processes.h"

#include <windows.h>

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

} // namespace

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

// The new process inherits no handles and gets no console; it outlives this one.
bool Win32Processes::Start(const std::string& exe, const std::string& arguments) {
    std::string commandLine = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr,
                        &startup, &started)) {
        return false;
    }
    Win32Handle(started.hThread).Reset();
    Win32Handle(started.hProcess).Reset();
    return true;
}

} // namespace corvane::platform::win32
