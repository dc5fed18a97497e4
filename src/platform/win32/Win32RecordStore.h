// The logon record's file on Windows: %LOCALAPPDATA%\Corvane\logon.log, and the local clock.
#pragma once

#include <optional>
#include <string>

#include "platform/RecordStore.h"

namespace corvane::platform::win32 {

class Win32RecordStore final : public RecordStore {
public:
    LocalTime Now() override;
    std::unique_ptr<RecordFile> Open() override;

    // How long a line waits while another writer of the record (a second logon of the user, a
    // launcher's guard) has the file; a line that waits longer is dropped.
    static constexpr unsigned long TurnWaitMs = 500;

private:
    // The record's folder with its "\", asked of the system once; empty when it names none.
    const std::wstring& Folder();
    std::optional<std::wstring> Folder_;
};

} // namespace corvane::platform::win32
