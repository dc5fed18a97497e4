// Reading the shell list through the portable profile reader, as the native checker does: a
// shells.ini of N entries, each followed by a comment line that pads the file to about 512
// bytes an entry (2,000 entries make 1 MB), and one of 100 entries padded to 1 MB. The names
// are short ("S1999"), so that 2,000 of them fit the 16384 characters in which the launcher
// reads a section's names. The reader
// parses the file once and looks each entry up by name, so the time grows with the file's size
// alone; a reader that parsed the whole file again for every value grew with N times the size.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "config/IniFile.h"
#include "config/PortableProfileFiles.h"
#include "config/ShellListIO.h"
#include "platform/Platform.h"
#include "platform/native/NativePlatform.h"

namespace {

namespace fs = std::filesystem;

// A folder with a shells.ini of `entries` shells in `bytes` bytes or more.
fs::path ShellsFolder(int entries, std::size_t bytes) {
    const fs::path folder = fs::temp_directory_path() / ("corvane-profile-bench-" + std::to_string(entries) + "-" +
                                                         std::to_string(bytes));
    fs::create_directories(folder);
    const std::size_t padding = bytes / static_cast<std::size_t>(entries);
    std::ofstream out(folder / "shells.ini", std::ios::binary | std::ios::trunc);
    out << "[Shells]\r\n";
    for (int i = 0; i < entries; ++i) {
        out << "S" << i << "=C:\\Shells\\shell" << i << ".exe,0,-n" << i << ",C:\\Pictures\\" << i << ".jpg\r\n";
        out << "; " << std::string(padding > 80 ? padding - 80 : 0, 'x') << "\r\n";
    }
    return folder;
}

void ReadShellList(benchmark::State& state, int entries, std::size_t bytes) {
    const fs::path folder = ShellsFolder(entries, bytes);
    for (auto _ : state) {
        // A fresh reader each time: the first look-up parses the file.
        corvane::platform::native::NativePlatform native(folder);
        corvane::TPortableProfileFiles profiles("");
        corvane::platform::Services services = native.Get();
        services.profiles = &profiles;
        const corvane::platform::Services previous = corvane::platform::Install(services);
        const corvane::TIniFile shells("shells.ini");
        const corvane::TShellList list = corvane::TShellListIO(shells).ReadShellList();
        benchmark::DoNotOptimize(list.Count());
        corvane::platform::Install(previous);
    }
    state.SetComplexityN(entries);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fs::file_size(folder / "shells.ini")));
    fs::remove_all(folder);
}

void ShellsOf512Bytes(benchmark::State& state) {
    const auto entries = static_cast<int>(state.range(0));
    ReadShellList(state, entries, static_cast<std::size_t>(entries) * 512);
}

void HundredShellsInOneMegabyte(benchmark::State& state) { ReadShellList(state, 100, 1 << 20); }

} // namespace

BENCHMARK(ShellsOf512Bytes)->RangeMultiplier(2)->Range(250, 2000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(HundredShellsInOneMegabyte)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
