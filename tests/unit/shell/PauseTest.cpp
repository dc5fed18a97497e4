#include <gtest/gtest.h>

#include "shell/Pause.h"
#include "support/FakePlatform.h"
#include "support/FakeWindowSystem.h"

namespace corvane {
namespace {

// The fake clock advances by `step` at every reading; the window system records the waits.
struct PauseRun {
    PauseRun(std::uint32_t startTick, std::uint32_t step) {
        fake.system.tick = startTick;
        fake.system.tickStep = step;
        fake.services.windows = &windows;
        fake.Reinstall();
    }
    testing::FakePlatform fake;
    testing::FakeWindowSystem windows;
};

TEST(Pause, ZeroReturnsWithoutProcessingMessages) {
    PauseRun run(5, 1000);
    Pause(0);
    EXPECT_EQ(run.windows.processed, 0);
    EXPECT_EQ(run.windows.waited, 0u);
}

TEST(Pause, LastsAtLeastTheTimeAcrossTheCounterWrap) {
    for (std::uint32_t start : {1000u, 0xFFFFFFFFu - 1500u, 0xFFFFFFFFu}) {
        PauseRun run(start, 700);
        Pause(3000);
        const std::uint32_t readings = (run.fake.system.tick - start) / 700;
        EXPECT_EQ(readings, 6u) << start; // start, 700, 1400, 2100, 2800, 3500
        EXPECT_EQ(run.windows.processed, 4) << start;
        EXPECT_GT(run.windows.waited, 0u);
    }
}

TEST(Pause, EndsWhenExactlyTheTimeHasPassed) {
    PauseRun run(0, 1000);
    Pause(3000);
    // Readings at 0 (start), 1000, 2000 and 3000: messages handled after the middle two only.
    EXPECT_EQ(run.windows.processed, 2);
    EXPECT_EQ(run.fake.system.tick, 4000u);
}

TEST(Pause, WaitsOnlyForTheTimeThatIsLeft) {
    PauseRun run(0, 1000);
    Pause(2500);
    // Readings at 0 (start), 1000, 2000, 3000: waits of 1500 and 500 ms.
    EXPECT_EQ(run.windows.waited, 2000u);
}

} // namespace
} // namespace corvane
