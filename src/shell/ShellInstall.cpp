#include "shell/ShellInstall.h"

#include <optional>

#include "config/BinaryRecord.h"
#include "config/RegistryWrites.h"
#include "config/ShellCommand.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "shell/ExplorerFallback.h"
#include "text/AsciiText.h"

namespace corvane {

namespace {

using platform::RegistryRoot;
using platform::RegistryValue;

// record: header stored-value (the value as it was before the install)
constexpr std::uint8_t Version = Utf8Version;

bool Present(const RegistryValue& value) { return value.state == RegistryValue::State::Present; }

std::string Encode(const RegistryValue& earlier) {
    TRecordWriter out(TRecordKind::InstalledOver, Version);
    out.Stored(earlier);
    return out.Out;
}

bool IsCorvane(const RegistryValue& value) { return Present(value) && TShellCommand::NamesCorvane(TextOf(value.data)); }

// The remembered value; nothing when there is no install, or a record that cannot be read.
std::optional<RegistryValue> Remembered(RegistryRoot root, bool& damaged) {
    damaged = false;
    const RegistryValue stored = platform::Registry().ReadValue(root, CorvaneKey, TShellInstall::Value);
    if (!Present(stored)) return std::nullopt;
    TRecordReader in(stored.data, TRecordKind::InstalledOver, Version);
    RegistryValue earlier = in.Stored();
    if (!in.Ok() || !in.AtEnd()) {
        damaged = true;
        return std::nullopt;
    }
    return earlier;
}

[[noreturn]] void Denied(RegistryRoot root) {
    if (root == RegistryRoot::LocalMachine) throw ERegistryException(TShellInstall::AdministratorRightsNeeded);
    throw ERegistryException("Access to the shell setting of the current user is denied; nothing changed.");
}

bool WasDenied(platform::RegistryWrite written) {
    return written == platform::RegistryWrite::OpenDenied || written == platform::RegistryWrite::SetDenied;
}

// Stores the record; a refusal for lack of rights changes nothing and is the caller's to report.
void Remember(RegistryRoot root, const RegistryValue& earlier) {
    if (WasDenied(WriteRegistryValue(root, CorvaneKey, TShellInstall::Value, platform::RegBinary, Encode(earlier), true))) {
        Denied(root);
    }
    platform::Registry().Flush(root, CorvaneKey);
}

// Removes the record, and the key when nothing else of Corvane's is kept there.
void Forget(RegistryRoot root) {
    platform::RegistryAccess& registry = platform::Registry();
    if (registry.DeleteValue(root, CorvaneKey, TShellInstall::Value) != platform::RegistryResult::Done) {
        throw ERegistryException("Failed to remove " + ShownKey(root, CorvaneKey) + "\\" + TShellInstall::Value);
    }
    if (registry.ValueNames(root, CorvaneKey).empty()) registry.DeleteKey(root, CorvaneKey);
    registry.Flush(root, "Software");
}

} // namespace

std::string TShellInstall::Whose() const {
    if (Root_ == RegistryRoot::LocalMachine) return "every user of this machine";
    return platform::System().UserName().value_or("the current user");
}

RegistryValue TShellInstall::NoCorvane() const {
    if (Root_ == RegistryRoot::CurrentUser) return {RegistryValue::State::NoValue, 0, {}};
    return {RegistryValue::State::Present, platform::RegString, StringData(TExplorerFallback::ExplorerFile)};
}

namespace {
std::string Describe(const RegistryValue& value, RegistryRoot root) {
    if (!Present(value)) {
        return root == RegistryRoot::CurrentUser ? "no shell of their own (the machine's applies)" : "no shell value";
    }
    return "the shell " + Quoted(TextOf(value.data));
}
} // namespace

std::string TShellInstall::Install(const std::string& exePath) const {
    bool damaged = false;
    const std::optional<RegistryValue> remembered = Remembered(Root_, damaged);
    const RegistryValue before = ShellIO_.ReadWinlogonShell(Root_);
    const std::string record = ShownKey(Root_, CorvaneKey) + "\\" + Value;
    std::string note;
    if (damaged && IsCorvane(before)) {
        throw ERegistryException("The shell remembered under " + record + " cannot be read, and the shell of " + Whose() +
                                 " is Corvane already, so the shell before it is unknown; nothing changed. "
                                 "corvane.exe --uninstall removes Corvane as the shell and the damaged record");
    }
    // The record comes first, so that no switched shell is ever without it; when the shell then
    // cannot be written, the record written for it goes again.
    if (!remembered) {
        // A shell that is some corvane.exe already has nothing of its own to go back to.
        const RegistryValue earlier = IsCorvane(before) ? NoCorvane() : before;
        Remember(Root_, earlier);
        if (damaged) note = "The remembered shell under " + record + " could not be read and was replaced. ";
        if (IsCorvane(before)) note += "The shell was a corvane.exe already; ";
        note += "Before, " + Whose() + " had " + Describe(earlier, Root_) + "; corvane.exe --uninstall puts that back.\n";
    } else {
        note = "It was installed before; what was there then stays remembered: " + Describe(*remembered, Root_) + ".\n";
    }
    const std::string command = TShellCommand::For(exePath);
    bool written = false;
    try {
        written = ShellIO_.SetWinlogonShell(Root_, {RegistryValue::State::Present, platform::RegString, StringData(command)}, true);
    } catch (...) {
        if (!remembered) Forget(Root_);
        throw;
    }
    if (!written) {
        if (!remembered) Forget(Root_);
        Denied(Root_);
    }
    return "Corvane is now the shell of " + Whose() + ": " + Quoted(command) + ".\n" + note;
}

std::string TShellInstall::Uninstall(const std::string& exePath, bool& installed) const {
    bool damaged = false;
    const std::optional<RegistryValue> remembered = Remembered(Root_, damaged);
    installed = remembered.has_value() || damaged;
    if (!installed) return "Corvane is not installed as the shell of " + Whose() + "; nothing changed.\n";
    const RegistryValue current = ShellIO_.ReadWinlogonShell(Root_);
    // A shell that no longer names this corvane.exe is someone's later choice.
    const bool changedSince = !damaged && !(Present(current) && TShellCommand::Starts(TextOf(current.data), exePath));
    RegistryValue after = remembered.value_or(current);
    std::string note;
    if (damaged) {
        note = "The shell remembered under " + ShownKey(Root_, CorvaneKey) + "\\" + Value +
               " could not be read and was removed; ";
        if (IsCorvane(current)) after = NoCorvane();
    }
    // Rewriting the record as it is tells, before anything changes, whether it may be removed.
    const RegistryValue stored = platform::Registry().ReadValue(Root_, CorvaneKey, Value);
    if (WasDenied(WriteRegistryValue(Root_, CorvaneKey, Value, stored.type, stored.data, true))) Denied(Root_);
    if (changedSince) {
        Forget(Root_);
        return "The shell of " + Whose() + " no longer names this corvane.exe: it was changed after the install and "
               "stays as it is (" + Describe(current, Root_) + "). What the install remembered (" +
               Describe(*remembered, Root_) + ") was dropped.\n";
    }
    if (!ShellIO_.SetWinlogonShell(Root_, after, true)) Denied(Root_);
    Forget(Root_);
    const std::string now = Present(after) ? "the shell is " + Quoted(TextOf(after.data))
                                           : "there is no shell of their own, so the machine's applies";
    if (damaged && !IsCorvane(current)) return note + "the shell of " + Whose() + " was left as it is: " + now + ".\n";
    return note + "Corvane is no longer the shell of " + Whose() + ": " + now + (damaged ? "" : " again") + ".\n";
}

} // namespace corvane
