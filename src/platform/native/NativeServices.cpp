#include <chrono>
#include <cstdlib>
#include <iostream>

#include "platform/native/NativeServices.h"
#include "text/NameCase.h"
#include "text/WesternCodePage.h"

namespace corvane::platform::native {

void NativeDialogs::ShowMessage(const std::string& text) { std::cerr << Title_ << ": " << text << "\n"; }

void NativeDialogs::ShowErrorBox(const std::string& caption, const std::string& text) {
    std::cerr << caption << ": " << text << "\n";
}

void NativeDialogs::WriteOutput(const std::string& text, Unread) { std::cout << text << std::flush; }

std::optional<std::string> NativeSystemInfo::UserName() {
    for (const char* variable : {"USER", "LOGNAME"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return std::string(value);
    }
    return std::nullopt;
}

std::uint32_t NativeSystemInfo::TickCount() {
    const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

int NativeSystemInfo::CompareText(const std::string& a, const std::string& b) { return CompareNames(a, b); }

// The code page of Western Windows, where most configurations are written.
std::string NativeSystemInfo::FromLegacyCodePage(std::string_view bytes) { return WesternToUtf8(bytes); }

} // namespace corvane::platform::native
