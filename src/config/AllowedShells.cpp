#include "config/AllowedShells.h"

#include "platform/Errors.h"
#include "platform/Platform.h"
#include "text/AsciiText.h"
#include "text/DelimitedText.h"

namespace corvane {

namespace {
// The names of one scope's list; what is not a name goes to rejected.
std::vector<std::string> ReadNames(TPolicyScope scope, std::vector<TPolicyIO::TRejected>& rejected) {
    platform::RegistryAccess& registry = platform::Registry();
    const platform::RegistryRoot root = TPolicyIO::RootOf(scope);
    const std::string path = std::string(TPolicyIO::Key) + "\\" + TAllowedShells::Name;
    const std::vector<std::string> values = registry.ValueNames(root, path);
    std::vector<std::string> names;
    const auto reject = [&](const std::string& reason) {
        rejected.push_back({scope, TPolicyIO::Shown(scope, TAllowedShells::Name), TAllowedShells::Name, reason});
    };
    for (const std::string& value : values) {
        std::string reason;
        try {
            const platform::RegistryValue read = registry.ReadValue(root, path, value);
            if (read.state != platform::RegistryValue::State::Present) continue; // gone meanwhile
            const std::optional<std::string> name = TPolicyIO::StringOf(read, reason);
            if (name && name->empty()) reason = "is empty";
            if (name && !name->empty()) names.push_back(*name);
        } catch (const EEncodingError& error) {
            reason = std::string("cannot be read: ") + error.what();
        }
        if (!reason.empty()) reject("value " + Quoted(value) + " " + reason);
    }
    if (!values.empty() && names.empty()) reject("names no shell");
    return names;
}
} // namespace

TAllowedShells::TAllowedShells() {
    if (platform::Current().registry == nullptr) return;
    for (const TPolicyScope scope : PolicyScopes) {
        Names_[static_cast<std::size_t>(scope)] = ReadNames(scope, Rejected_);
        if (!InForce_ && !Names_[static_cast<std::size_t>(scope)].empty()) InForce_ = scope;
    }
}

const std::vector<std::string>& TAllowedShells::NamesOf(TPolicyScope scope) const { return Names_[static_cast<std::size_t>(scope)]; }

bool TAllowedShells::Allows(const std::string& shell) const {
    return !InForce_ || platform::System().Lists(NamesOf(*InForce_), shell);
}

bool TAllowedShells::AllowsProgram(const std::string& path, const TShellList& shells) const {
    if (!InForce_) return true;
    platform::SystemInfo& system = platform::System();
    for (const TShellList::Entry& entry : shells) {
        if (Allows(entry.Name) && system.CompareText(entry.Item->Path, path) == 0) return true;
    }
    return false;
}

std::string TAllowedShells::Described() const {
    if (!InForce_) return {};
    return std::string("the ") + Name + " policy of the " + TPolicyIO::ScopeName(*InForce_) + " (" +
           JoinedText(NamesOf(*InForce_), ", ") + ")";
}

std::string TAllowedShells::ShellRefused(const std::string& shell) const {
    return Quoted(shell) + " is not among the shells that " + Described() + " allows; nothing was started.";
}

std::string TAllowedShells::ProgramRefused(const std::string& path) const {
    return Quoted(path) + " is the program of no shell that " + Described() + " allows; nothing was started.";
}

} // namespace corvane
