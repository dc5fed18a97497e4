#include <gtest/gtest.h>

#include <cstring>

#include "platform/GrowingBuffer.h"

namespace corvane {
namespace {

using platform::BufferRead;

// A system call that writes text when the buffer holds it and its NUL, and otherwise says so,
// with or without the size it needs.
struct FakeCall {
    std::string text;
    bool tellsSize = true;
    std::vector<std::size_t> capacities; // of every try

    BufferRead operator()(char* buffer, std::size_t capacity) {
        capacities.push_back(capacity);
        if (text.size() + 1 > capacity) return {BufferRead::Outcome::TooSmall, tellsSize ? text.size() + 1 : 0};
        std::memcpy(buffer, text.c_str(), text.size() + 1);
        return {BufferRead::Outcome::Fit, text.size()};
    }
};

// A text beyond the first buffer (a log-on name of more than 128 characters) is read whole on
// the next try, at the size the system asks for or, when it does not say, at twice the size.
TEST(GrowingBuffer, ATextLongerThanTheFirstBufferIsReadWhole) {
    const struct {
        std::size_t length;
        bool tellsSize;
        std::vector<std::size_t> tries;
    } cases[] = {
        {127, true, {128}},
        {128, true, {128, 129}},
        {300, true, {128, 301}},
        {300, false, {128, 256, 512}},
        {0, true, {128}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        FakeCall call{std::string(c.length, 'u'), c.tellsSize, {}};
        EXPECT_EQ(platform::ReadGrowingBuffer(128, std::ref(call)), std::string(c.length, 'u'));
        EXPECT_EQ(call.capacities, c.tries);
    }
}

TEST(GrowingBuffer, AFailedCallOrASizeThatKeepsGrowingGivesNothing) {
    EXPECT_EQ(platform::ReadGrowingBuffer(16, [](char*, std::size_t) { return BufferRead{}; }), std::nullopt);
    int tries = 0;
    const auto growing = [&tries](char*, std::size_t capacity) {
        ++tries;
        return BufferRead{BufferRead::Outcome::TooSmall, capacity + 1};
    };
    EXPECT_EQ(platform::ReadGrowingBuffer(16, growing), std::nullopt);
    EXPECT_EQ(tries, 8) << "it gives up";
}

} // namespace
} // namespace corvane
