// Putting back a shell setting that a launch left switched because its launcher did not live to
// do it: killed during the pause, crashed, or cut off with the power. Each launch's record in the
// journal says what to put back and which launcher it belongs to; a launcher that still runs
// does it itself.
#pragma once

#include <cstdint>
#include <string>

#include "config/ShellIO.h"
#include "shell/ShellJournal.h"

namespace corvane {

class TShellRecovery {
public:
    // What a recovery found, from the least to the most that it did.
    enum class TOutcome { Nothing, LauncherRunning, Restored, Discarded };

    struct TReport {
        TOutcome Outcome = TOutcome::Nothing;
        std::string Text; // one or more lines that say what was done
    };

    // The command-line option that starts corvane.exe as the guard of a launcher's switch, and
    // what follows it.
    static constexpr const char* GuardOption = "--guard";
    static constexpr const char* GuardArguments = "PID";
    // How often a guard looks whether its launcher's record came or went.
    static constexpr std::uint32_t GuardPollMs = 250;
    // What a recovery that found nothing says.
    static constexpr const char* NothingToPutBack = "No launch left the shell setting switched; nothing to put back.\n";

    explicit TShellRecovery(const TShellIO& shellIO) : ShellIO_(shellIO) {}

    // Applies and clears every pending restore of the current user whose launcher no longer
    // runs, holding the switch lock so that no other launch or recovery runs meanwhile; removes
    // a RunOnce entry that no record needs any more. A record that cannot be read is removed
    // (Discarded). Raises ERegistryException when a restore is refused; its record then stays
    // for the next try.
    TReport Recover() const;

    // The guard of the launcher with this process id: waits while the launcher runs, ends as
    // soon as the launcher's record has come and gone, and recovers when the launcher ended
    // without clearing it. It is started before the launcher writes anything, so a launcher
    // killed at any moment after that start leaves nothing behind.
    TReport Guard(std::uint32_t launcherId) const;

private:
    const TShellIO& ShellIO_;
    const TShellJournal Journal_{};
};

} // namespace corvane
