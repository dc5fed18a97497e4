// The cost of watching a running shell: starts a stand-in shell (this program, asked to sleep),
// then corvane.exe --watch and the floor (a bare program that waits on the same kind of
// inherited handle) side by side, lets them wait 60 s, and compares their processor time over
// that minute and their working sets. Usage: watch_bench CORVANE.exe REFERENCE.exe [SECONDS]
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Watcher {
    const char* name;
    PROCESS_INFORMATION process{};
    double cpuMs = 0;
    SIZE_T workingSet = 0;
};

double CpuMs(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    const auto ticks = [](FILETIME t) { return static_cast<double>(static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime); };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}

SIZE_T WorkingSet(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(process, &counters, sizeof counters) ? counters.WorkingSetSize : 0;
}

bool Start(const std::string& commandLine, bool inherit, PROCESS_INFORMATION& started) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, inherit, DETACHED_PROCESS, nullptr, nullptr, &startup,
                          &started) != FALSE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--sleep") { // the stand-in shell
        Sleep(static_cast<DWORD>(std::atoi(argv[2])));
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: watch_bench CORVANE.exe REFERENCE.exe [SECONDS]\n");
        return 2;
    }
    const DWORD seconds = argc > 3 ? static_cast<DWORD>(std::atoi(argv[3])) : 60;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    PROCESS_INFORMATION shell{};
    if (!Start("\"" + std::string(self) + "\" --sleep " + std::to_string((seconds + 30) * 1000), false, shell)) return 1;
    SetHandleInformation(shell.hProcess, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    const std::string hold = std::to_string(reinterpret_cast<std::uintptr_t>(shell.hProcess));
    Watcher watchers[] = {{"corvane.exe --watch"}, {"floor"}};
    if (!Start("\"" + std::string(argv[1]) + "\" --watch " + hold + " Bench \"" + self + "\" \"--sleep 1\"", true,
               watchers[0].process) ||
        !Start("\"" + std::string(argv[2]) + "\" " + hold, true, watchers[1].process)) {
        std::fprintf(stderr, "cannot start the watchers\n");
        return 1;
    }
    SetHandleInformation(shell.hProcess, HANDLE_FLAG_INHERIT, 0);
    Sleep(5000); // both have settled into their wait
    double before[2];
    for (int i = 0; i < 2; ++i) before[i] = CpuMs(watchers[i].process.hProcess);
    Sleep(seconds * 1000);
    for (int i = 0; i < 2; ++i) {
        watchers[i].cpuMs = CpuMs(watchers[i].process.hProcess) - before[i];
        watchers[i].workingSet = WorkingSet(watchers[i].process.hProcess);
        std::printf("%-20s processor time over %lu s: %.2f ms, working set %.0f KiB (since its start %.2f ms)\n",
                    watchers[i].name, static_cast<unsigned long>(seconds), watchers[i].cpuMs,
                    watchers[i].workingSet / 1024.0, CpuMs(watchers[i].process.hProcess));
    }
    const double ratio = watchers[1].workingSet ? double(watchers[0].workingSet) / double(watchers[1].workingSet) : 0;
    std::printf("working set ratio watcher/floor: %.2f (goal at most 1.2); watcher's processor time %.2f ms (goal at most 5)\n",
                ratio, watchers[0].cpuMs);
    TerminateProcess(shell.hProcess, 0); // a clean end: the watcher ends by itself
    const bool ended = WaitForSingleObject(watchers[0].process.hProcess, 5000) == WAIT_OBJECT_0;
    std::printf("the watcher %s after the shell's clean exit\n", ended ? "ended" : "did NOT end");
    for (Watcher& watcher : watchers) TerminateProcess(watcher.process.hProcess, 0);
    return ratio <= 1.2 && watchers[0].cpuMs <= 5 && ended ? 0 : 1;
}
