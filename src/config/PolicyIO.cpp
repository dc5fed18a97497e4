#include "config/PolicyIO.h"

#include <cstdint>
#include <limits>
#include <string_view>

#include "config/RegistryWrites.h"
#include "platform/Errors.h"
#include "platform/Platform.h"

namespace corvane {

namespace {
// A number policy holds what a setting of the files holds: a 32-bit signed number, of which a
// REG_DWORD gives the part from 0 up.
constexpr std::uint32_t LargestNumber = std::numeric_limits<std::int32_t>::max();
} // namespace

TPolicyIO::TPolicyIO(std::span<const TIniKey> keys) : Keys_(keys.begin(), keys.end()) {
    for (auto& texts : Texts_) texts.resize(Keys_.size());
    Visible_ = platform::Current().registry != nullptr;
    if (!Visible_) return;
    platform::RegistryAccess& registry = platform::Registry();
    for (const TPolicyScope scope : PolicyScopes) {
        // Without the key, or with nothing in it (the common case), nothing more is read.
        if (registry.ValueNames(RootOf(scope), Key).empty()) continue;
        for (std::size_t i = 0; i < Keys_.size(); ++i) {
            const TIniKey& key = Keys_[i];
            std::string reason;
            try {
                const platform::RegistryValue value = registry.ReadValue(RootOf(scope), Key, key.Name);
                if (value.state != platform::RegistryValue::State::Present) continue;
                Texts_[static_cast<std::size_t>(scope)][i] = Interpret(key, value, reason);
            } catch (const EEncodingError& error) { // text that is no UTF-16
                reason = std::string("cannot be read: ") + error.what();
            }
            if (!reason.empty()) Rejected_.push_back({scope, Shown(scope), key.Name, reason});
        }
    }
}

std::optional<std::string> TPolicyIO::StringOf(const platform::RegistryValue& value, std::string& reason) {
    if (value.type == platform::RegString) return TextOf(value.data);
    reason = "is a " + TypeName(value.type) + " value, not a " + TypeName(platform::RegString);
    return std::nullopt;
}

std::optional<std::string> TPolicyIO::Interpret(const TIniKey& key, const platform::RegistryValue& value,
                                                std::string& reason) {
    if (key.Form == TIniValueForm::Text) return StringOf(value, reason);
    if (value.type != platform::RegDword) {
        reason = "is a " + TypeName(value.type) + " value, not a " + TypeName(platform::RegDword);
        return std::nullopt;
    }
    if (value.data.size() != sizeof(std::uint32_t)) {
        reason = "is a " + TypeName(value.type) + " of " + std::to_string(value.data.size()) + " bytes, not 4";
        return std::nullopt;
    }
    const std::uint32_t number = DwordOf(value.data);
    if (key.Form == TIniValueForm::Boolean) return number != 0 ? "1" : "0";
    if (number > LargestNumber) {
        reason = "is " + std::to_string(number) + ", more than the largest " + key.Name + ", " +
                 std::to_string(LargestNumber);
        return std::nullopt;
    }
    return std::to_string(number);
}

const std::optional<std::string>& TPolicyIO::Text(TPolicyScope scope, const TIniKey& key) const {
    for (std::size_t i = 0; i < Keys_.size(); ++i) {
        if (std::string_view(Keys_[i].Name) == key.Name) return Texts_[static_cast<std::size_t>(scope)][i];
    }
    static const std::optional<std::string> none;
    return none;
}

bool TPolicyIO::Any() const {
    if (!Rejected_.empty()) return true;
    for (const auto& texts : Texts_) {
        for (const auto& text : texts) {
            if (text) return true;
        }
    }
    return false;
}

const char* TPolicyIO::ScopeName(TPolicyScope scope) { return scope == TPolicyScope::Machine ? "machine" : "user"; }

std::string TPolicyIO::SourceName(TPolicyScope scope) { return std::string("policy (") + ScopeName(scope) + ")"; }

platform::RegistryRoot TPolicyIO::RootOf(TPolicyScope scope) {
    return scope == TPolicyScope::Machine ? platform::RegistryRoot::LocalMachine : platform::RegistryRoot::CurrentUser;
}

std::string TPolicyIO::Shown(TPolicyScope scope, const std::string& subkey) {
    return ShownKey(RootOf(scope), subkey.empty() ? std::string(Key) : std::string(Key) + "\\" + subkey);
}

std::string TPolicyIO::NotInForce(const TRejected& rejected) {
    return rejected.Name + " " + rejected.Reason + ", so this policy is not in force";
}

std::string TPolicyIO::TypeName(std::uint32_t type) {
    static constexpr const char* Names[] = {"REG_NONE", "REG_SZ",   "REG_EXPAND_SZ", "REG_BINARY",
                                            "REG_DWORD", "REG_DWORD_BIG_ENDIAN", "REG_LINK", "REG_MULTI_SZ",
                                            "REG_RESOURCE_LIST", "REG_FULL_RESOURCE_DESCRIPTOR",
                                            "REG_RESOURCE_REQUIREMENTS_LIST", "REG_QWORD"};
    return type < std::size(Names) ? Names[type] : "type " + std::to_string(type);
}

} // namespace corvane
