#include "config/ShellInstall.h"

#include <algorithm>
#include <optional>

#include "config/BinaryRecord.h"
#include "config/ShellJournal.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "platform/RegistryAccess.h"
#include "text/AsciiText.h"

namespace corvane {

namespace {

using platform::RegistryRoot;
using platform::RegistryValue;

constexpr std::string_view Magic = "CVI";
constexpr std::uint8_t Version = 1;

bool Present(const RegistryValue& value) { return value.state == RegistryValue::State::Present; }

std::string Describe(const RegistryValue& value) {
    if (!Present(value)) return "no shell of their own (the machine's applies)";
    return "the shell " + Quoted(value.data.substr(0, value.data.find('\0')));
}

std::string UserName() { return platform::System().UserName().value_or("the current user"); }

std::string Encode(const RegistryValue& earlier) {
    TRecordWriter out;
    out.Out = Magic;
    out.U8(Version);
    out.Stored(earlier);
    return out.Out;
}

// The remembered value; nothing when there is no install, or a record that cannot be read.
std::optional<RegistryValue> Remembered(bool& damaged) {
    damaged = false;
    const RegistryValue stored = platform::Registry().ReadValue(RegistryRoot::CurrentUser, TShellInstall::Key,
                                                                TShellInstall::Value);
    if (!Present(stored)) return std::nullopt;
    const std::string_view data = stored.data;
    TRecordReader in(data.substr(std::min(data.size(), Magic.size())));
    const bool magic = data.substr(0, Magic.size()) == Magic;
    const bool version = in.U8() == Version;
    RegistryValue earlier = in.Stored();
    if (!magic || !version || !in.Ok() || !in.AtEnd()) {
        damaged = true;
        return std::nullopt;
    }
    return earlier;
}

} // namespace

std::string TShellInstall::ShellCommand(const std::string& exePath) {
    return exePath.find(' ') == std::string::npos ? exePath : Quoted(exePath);
}

std::string TShellInstall::Install(const std::string& exePath) const {
    platform::RegistryAccess& registry = platform::Registry();
    const auto user = RegistryRoot::CurrentUser;
    bool damaged = false;
    const std::optional<RegistryValue> remembered = Remembered(damaged);
    const RegistryValue before = ShellIO_.ReadWinlogonShell(user);
    if (!remembered) {
        if (registry.CreateKey(user, Key) != platform::RegistryResult::Done ||
            registry.SetValue(user, Key, Value, platform::RegBinary, Encode(before)) != platform::RegistryWrite::Written) {
            throw ERegistryException("Failed to remember the user's shell under HKEY_CURRENT_USER\\" + std::string(Key));
        }
        registry.Flush(user, Key);
    }
    const std::string command = ShellCommand(exePath);
    ShellIO_.SetWinlogonShell(user, {RegistryValue::State::Present, platform::RegString, command + '\0'});
    std::string report = "Corvane is now the shell of " + UserName() + ": " + Quoted(command) + ".\n";
    if (remembered) {
        report += "It was installed before; what the user had then stays remembered: " + Describe(*remembered) + ".\n";
    } else {
        report += "Before, the user had " + Describe(before) + "; corvane.exe --uninstall puts that back.\n";
    }
    return report;
}

std::string TShellInstall::Uninstall(bool& installed) const {
    bool damaged = false;
    const std::optional<RegistryValue> remembered = Remembered(damaged);
    installed = remembered.has_value();
    if (damaged) {
        throw ERegistryException("The shell remembered under HKEY_CURRENT_USER\\" + std::string(Key) + "\\" + Value +
                                 " cannot be read; the user's shell was left as it is");
    }
    if (!remembered) return "Corvane is not installed as the shell of " + UserName() + "; nothing changed.\n";
    ShellIO_.SetWinlogonShell(RegistryRoot::CurrentUser, *remembered);
    platform::RegistryAccess& registry = platform::Registry();
    if (registry.DeleteValue(RegistryRoot::CurrentUser, Key, Value) != platform::RegistryResult::Done) {
        throw ERegistryException("Failed to remove HKEY_CURRENT_USER\\" + std::string(Key) + "\\" + Value);
    }
    // The key goes too when nothing else of Corvane's is kept there.
    const RegistryValue pending = registry.ReadValue(RegistryRoot::CurrentUser, Key, TShellJournal::Value);
    if (!Present(pending)) registry.DeleteKey(RegistryRoot::CurrentUser, Key);
    registry.Flush(RegistryRoot::CurrentUser, "Software");
    const std::string now = Present(*remembered)
                                ? "the user's shell is " + Quoted(remembered->data.substr(0, remembered->data.find('\0')))
                                : "the user has no shell of their own, so the machine's applies";
    return "Corvane is no longer the shell of " + UserName() + ": " + now + " again.\n";
}

} // namespace corvane
