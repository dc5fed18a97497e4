#include "shell/ShellJournal.h"

#include <cstdint>

#include "config/BinaryRecord.h"
#include "config/RegistryWrites.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "platform/RegistryAccess.h"
#include "text/AsciiText.h"

namespace corvane {

namespace {

using platform::RegistryRoot;
using platform::RegistryValue;

// record: header launcher-id start-time family switched read-text user machine system-ini
// (the fields as TRecordWriter writes them; the system.ini line is present (1 byte) and text)
constexpr std::uint8_t Version = Utf8Version;

constexpr std::uint32_t UserBit = 1, MachineBit = 2, MappingBit = 4, SystemIniBit = 8;

std::uint32_t SwitchedToBits(const TShellSwitch& switched) {
    return (switched.UserValue ? UserBit : 0u) | (switched.MachineValue ? MachineBit : 0u) |
           (switched.MappingTurned ? MappingBit : 0u) | (switched.SystemIni ? SystemIniBit : 0u);
}

TShellSwitch BitsToSwitched(std::uint32_t bits) {
    return {(bits & UserBit) != 0, (bits & MachineBit) != 0, (bits & MappingBit) != 0, (bits & SystemIniBit) != 0};
}

constexpr RegistryRoot User = RegistryRoot::CurrentUser;

// A value name of a record: the prefix alone (an earlier version's) or the prefix, "." and more.
bool IsRecordName(std::string_view name) {
    const std::string_view prefix = TShellJournal::Value;
    return name.size() >= prefix.size() && SameTextAscii(name.substr(0, prefix.size()), prefix) &&
           (name.size() == prefix.size() || name[prefix.size()] == '.');
}

bool AnyRecordLeft() {
    for (const std::string& name : platform::Registry().ValueNames(User, CorvaneKey)) {
        if (IsRecordName(name)) return true;
    }
    return false;
}

} // namespace

std::string TShellJournal::NameOf(std::uint32_t launcherId) { return std::string(Value) + "." + std::to_string(launcherId); }

std::string TShellJournal::Encode(const TPendingRestore& pending) {
    TRecordWriter out(TRecordKind::PendingRestore, Version);
    out.U32(pending.Launcher.Id);
    out.U64(pending.Launcher.StartTime);
    out.U32(static_cast<std::uint32_t>(pending.Saved.Family));
    out.U32(SwitchedToBits(pending.Switched));
    out.Text(pending.Saved.ReadText);
    out.Stored(pending.Saved.UserValue);
    out.Stored(pending.Saved.MachineValue);
    out.U8(pending.Saved.SystemIniShell ? 1 : 0);
    out.Text(pending.Saved.SystemIniShell.value_or(""));
    return out.Out;
}

std::optional<TPendingRestore> TShellJournal::Decode(std::string_view data) {
    TRecordReader in(data, TRecordKind::PendingRestore, Version);
    TPendingRestore pending;
    pending.Launcher.Id = in.U32();
    pending.Launcher.StartTime = in.U64();
    pending.Saved.Family = static_cast<int>(in.U32());
    pending.Switched = BitsToSwitched(in.U32());
    pending.Saved.ReadText = in.Text();
    pending.Saved.UserValue = in.Stored();
    pending.Saved.MachineValue = in.Stored();
    const bool systemIniLine = in.U8() != 0;
    const std::string systemIni = in.Text();
    if (systemIniLine) pending.Saved.SystemIniShell = systemIni;
    if (!in.Ok() || !in.AtEnd()) return std::nullopt;
    return pending;
}

// The record goes first and is flushed: the RunOnce entry only helps, and a logon without it
// still recovers at Corvane's next start.
void TShellJournal::Write(const TPendingRestore& pending, const std::string& exePath) const {
    platform::RegistryAccess& registry = platform::Registry();
    WriteRegistryValue(User, CorvaneKey, NameOf(pending.Launcher.Id), platform::RegBinary, Encode(pending));
    registry.Flush(User, CorvaneKey);
    if (registry.CreateKey(User, RunOnceKey) == platform::RegistryResult::Done) {
        registry.SetValue(User, RunOnceKey, RunOnceValue, platform::RegString, StringData(Quoted(exePath) + " --recover"));
        registry.Flush(User, RunOnceKey);
    }
}

std::vector<TShellJournal::TEntry> TShellJournal::ReadAll() const {
    std::vector<TEntry> entries;
    for (const std::string& name : platform::Registry().ValueNames(User, CorvaneKey)) {
        if (!IsRecordName(name)) continue;
        if (std::optional<TEntry> entry = ReadNamed(name)) entries.push_back(std::move(*entry)); // else cleared meanwhile
    }
    return entries;
}

std::optional<TShellJournal::TEntry> TShellJournal::ReadNamed(const std::string& name) const {
    const RegistryValue stored = platform::Registry().ReadValue(User, CorvaneKey, name);
    if (stored.state != RegistryValue::State::Present) return std::nullopt;
    return TEntry{name, Decode(stored.data)};
}

std::optional<TPendingRestore> TShellJournal::ReadOf(std::uint32_t launcherId, bool* damaged) const {
    if (damaged != nullptr) *damaged = false;
    const RegistryValue stored = platform::Registry().ReadValue(User, CorvaneKey, NameOf(launcherId));
    if (stored.state != RegistryValue::State::Present) return std::nullopt;
    std::optional<TPendingRestore> pending = Decode(stored.data);
    if (!pending && damaged != nullptr) *damaged = true;
    return pending;
}

void TShellJournal::Clear(const std::string& name) const {
    platform::RegistryAccess& registry = platform::Registry();
    if (registry.DeleteValue(User, CorvaneKey, name) != platform::RegistryResult::Done) {
        throw ERegistryException("Failed to clear the pending restore " + name + " under " + ShownKey(User, CorvaneKey));
    }
    registry.Flush(User, CorvaneKey);
    ClearRunOnceWhenIdle();
}

// Another launch may write its record meanwhile: it writes the entry after its record, and the
// entry comes back when a record shows up after the entry went.
void TShellJournal::ClearRunOnceWhenIdle() const {
    platform::RegistryAccess& registry = platform::Registry();
    const RegistryValue entry = registry.ReadValue(User, RunOnceKey, RunOnceValue);
    if (entry.state != RegistryValue::State::Present || AnyRecordLeft()) return;
    registry.DeleteValue(User, RunOnceKey, RunOnceValue);
    if (AnyRecordLeft()) registry.SetValue(User, RunOnceKey, RunOnceValue, entry.type, entry.data);
    registry.Flush(User, RunOnceKey);
}

} // namespace corvane
