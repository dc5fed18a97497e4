#include "platform/Platform.h"
#include "platform/ProfileFiles.h"

#include <stdexcept>

namespace corvane::platform {

namespace {
Services installed;

template <typename T> T& Require(T* service, const char* what) {
    if (service == nullptr) {
        throw std::logic_error(std::string("no platform service installed: ") + what);
    }
    return *service;
}
} // namespace

Services Install(const Services& services) {
    Services previous = installed;
    installed = services;
    return previous;
}

const Services& Current() { return installed; }

FileSystem& Files() { return Require(installed.files, "files"); }
Dialogs& Messages() { return Require(installed.dialogs, "dialogs"); }
SystemInfo& System() { return Require(installed.system, "system"); }
ProfileFiles& Profiles() { return Require(installed.profiles, "profiles"); }
RegistryAccess& Registry() { return Require(installed.registry, "registry"); }
ShellServices& Shell() { return Require(installed.shell, "shell"); }
DesktopServices& Desktop() { return Require(installed.desktop, "desktop"); }
WindowSystem& Windows() { return Require(installed.windows, "windows"); }
Processes& Process() { return Require(installed.processes, "processes"); }
FileSecurity& Security() { return Require(installed.security, "security"); }

} // namespace corvane::platform
