// The owner of a kernel object's handle (a file, a process, a mutex, an event): it closes the
// handle when it goes. Both null and INVALID_HANDLE_VALUE stand for no handle, since the
// system's calls give back one or the other when they fail.
#pragma once

#include <windows.h>

#include <utility>

namespace corvane::platform::win32 {

class Win32Handle {
public:
    Win32Handle() = default;
    explicit Win32Handle(HANDLE handle) : Handle_(handle) {}
    ~Win32Handle() { Reset(); }
    Win32Handle(Win32Handle&& other) noexcept : Handle_(std::exchange(other.Handle_, nullptr)) {}
    Win32Handle& operator=(Win32Handle&& other) noexcept {
        if (this != &other) {
            Reset();
            Handle_ = std::exchange(other.Handle_, nullptr);
        }
        return *this;
    }
    Win32Handle(const Win32Handle&) = delete;
    Win32Handle& operator=(const Win32Handle&) = delete;

    bool Valid() const { return Handle_ != nullptr && Handle_ != INVALID_HANDLE_VALUE; }
    explicit operator bool() const { return Valid(); }
    HANDLE Get() const { return Handle_; }
    // Closes the handle now.
    void Reset() {
        if (Valid()) CloseHandle(Handle_);
        Handle_ = nullptr;
    }

private:
    HANDLE Handle_ = nullptr;
};

} // namespace corvane::platform::win32
