// The world in which the tests of launches, the switch, the watcher and the fallback run: the
// fakes of the configuration's services with windows and a desktop, the program folder
// C:\Launch\ (where the fakes put corvane.exe) listing the crash protected shell Alt
// (C:\Alt\alt.exe -quiet) and the missing shell Missing, the program C:\Tools\tool.exe, a
// machine whose shell is explorer.exe, and a clock that runs 1000 ms per reading so that a
// launch's pause passes at once.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "config/ShellIO.h"
#include "support/ConfigPlatform.h"
#include "support/FakeDesktop.h"
#include "support/FakeWindowSystem.h"

namespace corvane::testing {

class LauncherWorld : public ::testing::Test {
protected:
    static constexpr platform::RegistryRoot User = platform::RegistryRoot::CurrentUser;
    static constexpr platform::RegistryRoot Machine = platform::RegistryRoot::LocalMachine;
    // The keys of the shell setting as the registry calls take them: from the root, without "\".
    inline static const std::string Winlogon = std::string(TShellIO::WinlogonKey).substr(1);
    inline static const std::string Mapping = std::string(TShellIO::MappingKey).substr(1);

    LauncherWorld() {
        fake.services.windows = &windows;
        fake.services.desktop = &desktop;
        fake.Reinstall();
        fake.system.tickStep = 1000;
        fake.files.files["C:\\Launch\\shells.ini"] =
            "[Shells]\nAlt=C:\\Alt\\alt.exe,1,-quiet,\nMissing=C:\\Gone\\gone.exe,0,,\n";
        fake.files.files["C:\\Alt\\alt.exe"] = "program";
        fake.files.files["C:\\Tools\\tool.exe"] = "program";
        fake.registry.Put(Machine, Winlogon, "Shell", "explorer.exe");
        fake.shell.onExecute = [this] { during.push_back(UserShell().value_or("-")); };
    }

    // The user's settings file.
    void Settings(const std::string& text) { fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\n" + text; }

    std::optional<std::string> UserShell() const { return fake.registry.Text(User, Winlogon, "shell"); }
    std::optional<std::string> MachineShell() const { return fake.registry.Text(Machine, Winlogon, "shell"); }
    std::optional<std::string> MappingValue() const { return fake.registry.Text(Machine, Mapping, "shell"); }

    ConfigPlatform fake;
    FakeWindowSystem windows;
    FakeDesktop desktop;
    std::vector<std::string> during; // the user's shell setting at each start
};

} // namespace corvane::testing
