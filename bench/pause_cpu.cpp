// Measures the processor time that one Pause(3000) takes, beside a busy poll of the same
// length, using the process's user plus kernel time. Run it under Wine or on Windows; it
// prints both figures and exits with 1 when the pause takes more than 30 ms of processor time.
#include <windows.h>

#include <cstdio>

#include "platform/win32/Win32Platform.h"
#include "shell/Pause.h"

namespace {

double ProcessorMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0; // 100 ns units
}

// The wait as a plain polling loop would do it: handle messages, read the clock, again.
void BusyPoll(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

} // namespace

int main() {
    corvane::platform::Install(corvane::platform::win32::CreateServices());
    constexpr DWORD Wait = 3000;

    double before = ProcessorMs();
    DWORD start = GetTickCount();
    corvane::Pause(Wait);
    const DWORD pauseWall = GetTickCount() - start;
    const double pauseCpu = ProcessorMs() - before;

    before = ProcessorMs();
    start = GetTickCount();
    BusyPoll(Wait);
    const DWORD pollWall = GetTickCount() - start;
    const double pollCpu = ProcessorMs() - before;

    std::printf("Pause(%lu): %lu ms elapsed, %.1f ms processor time\n", Wait, pauseWall, pauseCpu);
    std::printf("busy poll: %lu ms elapsed, %.1f ms processor time\n", pollWall, pollCpu);
    std::printf("goal: at most 30 ms for the pause: %s\n", pauseCpu <= 30.0 ? "met" : "missed");
    return pauseCpu <= 30.0 && pauseWall >= Wait ? 0 : 1;
}
