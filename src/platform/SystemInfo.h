// Facts about the running system and a few of its services.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::platform {

class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    // The log-on name of the current user, or nothing when the system does not give it.
    virtual std::optional<std::string> UserName() = 0;
    // The platform identifier of the running Windows family: 1 for 95/98/Me, 2 for NT.
    virtual int PlatformId() = 0;
    // Milliseconds since the system started, wrapping after 2^32 - 1.
    virtual std::uint32_t TickCount() = 0;
    // Compares two names (UTF-8) for sorting and matching, ignoring letter case as the system
    // does in the user's locale, for every script: negative, zero or positive.
    virtual int CompareText(const std::string& a, const std::string& b) = 0;
    // Whether names holds name, compared as CompareText compares.
    bool Lists(const std::vector<std::string>& names, const std::string& name) {
        return std::any_of(names.begin(), names.end(), [&](const std::string& listed) { return CompareText(listed, name) == 0; });
    }
    // Bytes in the system's legacy code page (1252 on a Western machine) as UTF-8.
    virtual std::string FromLegacyCodePage(std::string_view bytes) = 0;
    // The colour (red in the lowest byte) of the system colour with the given index.
    virtual std::uint32_t SysColor(int index) = 0;
    // True while the user has the system's high-contrast mode on.
    virtual bool HighContrast() = 0;
    // The file version of the running program as its version resource gives it ("3.0.0.0"),
    // or empty when it has none.
    virtual std::string ProgramVersion() = 0;
    // The system's Windows folder (%SystemRoot%), with a trailing "\".
    virtual std::string WindowsFolder() = 0;
};

} // namespace corvane::platform
