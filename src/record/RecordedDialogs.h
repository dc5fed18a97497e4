// The launcher's boxes as the logon record keeps them: every message and error box goes into the
// record before it shows, so that a launcher killed while it waits keeps it. The program entry
// puts this in front of the system's boxes.
#pragma once

#include <string>

#include "platform/Dialogs.h"

namespace corvane {

class TRecordedDialogs final : public platform::Dialogs {
public:
    explicit TRecordedDialogs(platform::Dialogs& shown) : Shown_(shown) {}

    void SetTitle(const std::string& title) override { Shown_.SetTitle(title); }
    void ShowMessage(const std::string& text) override;
    void ShowErrorBox(const std::string& caption, const std::string& text) override;
    void WriteOutput(const std::string& text, Unread unread) override { Shown_.WriteOutput(text, unread); }

private:
    platform::Dialogs& Shown_;
};

} // namespace corvane
