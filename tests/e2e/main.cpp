// Entry of the end-to-end driver: reads where corvane.exe and the work folders are, and saves
// a screenshot of the display when a test fails.
#include <gtest/gtest.h>

#include <cstring>
#include <iostream>

#include "Harness.h"

namespace {

class ScreenshotOnFailure : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { Saved_ = false; }
    // Taken at the failing assertion, while the launcher's windows are still on the screen.
    void OnTestPartResult(const testing::TestPartResult& result) override {
        if (!result.failed() || Saved_) return;
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        if (test == nullptr) return;
        const std::string path = e2e::Config().artifacts + "\\" + test->test_suite_name() + "." + test->name() + ".bmp";
        Saved_ = e2e::SaveScreenshot(path);
        if (Saved_) std::cout << "screenshot saved: " << path << std::endl;
    }
    bool Saved_ = false;
};

bool TakeOption(const char* argument, const char* name, std::string& value) {
    const std::size_t length = std::strlen(name);
    if (std::strncmp(argument, name, length) != 0) return false;
    value = argument + length;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // Per-monitor aware: window places, the mouse and screen pixels are all in real pixels,
    // whatever the DPI of the programs under test.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        TakeOption(argv[i], "--corvane=", e2e::Config().corvane) || TakeOption(argv[i], "--runs=", e2e::Config().runs) ||
            TakeOption(argv[i], "--artifacts=", e2e::Config().artifacts) ||
            TakeOption(argv[i], "--desktop-probe=", e2e::Config().desktopProbe) ||
            TakeOption(argv[i], "--images=", e2e::Config().images) ||
            TakeOption(argv[i], "--fixtures=", e2e::Config().fixtures) || TakeOption(argv[i], "--msi=", e2e::Config().msi) ||
            TakeOption(argv[i], "--wine-errors=", e2e::Config().wineErrors);
    }
    if (e2e::Config().corvane.empty() || e2e::Config().runs.empty()) {
        std::cerr << "usage: corvane_e2e --corvane=PATH --runs=FOLDER [--artifacts=FOLDER]\n";
        return 2;
    }
    testing::UnitTest::GetInstance()->listeners().Append(new ScreenshotOnFailure);
    return RUN_ALL_TESTS();
}
