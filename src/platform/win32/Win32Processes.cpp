#include "platform/win32/Win32Processes.h"

#include <windows.h>

#include <string>

namespace corvane::platform::win32 {

namespace {

std::uint64_t CreationTime(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return static_cast<std::uint64_t>(created.dwHighDateTime) << 32 | created.dwLowDateTime;
}

// A handle to the process of this identity, closed with the object; none when no process of
// that id runs, or the one that does started at another time.
class ProcessHandle {
public:
    explicit ProcessHandle(const ProcessIdentity& process)
        : Handle_(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.Id)) {
        if (Handle_ != nullptr && CreationTime(Handle_) != process.StartTime) {
            CloseHandle(Handle_);
            Handle_ = nullptr;
        }
    }
    ~ProcessHandle() {
        if (Handle_ != nullptr) CloseHandle(Handle_);
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    HANDLE Get() const { return Handle_; }

private:
    HANDLE Handle_;
};

} // namespace

ProcessIdentity Win32Processes::Current() { return {GetCurrentProcessId(), CreationTime(GetCurrentProcess())}; }

bool Win32Processes::IsRunning(const ProcessIdentity& process) { return !WaitForEnd(process, 0); }

bool Win32Processes::WaitForEnd(const ProcessIdentity& process, std::uint32_t timeoutMs) {
    const ProcessHandle handle(process);
    return handle.Get() == nullptr || WaitForSingleObject(handle.Get(), timeoutMs) != WAIT_TIMEOUT;
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
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

} // namespace corvane::platform::win32
