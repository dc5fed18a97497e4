#include "shell/RestartPolicy.h"

namespace corvane {

TRestartPolicy::TAction TRestartPolicy::AfterEnd(std::uint32_t exitCode, std::uint32_t nowMs) {
    if (exitCode == 0) return TAction::End;
    // Unsigned differences stay right across the tick count's wrap.
    while (!Ends_.empty() && nowMs - Ends_.front() >= WindowMs) Ends_.pop_front();
    Ends_.push_back(nowMs);
    return RecentEnds() > MostRestarts ? TAction::GiveExplorer : TAction::Restart;
}

} // namespace corvane
