// The kinds of event that go into the system's event log, besides the logon record, each with
// its identifier (the message of that number in corvane.exe's message table, res/events.mc) and
// its level. The record keeps every event; the log gets the ones an administrator looks for.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/EventLog.h"

namespace corvane {

struct TSystemEvent {
    std::uint16_t Id;
    platform::EventLevel Level;
    std::string_view Name; // the message's symbolic name in the message table
};

namespace SystemEvent {
using enum platform::EventLevel;
inline constexpr TSystemEvent RunEnded{1, Error, "RunEnded"};             // the "Application Error" box
inline constexpr TSystemEvent ErrorReported{2, Error, "ErrorReported"};   // a box of an error the run goes on after
inline constexpr TSystemEvent WarningReported{3, Warning, "WarningReported"};
inline constexpr TSystemEvent StartFailed{4, Error, "StartFailed"};       // a program or shell did not start
inline constexpr TSystemEvent ExplorerFallback{5, Warning, "ExplorerFallback"};
inline constexpr TSystemEvent ShellRestarted{6, Warning, "ShellRestarted"}; // by its watcher, after a crash
inline constexpr TSystemEvent ShellGivenUp{7, Error, "ShellGivenUp"};     // its watcher started Explorer instead
inline constexpr TSystemEvent ConfigurationRefused{8, Error, "ConfigurationRefused"};
inline constexpr TSystemEvent ConfigurationOpen{9, Warning, "ConfigurationOpen"};
inline constexpr TSystemEvent Installed{10, Information, "Installed"};
inline constexpr TSystemEvent Uninstalled{11, Information, "Uninstalled"};
inline constexpr TSystemEvent InstallFailed{12, Error, "InstallFailed"};
inline constexpr TSystemEvent UninstallFailed{13, Error, "UninstallFailed"};
inline constexpr TSystemEvent PolicyNotInForce{14, Warning, "PolicyNotInForce"}; // a policy value in the wrong form
inline constexpr std::array All{RunEnded,         ErrorReported, WarningReported,      StartFailed,       ExplorerFallback,
                                ShellRestarted,   ShellGivenUp,  ConfigurationRefused, ConfigurationOpen, Installed,
                                Uninstalled,      InstallFailed, UninstallFailed,      PolicyNotInForce};
} // namespace SystemEvent

// Writes the event into the system's event log, when the program has one; never throws.
void LogEvent(const TSystemEvent& event, const std::string& text) noexcept;
// Shows the box of a problem, after writing its text into the event log as event.
void ReportProblem(const TSystemEvent& event, const std::string& text);

} // namespace corvane
