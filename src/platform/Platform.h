// The services through which the launcher reaches the operating system. The program entry
// installs the real ones; unit tests install fakes.
#pragma once

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/SystemInfo.h"

namespace corvane::platform {

class ProfileFiles;    // profile (INI) files, "system.ini" included
class RegistryAccess;  // registry keys and values
class ShellServices;   // starting programs, file icons
class DesktopServices; // wallpaper, mouse cursor
class WindowSystem;    // windows, dialogs and message processing
class Processes;       // this process, others, and new ones
class FileSecurity;    // who may change files
class EventLog;        // the system's event log

struct Services {
    FileSystem* files = nullptr;
    Dialogs* dialogs = nullptr;
    SystemInfo* system = nullptr;
    ProfileFiles* profiles = nullptr;
    RegistryAccess* registry = nullptr;
    ShellServices* shell = nullptr;
    DesktopServices* desktop = nullptr;
    WindowSystem* windows = nullptr;
    Processes* processes = nullptr;
    FileSecurity* security = nullptr;
    EventLog* eventLog = nullptr; // none: events go only into the logon record
};

// Makes these services the ones in use; returns the ones that were in use before.
Services Install(const Services& services);
const Services& Current();

// The service in use of each kind; raises std::logic_error when none is installed.
FileSystem& Files();
Dialogs& Messages();
SystemInfo& System();
ProfileFiles& Profiles();
RegistryAccess& Registry();
ShellServices& Shell();
DesktopServices& Desktop();
WindowSystem& Windows();
Processes& Process();
FileSecurity& Security();

} // namespace corvane::platform
