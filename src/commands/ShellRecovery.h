// Putting back a shell setting that a launch left switched because its launcher did not live to
// do it: killed during the pause, crashed, or cut off with the power. The launch's journal says
// what to put back and which launcher it belongs to; a launcher that still runs does it itself.
#pragma once

#include <cstdint>
#include <string>

#include "config/ShellIO.h"
#include "config/ShellJournal.h"

namespace corvane {

class TShellRecovery {
public:
    enum class TOutcome { Nothing, LauncherRunning, Restored, Discarded };

    struct TReport {
        TOutcome Outcome = TOutcome::Nothing;
        std::string Text; // one or more lines that say what was done
    };

    // How often a guard looks whether its launcher still runs and whether its journal is cleared.
    static constexpr std::uint32_t GuardPollMs = 250;

    explicit TShellRecovery(const TShellIO& shellIO) : ShellIO_(shellIO) {}

    // Applies and clears a pending restore whose launcher no longer runs, holding the switch
    // lock so that no other launch or recovery runs meanwhile. A record that cannot be read is
    // removed (Discarded). Raises ERegistryException when the restore is refused; the journal
    // then stays for the next try.
    TReport Recover() const;

    // The guard of the launcher with this process id: waits while the launcher runs, ends as
    // soon as the launcher's journal is cleared, and recovers when the launcher ended with its
    // journal still pending.
    TReport Guard(std::uint32_t launcherId) const;

private:
    const TShellIO& ShellIO_;
    const TShellJournal Journal_{};
};

} // namespace corvane
