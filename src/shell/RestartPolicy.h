// When a watched shell ends: a clean exit is the shell's own choice; a crash is answered with a
// restart, until the shell has ended too often within a short time.
#pragma once

#include <cstdint>
#include <deque>

namespace corvane {

class TRestartPolicy {
public:
    // At most this many restarts within the window; the next end within it gives Explorer.
    static constexpr int MostRestarts = 3;
    static constexpr std::uint32_t WindowMs = 60000;

    enum class TAction { End, Restart, GiveExplorer };

    // What to do when the shell ended with exitCode at nowMs (a tick count, which may wrap).
    TAction AfterEnd(std::uint32_t exitCode, std::uint32_t nowMs);
    // The unexpected ends within the window up to the last one.
    int RecentEnds() const { return static_cast<int>(Ends_.size()); }

private:
    std::deque<std::uint32_t> Ends_;
};

} // namespace corvane
