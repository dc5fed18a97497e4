#include "config/ShellJournal.h"

#include <cstdint>

#include "config/BinaryRecord.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "platform/RegistryAccess.h"
#include "text/AsciiText.h"

namespace corvane {

namespace {

using platform::RegistryRoot;
using platform::RegistryValue;

// record: magic version launcher-id start-time family switched read-text user machine system-ini
// (the fields as TRecordWriter writes them; the system.ini line is present (1 byte) and text)
constexpr std::string_view Magic = "CVJ";
constexpr std::uint8_t Version = 1;

constexpr std::uint32_t UserBit = 1, MachineBit = 2, MappingBit = 4, SystemIniBit = 8;

std::uint32_t SwitchedToBits(const TShellSwitch& switched) {
    return (switched.UserValue ? UserBit : 0u) | (switched.MachineValue ? MachineBit : 0u) |
           (switched.MappingTurned ? MappingBit : 0u) | (switched.SystemIni ? SystemIniBit : 0u);
}

TShellSwitch BitsToSwitched(std::uint32_t bits) {
    return {(bits & UserBit) != 0, (bits & MachineBit) != 0, (bits & MappingBit) != 0, (bits & SystemIniBit) != 0};
}

std::string StringData(const std::string& text) { return text + '\0'; }

} // namespace

std::string TShellJournal::Encode(const TPendingRestore& pending) {
    TRecordWriter out;
    out.Out = Magic;
    out.U8(Version);
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
    if (data.substr(0, Magic.size()) != Magic) return std::nullopt;
    TRecordReader in(data.substr(Magic.size()));
    if (in.U8() != Version) return std::nullopt;
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

void TShellJournal::Write(const TPendingRestore& pending, const std::string& exePath) const {
    platform::RegistryAccess& registry = platform::Registry();
    const auto user = RegistryRoot::CurrentUser;
    if (registry.CreateKey(user, Key) != platform::RegistryResult::Done ||
        registry.SetValue(user, Key, Value, platform::RegBinary, Encode(pending)) != platform::RegistryWrite::Written) {
        throw ERegistryException("Failed to record the pending restore of the shell setting under HKEY_CURRENT_USER\\" +
                                 std::string(Key));
    }
    registry.Flush(user, Key);
    // The entry only helps; a logon without it still recovers at Corvane's next start.
    if (registry.CreateKey(user, RunOnceKey) == platform::RegistryResult::Done) {
        registry.SetValue(user, RunOnceKey, RunOnceValue, platform::RegString, StringData(Quoted(exePath) + " --recover"));
        registry.Flush(user, RunOnceKey);
    }
}

std::optional<TPendingRestore> TShellJournal::Read(bool* damaged) const {
    if (damaged != nullptr) *damaged = false;
    const RegistryValue stored = platform::Registry().ReadValue(RegistryRoot::CurrentUser, Key, Value);
    if (stored.state != RegistryValue::State::Present) return std::nullopt;
    std::optional<TPendingRestore> pending = Decode(stored.data);
    if (!pending && damaged != nullptr) *damaged = true;
    return pending;
}

void TShellJournal::Clear() const {
    platform::RegistryAccess& registry = platform::Registry();
    const auto user = RegistryRoot::CurrentUser;
    registry.DeleteValue(user, RunOnceKey, RunOnceValue);
    if (registry.DeleteValue(user, Key, Value) != platform::RegistryResult::Done) {
        throw ERegistryException("Failed to clear the pending restore of the shell setting under HKEY_CURRENT_USER\\" +
                                 std::string(Key));
    }
    registry.Flush(user, Key);
}

} // namespace corvane
