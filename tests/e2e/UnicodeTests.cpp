// Names and texts beyond the legacy code page, as people have them: a program folder and a
// user name in Greek, shells listed in a shells.ini saved as Unicode, scripts saved as UTF-8 or
// UTF-16, and the files of the legacy code page that exist today, which read as they always did.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "Harness.h"
#include "Input.h"

namespace {

using namespace e2e::registry;

const std::string Greek = "\u03A9mega Caf\u00E9";       // Ωmega Café
const std::string Checked = "\u03A9mega \u2713 Gr\u00FC\u00DFe"; // Ωmega ✓ Grüße

// The text as a file saved as Unicode holds it: the UTF-16 mark, then UTF-16 LE.
std::string Utf16File(const std::string& text) {
    const std::wstring wide = e2e::Wide(text);
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

// A program folder with the stand-in shell as program in it.
std::string StandIn(const e2e::ProgramFolder& folder, const std::string& name) {
    const std::string program = folder.Path() + name;
    EXPECT_TRUE(CopyFileW(e2e::Wide(e2e::DriverFolder() + "standin_shell.exe").c_str(), e2e::Wide(program).c_str(), FALSE));
    return program;
}

class Unicode : public ::testing::Test {
protected:
    void SetUp() override {
        WindowsLikeMachine();
        SetRegText(HKEY_LOCAL_MACHINE, MappingKey, "shell", UsrMapping); // a turn of the mapping stays
    }
    void TearDown() override { WindowsLikeMachine(); }
};

// From a folder whose name the legacy code page cannot hold, the configuration is read, the shell
// in it starts, and while it starts the setting holds its path exactly.
TEST_F(Unicode, AProgramFolderOfAnyNameWorks) {
    e2e::ProgramFolder folder(Greek);
    const std::string shell = StandIn(folder, "\u03B4\u03AD\u03C3\u03BA.exe"); // δέσκ.exe
    folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=0\r\nDefaultShell=Desk\r\n");
    folder.Write("shells.ini", Utf16File("[Shells]\r\nDesk=\"" + shell + "\",0,-x,\r\n"));
    folder.Write("script.txt", "loadshell (v)\r\nshowmessage (\"$v$ from " + folder.Path() + "\")\r\n");
    const auto before = CurrentSetting();
    e2e::Launcher launcher(folder);
    EXPECT_EQ(e2e::Texts(launcher.DismissAllUntilExit()), std::vector<std::string>{"Desk from " + folder.Path()});
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    const auto starts = e2e::WaitForStarts(shell, 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].shell, shell) << "the setting named the shell's path exactly while it started";
    EXPECT_NE(starts[0].commandLine.find(shell), std::string::npos) << starts[0].commandLine;
    EXPECT_EQ(CurrentSetting(), before);
}

// A user name beyond the legacy code page names its own settings file, which is read and no
// other made, and the logon record goes into that user's profile folder of the same name. It runs
// in the pass of run-e2e.sh whose Wine server started as such a user.
TEST(UnicodeUser, AUserOfAnyNameHasTheirOwnSettingsAndRecord) {
    const std::string user = e2e::CurrentUserName();
    if (std::all_of(user.begin(), user.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        GTEST_SKIP() << "the user's name is ASCII here; run-e2e.sh runs this as a user named beyond it";
    }
    e2e::ProgramFolder folder("unicode-user");
    folder.Write(user + ".ini", "[Settings]\r\nShowLauncher=0\r\n");
    folder.Write("shells.ini", "[Shells]\r\n");
    folder.Write("script.txt", "showmessage (hello)\r\n");
    e2e::Launcher launcher(folder);
    EXPECT_EQ(e2e::Texts(launcher.DismissAllUntilExit()), std::vector<std::string>{"hello"})
        << "no box of a settings file not found";
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{user + ".ini", "corvane.exe", "schemes", "script.txt", "shells.ini"}))
        << "no other settings file";
    wchar_t local[MAX_PATH] = {};
    GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH);
    EXPECT_NE(e2e::Utf8(local).find(user), std::string::npos) << "the profile folder bears the name";
    const std::string record = e2e::ReadWholeFile(e2e::Utf8(local) + "\\Corvane\\logon.log");
    EXPECT_NE(record.find("start: user " + user + ", folder " + folder.Path()), std::string::npos) << record;
}

// shells.ini saved as Unicode lists Greek and Chinese names; the chooser shows them and starts
// the one chosen.
TEST_F(Unicode, AUnicodeShellListShowsEveryNameInTheChooser) {
    e2e::ProgramFolder folder("unicode-chooser");
    const std::string omega = StandIn(folder, "omega.exe");
    const std::string luck = StandIn(folder, "luck.exe");
    folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=1\r\n");
    folder.Write("shells.ini", Utf16File("[Shells]\r\n\u5409\u7965=\"" + luck + "\",0,,\r\n\u03A9mega=\"" + omega + "\",0,,\r\n"));
    folder.Write("script.txt", "loadshell (v)\r\nshowmessage ($v$)\r\n");
    e2e::Launcher launcher(folder);
    HWND chooser = launcher.WaitForWindow("TfrmShellChoose");
    ASSERT_NE(chooser, nullptr);
    const std::vector<HWND> combos = e2e::ChildWindows(chooser, "ComboBox");
    ASSERT_EQ(combos.size(), 1u);
    const std::vector<std::string> rows = e2e::ComboBoxItems(combos[0]);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NE(std::find(rows.begin(), rows.end(), "\u03A9mega"), rows.end());
    EXPECT_NE(std::find(rows.begin(), rows.end(), "\u5409\u7965"), rows.end());
    e2e::BringToFront(chooser);
    e2e::TapKey('2');
    EXPECT_EQ(e2e::Texts(launcher.DismissAllUntilExit()), std::vector<std::string>{rows[1]});
    EXPECT_EQ(e2e::WaitForStarts(rows[1] == "\u03A9mega" ? omega : luck, 1).size(), 1u);
}

// Files of the legacy code page read as they always did; a script says in UTF-8, with its mark or
// without, or in UTF-16, every character.
TEST_F(Unicode, EveryEncodingOfTheFilesReadsRight) {
    const std::string rest = "loadshell (v)\r\nshowmessage ($v$)\r\n";
    const std::string checked = "showmessage (\"" + Checked + "\")\r\n" + rest;
    const struct {
        const char* name;
        std::string script;
        std::string expected;
    } cases[] = {
        {"legacy code page", "showmessage (\"Caf\xE9 Gr\xFC\xDF" "e\")\r\n" + rest, "Caf\u00E9 Gr\u00FC\u00DFe"},
        {"UTF-8", checked, Checked},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + checked, Checked},
        {"UTF-16", Utf16File(checked), Checked},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        e2e::ProgramFolder folder("unicode-script");
        folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=0\r\nDefaultShell=Caf\xE9\r\n");
        const std::string shell = StandIn(folder, "cafe.exe");
        folder.Write("shells.ini", "[Shells]\r\nCaf\xE9=\"" + shell + "\",0,\"Gr\xFC\xDF" "e\",\r\n");
        folder.Write("script.txt", c.script);
        e2e::Launcher launcher(folder);
        EXPECT_EQ(e2e::Texts(launcher.DismissAllUntilExit()), (std::vector<std::string>{c.expected, "Caf\u00E9"}));
        const auto starts = e2e::WaitForStarts(shell, 1);
        ASSERT_EQ(starts.size(), 1u);
        EXPECT_NE(starts[0].commandLine.find("Gr\u00FC\u00DFe"), std::string::npos) << starts[0].commandLine;
    }
}

} // namespace
