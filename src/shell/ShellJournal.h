// The journal of pending restores: before a launch switches the shell setting it records what
// its restore will put back, and clears the record once the restore is done. A launcher that is
// killed during the pause leaves its record behind, so that its guard, the next start of
// corvane.exe or the next logon can put the setting back.
//
// Each launcher has a record of its own, one binary value "PendingRestore.<process id>" written
// in one step under the current user's CorvaneKey (the program folder may be read-only and is
// shared by all users), so that two launches of one user (two logons on a terminal server)
// never overwrite each other's. Beside the records stands one entry in the user's RunOnce key
// that runs `"<corvane.exe>" --recover` at the next logon of a shell that processes RunOnce
// (Explorer does): it is written after a record and removed with the last one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    // The records' names begin so; the record of an earlier version of Corvane has the name alone.
    static constexpr const char* Value = "PendingRestore";
    static constexpr const char* RunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    static constexpr const char* RunOnceValue = "Corvane Recovery";

    // One record as it is stored: its value name and what it holds, or nothing when it cannot
    // be read (damaged, or of a later version).
    struct TEntry {
        std::string Name;
        std::optional<TPendingRestore> Pending;
    };

    // Records the launcher's pending restore durably, then the RunOnce entry that recovers it
    // through exePath. Raises ERegistryException when the record cannot be written: a switch
    // never starts without its record.
    void Write(const TPendingRestore& pending, const std::string& exePath) const;
    // Every record of the current user.
    std::vector<TEntry> ReadAll() const;
    // The record of this name; nothing when it is gone.
    std::optional<TEntry> ReadNamed(const std::string& name) const;
    // The record of the launcher of this process id; nothing when it has none. A record that
    // cannot be read sets damaged and gives nothing.
    std::optional<TPendingRestore> ReadOf(std::uint32_t launcherId, bool* damaged = nullptr) const;
    // Removes the record of this name, and the RunOnce entry when no record is left.
    void Clear(const std::string& name) const;
    // Removes the RunOnce entry when no record is left (one that a kill left alone).
    void ClearRunOnceWhenIdle() const;

    // The name of the record of the launcher of this process id.
    static std::string NameOf(std::uint32_t launcherId);
    // The record's bytes, and the record of bytes (nothing when they are not one).
    static std::string Encode(const TPendingRestore& pending);
    static std::optional<TPendingRestore> Decode(std::string_view data);
};

} // namespace corvane
