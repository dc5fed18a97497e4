// The registration of the event source "Corvane" in the Application log: corvane.exe as its
// message file, so that Event Viewer shows each event's text as Corvane's own message. Made by
// the install for every user (and by the package), removed by its uninstall.
#pragma once

#include <cstdint>
#include <string>

#include "platform/EventLog.h"

namespace corvane {

class TEventSource {
public:
    static constexpr const char* LogKey = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\";
    static constexpr const char* MessageFileValue = "EventMessageFile";
    static constexpr const char* TypesValue = "TypesSupported";
    static constexpr std::uint32_t Types = 7; // errors, warnings and information

    static std::string Key() { return std::string(LogKey) + platform::EventSourceName; }

    // Registers the source with exePath as its message file, in place of any registration before;
    // false when it could not be written (and nothing of it stays).
    static bool Register(const std::string& exePath);
    // Removes a registration whose message file is exePath, or the empty key that the package's
    // removal of its values leaves, and leaves one of another program; false when one of exePath
    // stays.
    static bool Unregister(const std::string& exePath);
};

} // namespace corvane
