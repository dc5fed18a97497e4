// Libraries from the system only: a file planted beside corvane.exe under the name of a library
// that Windows would look for there first (as Wine does when told to load the program folder's
// copy first, Windows' own order for every library that is not a "known DLL") is not loaded.
#include <gtest/gtest.h>

#include <windows.h>

#include "Harness.h"
#include "Input.h"

namespace {

constexpr const char* Overrides = "Software\\Wine\\AppDefaults\\corvane.exe\\DllOverrides";
const std::vector<std::string> Planted = {"msimg32", "uxtheme"};

TEST(LibrarySearch, ALibraryPlantedBesideCorvaneIsNotLoaded) {
    // The whole key goes, so that later tests' settings for corvane.exe can go with theirs.
    struct Cleanup {
        ~Cleanup() { e2e::registry::DeleteRegKey(HKEY_CURRENT_USER, Overrides); }
    } cleanup;
    e2e::ProgramFolder folder("planted-libraries");
    for (const std::string& name : Planted) {
        ASSERT_TRUE(CopyFileW(e2e::Wide(e2e::DriverFolder() + "planted.dll").c_str(), e2e::Wide(folder.Path() + name + ".dll").c_str(),
                              FALSE));
        e2e::registry::SetRegText(HKEY_CURRENT_USER, Overrides, name.c_str(), "native,builtin");
    }
    folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=1\r\n");
    folder.Write("shells.ini", "[Shells]\r\nExplorer=C:\\windows\\explorer.exe,0,,\r\n");
    folder.Write("script.txt", "loadshell (v)\r\n");
    e2e::Launcher launcher(folder);
    HWND chooser = launcher.WaitForWindow("TfrmShellChoose");
    EXPECT_NE(chooser, nullptr) << "the chooser works";
    if (chooser != nullptr) {
        e2e::BringToFront(chooser);
        e2e::TapKey(VK_ESCAPE);
    }
    EXPECT_TRUE(launcher.DismissAllUntilExit().empty());
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    for (const std::string& name : Planted) {
        EXPECT_FALSE(folder.Exists(name + ".dll.loaded")) << name << ".dll beside corvane.exe was loaded";
    }
}

} // namespace
