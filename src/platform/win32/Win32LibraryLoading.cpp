// Libraries only from the system's folder. corvane.exe runs in the logon of every user whose
// shell it is, and Windows looks for a library that is not among its "known DLLs" (msimg32,
// version, uxtheme, netapi32...) in the program's folder first: a file of that name planted beside
// corvane.exe would run in those logons. So before anything else loads, the default search is
// the system folder alone, and every library that corvane.exe loads at its first use (delay-load)
// is loaded from there by name. MSVC builds also mark the executable so (/DEPENDENTLOADFLAG).
#include <windows.h>

#include <delayimp.h>

#include "platform/win32/Win32Platform.h"

namespace corvane::platform::win32 {

namespace {

// The libraries that are no known DLLs and that the system's own libraries import in turn (the
// theme library imports msimg32, say). Windows searches a library's imports as it searched the
// library; Wine searches them beside the program, unless a library of the name is loaded
// already. So they are loaded from the system folder before the first library that may import
// them.
constexpr const char* ImportedInTurn[] = {"msimg32.dll", "uxtheme.dll", "version.dll"};

FARPROC WINAPI LoadFromSystemFolder(unsigned notification, PDelayLoadInfo info) {
    if (notification != dliNotePreLoadLibrary || info == nullptr || info->szDll == nullptr) return nullptr;
    static const bool preloaded = [] {
        for (const char* name : ImportedInTurn) LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return true;
    }();
    static_cast<void>(preloaded);
    return reinterpret_cast<FARPROC>(LoadLibraryExA(info->szDll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

} // namespace

void RestrictLibrarySearch() { SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32); }

} // namespace corvane::platform::win32

// The hooks of the delay-load helper: a library is loaded from the system folder before the
// helper would look for it elsewhere. Both are defined here, so that the helper's own empty ones
// stay out (MinGW's library defines the two together). delayimp.h declares them extern "C"; the
// definitions take that linkage.
#if defined(_MSC_VER)
const PfnDliHook __pfnDliNotifyHook2 = corvane::platform::win32::LoadFromSystemFolder;
#else
PfnDliHook __pfnDliNotifyHook2 = corvane::platform::win32::LoadFromSystemFolder;
PfnDliHook __pfnDliFailureHook2 = nullptr;
#endif
