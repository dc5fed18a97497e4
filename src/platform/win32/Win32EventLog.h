// The Application log of Windows, written with ReportEvent under the source "Corvane", which is
// opened at the first event of the run and stays open until the process ends.
#pragma once

#include "platform/EventLog.h"

namespace corvane::platform::win32 {

class Win32EventLog final : public EventLog {
public:
    void Report(EventLevel level, std::uint16_t id, const std::string& text) noexcept override;

private:
    void* Source_ = nullptr; // the handle of the source; none before the first event
    bool Tried_ = false;     // whether the source was asked for
};

} // namespace corvane::platform::win32
