// The few platform services that the text parsers reach (letter case comparison of variable
// names, the message box of the variable table, the icon index of a shell's program), as
// stand-ins that keep no state from one input to the next.
#pragma once

#include "platform/Platform.h"
#include "platform/ShellServices.h"
#include "text/NameCase.h"
#include "text/WesternCodePage.h"

namespace corvane::fuzzing {

class QuietDialogs final : public platform::Dialogs {
public:
    void SetTitle(const std::string&) override {}
    void ShowMessage(const std::string&) override {}
    void ShowErrorBox(const std::string&, const std::string&) override {}
    void WriteOutput(const std::string&, Unread) override {}
};

class PortableSystem final : public platform::SystemInfo {
public:
    std::optional<std::string> UserName() override { return "fuzz"; }
    int PlatformId() override { return 2; }
    std::uint32_t TickCount() override { return 0; }
    int CompareText(const std::string& a, const std::string& b) override { return CompareNames(a, b); }
    std::string FromLegacyCodePage(std::string_view bytes) override { return WesternToUtf8(bytes); }
    std::uint32_t SysColor(int) override { return 0; }
    bool HighContrast() override { return false; }
    std::string ProgramVersion() override { return {}; }
    std::string WindowsFolder() override { return "C:\\Windows\\"; }
};

class NoIcons final : public platform::ShellServices {
public:
    int SysIconIndex(const std::string&) override { return 0; }
    platform::ProgramStart Execute(const std::string&, const std::string&, const std::string&) override { return {}; }
};

// Installs the stand-ins once, for the whole run.
inline void InstallTextServices() {
    static QuietDialogs dialogs;
    static PortableSystem system;
    static NoIcons shell;
    static const bool installed = [] {
        platform::Services services;
        services.dialogs = &dialogs;
        services.system = &system;
        services.shell = &shell;
        platform::Install(services);
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace corvane::fuzzing
