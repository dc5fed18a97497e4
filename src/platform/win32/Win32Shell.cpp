#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32ProcessIdentity.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemMessage.h"
#include "platform/win32/Win32Text.h"

namespace corvane::platform::win32 {

// ShellExecuteExW, SHGetFileInfoW and SHGetImageList may hand their work to shell extensions that need COM on
// the calling thread, apartment-threaded. It is set up at the first call and stays until the
// process ends (a run that starts nothing never loads it); a thread where COM is already set
// up keeps its own.
void NeedCom() {
    static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    static_cast<void>(com);
}

// The returned handle is the system icon list itself; only the index matters here.
int Win32Shell::SysIconIndex(const std::string& path) {
    NeedCom();
    SHFILEINFOW info{};
    if (SHGetFileInfoW(Wide(path).c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX) == 0) return 0;
    return info.iIcon;
}

// ShellExecuteExW keeps ShellExecute's handling of documents and parameter strings and, unlike
// it, gives back the error and the started process. The launcher reports a failure itself, so
// the system's own box stays away.
ProgramStart Win32Shell::Execute(const std::string& path, const std::string& parameters, const std::string& directory) {
    NeedCom();
    const std::wstring file = Wide(path);
    const std::wstring arguments = Wide(parameters);
    const std::wstring folder = Wide(directory);
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    execute.lpFile = file.c_str();
    execute.lpParameters = arguments.c_str();
    execute.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    execute.nShow = SW_SHOW;
    ProgramStart start;
    if (!ShellExecuteExW(&execute)) {
        // Some of the system's texts name the file by an insert ("%1 is not a valid Win32
        // application.").
        start.Reason = SystemMessage(GetLastError());
        const std::size_t insert = start.Reason.find("%1");
        if (insert != std::string::npos) start.Reason.replace(insert, 2, path);
        return start;
    }
    start.Started = true;
    if (execute.hProcess != nullptr) start.Process = Hold(execute.hProcess);
    return start;
}

} // namespace corvane::platform::win32
