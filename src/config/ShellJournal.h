// The journal of a pending restore: before a launch switches the shell setting it records here
// what the restore will put back, and clears it once the restore is done. A launcher that is
// killed during the pause leaves it behind, so that its guard, the next start of corvane.exe or
// the next logon can put the setting back.
//
// It is one binary value, written in one step, under the current user's "Software\Corvane" (the
// program folder may be read-only and is shared by all users), beside an entry in the user's
// RunOnce key that runs `"<corvane.exe>" --recover` at the next logon of a shell that processes
// RunOnce (Explorer does).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/ShellIO.h"
#include "platform/Processes.h"

namespace corvane {

// What a launch switched, and which launcher did it.
struct TPendingRestore {
    platform::ProcessIdentity Launcher;
    TSavedShellSetting Saved;
    TShellSwitch Switched;
};

class TShellJournal {
public:
    static constexpr const char* Key = "Software\\Corvane";
    static constexpr const char* Value = "PendingRestore";
    static constexpr const char* RunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    static constexpr const char* RunOnceValue = "Corvane Recovery";

    // Records the pending restore durably, with the RunOnce entry that recovers it through
    // exePath. Raises ERegistryException when it cannot be recorded: a switch never starts
    // without its journal.
    void Write(const TPendingRestore& pending, const std::string& exePath) const;
    // The pending restore; nothing when there is none. A record that cannot be read (damaged
    // or of a later version) sets damaged and gives nothing.
    std::optional<TPendingRestore> Read(bool* damaged = nullptr) const;
    // Removes the record and its RunOnce entry.
    void Clear() const;

    // The record's bytes, and the record of bytes (nothing when they are not one).
    static std::string Encode(const TPendingRestore& pending);
    static std::optional<TPendingRestore> Decode(std::string_view data);
};

} // namespace corvane
