// Times the start of corvane.exe up to its chooser, beside the reference program of
// start_reference.cpp (the popup with a combo box and the system icon list, and the bare
// popup). Each round starts the three programs one after the other, in a rotating order, and
// times from CreateProcess until a visible top-level window of the expected class exists and
// answers a message (SendMessageTimeout of WM_NULL returns); the program is then ended.
//
// usage: start_bench CORVANE.exe REFERENCE.exe [ROUNDS [OTHER_CORVANE.exe...]]
// CORVANE.exe must lie in a program folder whose settings show the chooser; other builds of it
// (an older one, say) lying there are timed in the same rounds. Prints the median, the
// quartiles and the ratios of the medians; exits with 1 when a program did not show its window
// within 30 seconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Program {
    const char* name;
    std::string exe;
    std::string arguments;
    const char* windowClass;
    std::vector<double> times; // milliseconds
};

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / frequency;
}

struct Search {
    DWORD processId;
    const char* windowClass;
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, search->windowClass) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

// Milliseconds from the start of the process until its window answers; negative on failure.
double TimeStart(const Program& program) {
    std::string commandLine = "\"" + program.exe + "\" " + program.arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!CreateProcessA(program.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    double elapsed = -1;
    while (Now() - start < 30000) {
        Search search{process.dwProcessId, program.windowClass, nullptr};
        EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
        DWORD_PTR result = 0;
        if (search.found != nullptr &&
            SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0) {
            elapsed = Now() - start;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break; // it ended early
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    Sleep(150); // let the system finish with the ended process before the next start
    return elapsed;
}

double Quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const double position = q * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(position);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (position - static_cast<double>(below));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: start_bench CORVANE.exe REFERENCE.exe [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 30;
    std::vector<Program> programs = {
        {"corvane.exe", argv[1], "", "TfrmShellChoose", {}},
        {"combo box reference", argv[2], "combo", "StartReference", {}},
        {"bare window", argv[2], "bare", "StartReference", {}},
    };
    for (int i = 4; i < argc; ++i) programs.push_back({argv[i], argv[i], "", "TfrmShellChoose", {}});

    for (auto& program : programs) { // the first start of each loads its files into the cache
        if (TimeStart(program) < 0) {
            std::fprintf(stderr, "%s showed no window\n", program.name);
            return 1;
        }
    }
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            Program& program = programs[(i + static_cast<std::size_t>(round)) % programs.size()];
            const double elapsed = TimeStart(program);
            if (elapsed < 0) {
                std::fprintf(stderr, "%s showed no window\n", program.name);
                return 1;
            }
            program.times.push_back(elapsed);
        }
    }

    std::printf("%d rounds; milliseconds from CreateProcess to a visible window that answers\n", rounds);
    for (const auto& program : programs) {
        std::printf("  %-24s median %7.1f   quartiles %7.1f %7.1f\n", program.name, Quantile(program.times, 0.5),
                    Quantile(program.times, 0.25), Quantile(program.times, 0.75));
    }
    const double corvane = Quantile(programs[0].times, 0.5);
    const double combo = Quantile(programs[1].times, 0.5);
    const double bare = Quantile(programs[2].times, 0.5);
    for (std::size_t i = 0; i < programs.size(); ++i) {
        if (i == 1 || i == 2) continue;
        const double median = Quantile(programs[i].times, 0.5);
        std::printf("ratio of medians: %s / combo box reference %.2f, / bare window %.2f\n", programs[i].name,
                    median / combo, median / bare);
    }
    std::printf("goal: at most 1.15 against the combo box reference: %s\n", corvane / combo <= 1.15 ? "met" : "missed");
    for (std::size_t i = 3; i < programs.size(); ++i) {
        const double other = Quantile(programs[i].times, 0.5);
        std::printf("against %s: %.3f; goal at most 1.03: %s\n", programs[i].name, corvane / other,
                    corvane / other <= 1.03 ? "met" : "missed");
    }
    return 0;
}
