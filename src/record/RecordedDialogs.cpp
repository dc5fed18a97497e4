#include "record/RecordedDialogs.h"

#include "record/EventRecord.h"
#include "text/AsciiText.h"
#include "record/SystemEvent.h"

namespace corvane {

void TRecordedDialogs::ShowMessage(const std::string& text) {
    RecordEvent("message: " + text);
    Shown_.ShowMessage(text);
}

void TRecordedDialogs::ShowErrorBox(const std::string& caption, const std::string& text) {
    RecordEvent("error box " + Quoted(caption) + ": " + text);
    LogEvent(SystemEvent::RunEnded, text);
    Shown_.ShowErrorBox(caption, text);
}

} // namespace corvane
