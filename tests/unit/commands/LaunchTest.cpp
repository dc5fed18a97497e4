#include <gtest/gtest.h>

#include "commands/scrObjLoadShell.h"
#include "config/BinaryRecord.h"
#include "config/CorvaneInfo.h"
#include "platform/Errors.h"
#include "support/ImageSamples.h"
#include "support/LauncherWorld.h"
#include "support/ScriptRun.h"

namespace corvane {
namespace {

const std::string SystemIni = "C:\\Windows\\system.ini";

class LaunchTest : public testing::LauncherWorld {
protected:
    // Runs the script against a fresh context; returns the shell setting seen during the pause.
    std::vector<std::string> Run(const std::string& script) {
        info = std::make_unique<TCorvaneInfo>();
        run = std::make_unique<testing::ScriptRun>(script, info.get());
        started = 0;
        TRunScript::RunList(run->MakeList(), &started);
        return fake.shell.executed;
    }

    // Every stored value by key; keys without values (such as a user's Winlogon key that a
    // switch created) are left out.
    std::map<testing::FakeRegistry::KeyId, std::map<std::string, platform::RegistryValue>> Values() const {
        auto values = fake.registry.keys;
        std::erase_if(values, [](const auto& key) { return key.second.empty(); });
        return values;
    }

    std::unique_ptr<TCorvaneInfo> info;
    std::unique_ptr<testing::ScriptRun> run;
    int started = 0; // the programs that the run started
};

TEST_F(LaunchTest, LoadShellWithoutChooserOrDefaultDoesNothing) {
    Settings("ShowLauncher=0\n");
    EXPECT_TRUE(Run("loadshell (v)\nshowmessage ($v$)").empty());
    EXPECT_TRUE(fake.registry.writes.empty());
    EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>{"nil"});
    EXPECT_EQ(windows.waited, 0u) << "no pause";
}

TEST_F(LaunchTest, LoadShellStartsTheDefaultShellAndRestoresTheSetting) {
    Settings("ShowLauncher=0\nDefaultShell=alt\n");
    fake.files.files[SystemIni] = "[boot]\nshell=explorer.exe\n"; // as the machine's mapping would read it
    fake.registry.Put(Machine, Mapping, "shell", TShellIO::MachineMapping);
    std::vector<std::string> seenDuringPause;
    fake.shell.onExecute = [&] {
        seenDuringPause = {UserShell().value_or("-"), MachineShell().value_or("-"), MappingValue().value_or("-")};
    };
    EXPECT_EQ(Run("loadshell (v)\nshowmessage ($v$)"), std::vector<std::string>{"C:\\Alt\\alt.exe|-quiet|"});
    EXPECT_EQ(seenDuringPause, (std::vector<std::string>{"C:\\Alt\\alt.exe", "C:\\Alt\\alt.exe", TShellIO::UserMapping}));
    EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>{"alt"}) << "the name as DefaultShell writes it";
    EXPECT_GE(windows.waited, 1u);
    // The current user's value now gives what system.ini gave; the machine's value is its own again.
    EXPECT_EQ(UserShell(), "explorer.exe");
    EXPECT_EQ(MachineShell(), "explorer.exe");
    EXPECT_EQ(MappingValue(), TShellIO::UserMapping);
}

TEST_F(LaunchTest, NoEarlierSettingIsRestoredByRemovingWhatTheLaunchAdded) {
    Settings("ShowLauncher=0\nDefaultShell=Alt\n");
    fake.registry.keys.clear(); // no machine value either
    Run("loadshell (v)");
    EXPECT_EQ(UserShell(), std::nullopt);
    EXPECT_EQ(MachineShell(), std::nullopt);
    for (const std::string& write : fake.registry.writes) {
        EXPECT_EQ(write.find("None Found"), std::string::npos) << write;
    }
}

TEST_F(LaunchTest, TheChooserHandsBackTheShellToStart) {
    Settings("UseTimer=1\nTimerLength=5\nDefaultShell=Missing\n");
    std::string title;
    TColor text = -1, list = -1;
    windows.choosers.user = [&](testing::FakeChooserWindow& window) {
        title = window.title;
        text = window.textColour;
        list = window.listColour;
        window.SetListIndex(0); // "Alt", the first of the sorted names
        window.events.OnListKeyPress('\r');
    };
    EXPECT_EQ(Run("loadshell (v)\nshowmessage ($v$)"), std::vector<std::string>{"C:\\Alt\\alt.exe|-quiet|"});
    EXPECT_EQ(title, "Timer Enabled (5 seconds, Missing)");
    EXPECT_EQ(text, clWhite) << "the colours of the default scheme are set up before the window shows";
    EXPECT_EQ(list, RgbColour(51, 51, 51));
    EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>{"Alt"});
    EXPECT_EQ(windows.choosers.alive, 0) << "the window is destroyed after the choice";
}

TEST_F(LaunchTest, TheCountdownStartsTheDefaultShell) {
    Settings("UseTimer=1\nTimerLength=5\nDefaultShell=alt\n");
    windows.choosers.user = [](testing::FakeChooserWindow& window) { window.Tick(); };
    EXPECT_EQ(Run("loadshell (v)\nshowmessage ($v$)"), std::vector<std::string>{"C:\\Alt\\alt.exe|-quiet|"});
    EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>{"alt"});
}

TEST_F(LaunchTest, CancellingTheChooserChangesNothing) {
    Settings("DefaultShell=Alt\n");
    windows.choosers.user = [](testing::FakeChooserWindow& window) { window.events.OnKeyUp(27, {}); };
    EXPECT_TRUE(Run("option (v, p, x, before)\nloadshell (v)\nshowmessage ($v$)").empty());
    EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>{"before"});
    EXPECT_TRUE(fake.registry.writes.empty());
    EXPECT_EQ(windows.choosers.alive, 0);
}

TEST_F(LaunchTest, TheShellsWallpaperIsAppliedBeforeTheLaunch) {
    Settings("ShowLauncher=0\nDefaultShell=Pic\n");
    fake.files.files["C:\\Launch\\shells.ini"] += "Pic=C:\\Alt\\alt.exe,0,,C:\\Pictures\\tiles.bmp\n";
    fake.files.files["C:\\Pictures\\tiles.bmp"] = testing::ReadSample("palette4.bmp");
    Run("loadshell (v)");
    EXPECT_EQ(fake.files.files["C:\\Launch\\wallpaper.bmp"], testing::ReadSample("palette4.bmp"));
    EXPECT_EQ(desktop.wallpaper, "C:\\Launch\\wallpaper.bmp");
    EXPECT_EQ(fake.shell.executed.size(), 1u);
}

TEST_F(LaunchTest, AProgramFolderThatTheUserMayNotChangeKeepsTheWallpaperInTheUsersFolder) {
    Settings("ShowLauncher=0\nDefaultShell=Pic\n");
    fake.files.files["C:\\Launch\\shells.ini"] += "Pic=C:\\Alt\\alt.exe,0,,C:\\Pictures\\tiles.bmp\n";
    fake.files.files["C:\\Pictures\\tiles.bmp"] = testing::ReadSample("palette4.bmp");
    fake.files.readOnlyFolders.insert("C:\\Launch\\");
    Run("loadshell (v)");
    EXPECT_EQ(desktop.wallpaper, "C:\\Users\\operator\\AppData\\Local\\Corvane\\wallpaper.bmp");
    EXPECT_EQ(fake.files.files.count("C:\\Launch\\wallpaper.bmp"), 0u);
    EXPECT_EQ(fake.shell.executed.size(), 1u);
}

TEST_F(LaunchTest, AnUnreadableWallpaperStopsTheStatementBeforeTheSwitch) {
    Settings("ShowLauncher=0\nDefaultShell=Pic\n");
    fake.files.files["C:\\Launch\\shells.ini"] += "Pic=C:\\Alt\\alt.exe,0,,C:\\Pictures\\broken.jpg\n";
    fake.files.files["C:\\Pictures\\broken.jpg"] = "not a JPEG file at all";
    EXPECT_ANY_THROW(Run("loadshell (v)"));
    EXPECT_TRUE(fake.shell.executed.empty());
    EXPECT_TRUE(fake.registry.writes.empty());
    EXPECT_EQ(fake.files.files.count("C:\\Launch\\wallpaper.bmp"), 0u);
}

TEST_F(LaunchTest, MissingProgramIsWarnedAboutAndLaunchedAnyway) {
    Settings("ShowLauncher=0\nDefaultShell=Missing\n");
    EXPECT_EQ(Run("showmessage (first)\nloadshell (v)").size(), 1u);
    EXPECT_EQ(fake.dialogs.messages,
              (std::vector<std::string>{"first", "Warning (Line 2): Shell not found - C:\\Gone\\gone.exe - attempting load anyway"}));
    EXPECT_EQ(MachineShell(), "explorer.exe");
}

TEST_F(LaunchTest, FailuresAfterTheSwitchStillRestoreTheSetting) {
    Settings("ShowLauncher=0\nDefaultShell=Alt\n");
    fake.registry.Put(User, Winlogon, "shell", "user.exe");
    fake.shell.onExecute = [] { throw EConvertError("launch failed"); };
    EXPECT_THROW(Run("loadshell (v)\nshowmessage (after)"), EConvertError);
    EXPECT_EQ(UserShell(), "user.exe");
    EXPECT_EQ(MachineShell(), "explorer.exe");
    EXPECT_TRUE(fake.dialogs.messages.empty());
    EXPECT_EQ(run->Vars().GetVar("v", "unset"), "unset");
}

TEST_F(LaunchTest, AHalfWrittenSwitchIsUndone) {
    Settings("ShowLauncher=0\nDefaultShell=Alt\n");
    fake.registry.refuseCreate.insert(testing::FakeRegistry::Id(Machine, Winlogon));
    try {
        Run("loadshell (v)");
        FAIL();
    } catch (const ERegistryException& error) {
        EXPECT_EQ(error.what(), "Failed to create key \\" + Winlogon);
    }
    EXPECT_EQ(UserShell(), std::nullopt) << "the current user's value written before the refusal is gone again";
    EXPECT_TRUE(fake.shell.executed.empty());
}

// A user without administrator rights may read the machine's keys but not change them: the
// launch still switches the user's own value, skips what it may not change, and afterwards
// every value is as it was before, type included.
TEST_F(LaunchTest, MachineKeysThatTheUserMayNotChangeAreSkipped) {
    using platform::RegistryValue;
    struct Case {
        const char* name;
        bool winlogonReadOnly, mappingReadOnly;
        const char* mapping;       // the mapping before; nullptr: no value
        bool userHadValue;         // a REG_EXPAND_SZ value of the user's own
        const char* machineDuring; // the machine's value during the pause
    };
    const Case cases[] = {
        {"both read-only", true, true, TShellIO::MachineMapping, false, "explorer.exe"},
        {"both read-only, own value", true, true, TShellIO::MachineMapping, true, "explorer.exe"},
        {"mapping read-only", false, true, TShellIO::MachineMapping, false, "C:\\Alt\\alt.exe"},
        {"winlogon read-only, user mapping", true, false, TShellIO::UserMapping, false, "explorer.exe"},
        {"winlogon read-only, no mapping value", true, true, nullptr, false, "explorer.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake.registry.keys.clear();
        fake.registry.readOnly.clear();
        fake.shell.executed.clear();
        fake.registry.Put(Machine, Winlogon, "Shell", "explorer.exe");
        fake.registry.keys[testing::FakeRegistry::Id(Machine, Mapping)];
        if (c.mapping != nullptr) fake.registry.Put(Machine, Mapping, "shell", c.mapping);
        if (c.userHadValue) fake.registry.Put(User, Winlogon, "Shell", "%SystemRoot%\\own.exe", platform::RegExpandString);
        if (c.winlogonReadOnly) fake.registry.readOnly.insert(testing::FakeRegistry::Id(Machine, Winlogon));
        if (c.mappingReadOnly) fake.registry.readOnly.insert(testing::FakeRegistry::Id(Machine, Mapping));
        const auto before = Values();
        Settings("ShowLauncher=0\nDefaultShell=Alt\n");
        std::vector<std::string> during;
        fake.shell.onExecute = [&] { during = {UserShell().value_or("-"), MachineShell().value_or("-")}; };
        EXPECT_EQ(Run("loadshell (v)").size(), 1u) << "the shell starts";
        EXPECT_EQ(during, (std::vector<std::string>{"C:\\Alt\\alt.exe", c.machineDuring}));
        EXPECT_TRUE(fake.dialogs.messages.empty());
        EXPECT_EQ(Values(), before) << "every value as before";
    }
}

// Corvane set up as the current user's own shell keeps that setting: the restore gives the
// user's value its own earlier data and type, not the text that system.ini read.
TEST_F(LaunchTest, TheUsersOwnShellIsKeptExactly) {
    Settings("ShowLauncher=0\nDefaultShell=Alt\n");
    fake.registry.Put(Machine, Mapping, "shell", TShellIO::MachineMapping);
    fake.registry.Put(User, Winlogon, "Shell", "\"%LOCALAPPDATA%\\Corvane\\corvane.exe\"", platform::RegExpandString);
    const platform::RegistryValue own = fake.registry.ReadValue(User, Winlogon, "shell");
    fake.files.files[SystemIni] = "[boot]\nshell=explorer.exe\n"; // the machine's, through the mapping
    Run("loadshell (v)");
    const platform::RegistryValue after = fake.registry.ReadValue(User, Winlogon, "shell");
    EXPECT_EQ(after.type, own.type);
    EXPECT_EQ(after.data, own.data);
    EXPECT_EQ(MachineShell(), "explorer.exe");
}

// While another launcher of the machine holds the switch, this one waits for it (up to 15
// seconds) and then switches only the current user's own value.
TEST_F(LaunchTest, ASwitchHoldsTheMachineWideLockOrLeavesTheMachineAlone) {
    Settings("ShowLauncher=0\nDefaultShell=Alt\n");
    fake.registry.Put(Machine, Mapping, "shell", TShellIO::MachineMapping);
    bool heldDuringLaunch = false;
    fake.shell.onExecute = [&] { heldDuringLaunch = windows.lockHeld; };
    Run("loadshell (v)");
    EXPECT_TRUE(heldDuringLaunch);
    EXPECT_FALSE(windows.lockHeld) << "released after the restore";
    ASSERT_EQ(windows.lockRequests.size(), 1u);
    EXPECT_EQ(windows.lockRequests[0], (std::pair<std::string, std::uint32_t>{"Global\\CorvaneShellSwitch", 15000}));

    windows.lockHeldElsewhere = true;
    fake.registry.Put(Machine, Mapping, "shell", TShellIO::MachineMapping);
    fake.registry.writes.clear();
    std::vector<std::string> during;
    fake.shell.onExecute = [&] {
        during = {UserShell().value_or("-"), MachineShell().value_or("-"), MappingValue().value_or("-")};
        fake.registry.Put(Machine, Winlogon, "Shell", "other.exe"); // the other launcher's switch
    };
    Run("loadshell (v)");
    EXPECT_EQ(during, (std::vector<std::string>{"C:\\Alt\\alt.exe", "explorer.exe", TShellIO::MachineMapping}));
    for (const std::string& write : fake.registry.writes) EXPECT_EQ(write.rfind("HKCU\\", 0), 0u) << write;
    EXPECT_EQ(MachineShell(), "other.exe") << "the restore leaves alone what this switch did not change";
}

TEST_F(LaunchTest, FirstFamilyRestoresOrRemovesTheSystemIniLine) {
    Settings("ShowLauncher=0\nDefaultShell=Alt\n");
    fake.system.platformId = 1;
    std::string duringLaunch;
    fake.shell.onExecute = [&] { duringLaunch = fake.files.files[SystemIni]; };
    Run("loadshell (v)");
    EXPECT_NE(duringLaunch.find("shell=C:\\Alt\\alt.exe"), std::string::npos) << duringLaunch;
    EXPECT_EQ(fake.files.files[SystemIni].find("shell"), std::string::npos) << fake.files.files[SystemIni];

    fake.files.files[SystemIni] = "[boot]\nshell=progman.exe\n";
    Run("loadshell (v)");
    EXPECT_NE(fake.files.files[SystemIni].find("shell=progman.exe"), std::string::npos);
    EXPECT_EQ(fake.files.files[SystemIni].find("alt.exe"), std::string::npos);
}

enum class Chooser { None, EnterOnBeta, Countdown, Cancel };

struct Logon {
    const char* name;
    const char* settings;
    const char* remembered; // LastShell before the logon; nullptr: none
    Chooser user;
    const char* title;      // the chooser's title; nullptr: no chooser
    const char* started;    // the program started; nullptr: none
    const char* after;      // LastShell after the logon; nullptr: none
};

// A shell that loadshell started is remembered once the setting is back, however it was taken;
// the remembered shell takes the default shell's place, and nothing of it is touched while the
// settings do not ask for it.
TEST_F(LaunchTest, TheShellThatStartedIsRememberedForTheNextLogon) {
    const char* const alt = "C:\\Alt\\alt.exe|-quiet|";
    const char* const beta = "C:\\Beta\\beta.exe||";
    const Logon logons[] = {
        {"first logon without the chooser", "ShowLauncher=0\nDefaultShell=alt\nRememberLastShell=1\n", nullptr,
         Chooser::None, nullptr, alt, "alt"},
        {"next logon without the chooser", "ShowLauncher=0\nDefaultShell=Alt\nRememberLastShell=1\n", "beta",
         Chooser::None, nullptr, beta, "Beta"},
        {"chosen in the chooser", "DefaultShell=Alt\nRememberLastShell=1\n", nullptr, Chooser::EnterOnBeta, "Corvane v3",
         beta, "Beta"},
        {"by the countdown", "UseTimer=1\nDefaultShell=Alt\nRememberLastShell=1\n", "BETA", Chooser::Countdown,
         "Timer Enabled (5 seconds, Beta)", beta, "Beta"},
        {"remembered no longer listed", "UseTimer=1\nDefaultShell=Alt\nRememberLastShell=1\n", "Gone",
         Chooser::Countdown, "Timer Enabled (5 seconds, Alt)", alt, "Alt"},
        {"cancelled", "DefaultShell=Alt\nRememberLastShell=1\n", "beta", Chooser::Cancel, "Corvane v3", nullptr,
         "beta"},
        {"absent", "UseTimer=1\nDefaultShell=Alt\n", "beta", Chooser::Countdown, "Timer Enabled (5 seconds, Alt)", alt,
         "beta"},
    };
    fake.files.files["C:\\Launch\\shells.ini"] += "Beta=C:\\Beta\\beta.exe,0,,\n";
    fake.files.files["C:\\Beta\\beta.exe"] = "program";
    for (const Logon& logon : logons) {
        SCOPED_TRACE(logon.name);
        fake.shell.executed.clear();
        fake.dialogs.messages.clear();
        fake.registry.keys.erase(testing::FakeRegistry::Id(User, CorvaneKey));
        if (logon.remembered != nullptr) fake.registry.Put(User, CorvaneKey, TLastShellIO::Value, logon.remembered);
        Settings(logon.settings);
        std::optional<std::string> title;
        windows.choosers.user = [&](testing::FakeChooserWindow& window) {
            title = window.title;
            if (logon.user == Chooser::EnterOnBeta) window.Type('B');
            if (logon.user == Chooser::EnterOnBeta) window.Type(13);
            if (logon.user == Chooser::Countdown) window.Tick();
            if (logon.user == Chooser::Cancel) window.Type(27);
        };
        const std::vector<std::string> started = Run("loadshell (v)");
        EXPECT_EQ(started, logon.started ? std::vector<std::string>{logon.started} : std::vector<std::string>{});
        EXPECT_EQ(title, logon.title ? std::optional<std::string>(logon.title) : std::nullopt);
        EXPECT_EQ(fake.registry.Text(User, CorvaneKey, TLastShellIO::Value),
                  logon.after ? std::optional<std::string>(logon.after) : std::nullopt);
        EXPECT_TRUE(fake.dialogs.messages.empty());
        EXPECT_EQ(MachineShell(), "explorer.exe");
    }
}

// What cannot be remembered changes nothing else: a refused write leaves the launch as it is, a
// program that the system did not start is not remembered, and the last of two launches counts.
TEST_F(LaunchTest, OnlyAShellThatStartedIsRememberedAndARefusalIsIgnored) {
    Settings("ShowLauncher=0\nDefaultShell=Alt\nRememberLastShell=1\n");
    fake.registry.Put(User, CorvaneKey, TLastShellIO::Value, "Gone");
    fake.registry.refuseValues.insert("lastshell");
    EXPECT_EQ(Run("loadshell (v)\nshowmessage ($v$)").size(), 1u);
    EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>{"Alt"}) << "the run goes on as usual";
    EXPECT_EQ(fake.registry.Text(User, CorvaneKey, TLastShellIO::Value), "Gone");
    EXPECT_EQ(MachineShell(), "explorer.exe");
    EXPECT_EQ(fake.registry.ValueNames(User, CorvaneKey), std::vector<std::string>{"lastshell"}) << "no restore pending";

    fake.registry.refuseValues.clear();
    fake.shell.refuseExecute = true;
    Settings("ShowLauncher=0\nDefaultShell=Alt\nRememberLastShell=1\n");
    Run("loadshell (v)");
    EXPECT_EQ(fake.registry.Text(User, CorvaneKey, TLastShellIO::Value), "Gone");

    fake.shell.refuseExecute = false;
    Settings("RememberLastShell=1\n");
    int shown = 0;
    windows.choosers.user = [&](testing::FakeChooserWindow& window) {
        window.Type(++shown == 1 ? 'A' : 'M');
        window.Type(13);
    };
    Run("loadshell (v)\nloadshell (v)");
    EXPECT_EQ(fake.registry.Text(User, CorvaneKey, TLastShellIO::Value), "Missing");
    EXPECT_EQ(fake.shell.executed.back(), "C:\\Gone\\gone.exe||");
}

TEST_F(LaunchTest, ExecShellFormsByArgumentCount) {
    Settings("ShowLauncher=0\nDefaultShell=Alt\n");
    EXPECT_EQ(Run("execshell (a)\nexecshell (b, C:\\Tools\\$x$.exe, \"-p $y$\")\nexecshell (c, d)\nexecshell\n"
                  "execshell (e, f, g, h)\nshowmessage (\"$a$ $b$ $c$\")"),
              (std::vector<std::string>{"C:\\Alt\\alt.exe|-quiet|", "C:\\Tools\\$x$.exe|-p $y$|"}));
    EXPECT_EQ(fake.dialogs.messages,
              (std::vector<std::string>{"Warning (Line 2): Shell not found - C:\\Tools\\$x$.exe - attempting load anyway",
                                        "Alt C:\\Tools\\nil.exe nil"}))
        << "the stored path keeps its reference, which expands when it is used";
}

// While the user's AllowedShells policy names Missing alone, every start of another shell or
// program is refused with an error that names it and the policy, before any switch or wallpaper.
TEST_F(LaunchTest, AStartThatTheAllowedShellsPolicyLeavesOutIsRefused) {
    fake.registry.Put(User, std::string(TPolicyIO::Key) + "\\" + TAllowedShells::Name, "1", "Missing");
    const std::string policy = "the AllowedShells policy of the user (Missing) allows; nothing was started.";
    const struct {
        const char* name;
        const char* settings;
        const char* script;
        std::vector<std::string> started, messages;
    } cases[] = {
        {"loadshell of the default", "ShowLauncher=0\nDefaultShell=Pic\n", "loadshell (v)", {},
         {"Error (Line 1): \"Pic\" is not among the shells that " + policy, "nil"}},
        {"execshell of the default", "DefaultShell=alt\n", "execshell (v)", {},
         {"Error (Line 1): \"alt\" is not among the shells that " + policy, "nil"}},
        {"execshell of a program", "", "execshell (v, C:\\Alt\\alt.exe, \"\")", {},
         {"Error (Line 1): \"C:\\Alt\\alt.exe\" is the program of no shell that " + policy, "nil"}},
        {"execshell of an allowed shell's program", "", "execshell (v, c:\\gone\\GONE.EXE, \"\")",
         {"c:\\gone\\GONE.EXE||"},
         {"Warning (Line 1): Shell not found - c:\\gone\\GONE.EXE - attempting load anyway", "c:\\gone\\GONE.EXE"}},
    };
    fake.files.files["C:\\Launch\\shells.ini"] += "Pic=C:\\Alt\\alt.exe,0,,C:\\Pictures\\tiles.bmp\n";
    fake.files.files["C:\\Pictures\\tiles.bmp"] = testing::ReadSample("palette4.bmp");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake.dialogs.messages.clear();
        fake.shell.executed.clear();
        fake.registry.writes.clear();
        Settings(c.settings);
        EXPECT_EQ(Run(std::string(c.script) + "\nshowmessage ($v$)"), c.started);
        EXPECT_EQ(fake.dialogs.messages, c.messages);
        EXPECT_EQ(fake.registry.writes.empty(), c.started.empty()) << "no switch";
        EXPECT_EQ(started, static_cast<int>(c.started.size())) << "the logon's way back counts no start";
    }
    EXPECT_EQ(fake.files.files.count("C:\\Launch\\wallpaper.bmp"), 0u);
}

TEST_F(LaunchTest, ExecShellWithoutDefaultDoesNothing) {
    Settings("ShowLauncher=0\n");
    EXPECT_TRUE(Run("execshell (a)").empty());
    EXPECT_TRUE(fake.registry.writes.empty());
}

TEST_F(LaunchTest, ExecExpandsItsArgumentsAndLeavesTheSettingAlone) {
    Settings("ShowLauncher=0\n");
    EXPECT_EQ(Run("option (dir, p, x, C:\\Work)\nexec (C:\\Tools\\tool.exe, \"-in $dir$\", $dir$)\nexec (C:\\Tools\\tool.exe, , \"\")"),
              (std::vector<std::string>{"C:\\Tools\\tool.exe|-in C:\\Work|C:\\Work", "C:\\Tools\\tool.exe||"}));
    EXPECT_TRUE(fake.registry.writes.empty());
    EXPECT_EQ(windows.waited, 0u);
}

TEST_F(LaunchTest, ExecReportsAMissingProgramOrAMissingArgument) {
    Settings("ShowLauncher=0\n");
    EXPECT_TRUE(Run("exec (C:\\Gone\\$who$.exe)\nshowmessage (next)").empty());
    EXPECT_EQ(fake.dialogs.messages,
              (std::vector<std::string>{"Error (Line 1): File to execute \"C:\\Gone\\nil.exe\" not found", "next"}));
    try {
        Run("exec (C:\\Tools\\tool.exe, -p)");
        FAIL();
    } catch (const EListError& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (2)");
    }
    EXPECT_TRUE(fake.shell.executed.empty());
}

// A start that the system refuses is said at once with its reason and the statement's line;
// the setting is put back without the pause, and the variable is not set.
TEST_F(LaunchTest, AFailedStartIsReportedAndRestoredAtOnce) {
    struct Case {
        const char* script;
        const char* program;
    };
    const Case cases[] = {
        {"loadshell (v)", "C:\\Alt\\alt.exe"},
        {"execshell (v)", "C:\\Alt\\alt.exe"},
        {"execshell (v, C:\\Tools\\tool.exe, -x)", "C:\\Tools\\tool.exe"},
        {"exec (C:\\Tools\\tool.exe, -x, C:\\Work)", "C:\\Tools\\tool.exe"},
    };
    const std::string reason = "The specified executable is not a valid application for this OS platform.";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        Settings("ShowLauncher=0\nDefaultShell=Alt\n");
        fake.registry.Put(User, Winlogon, "shell", "user.exe");
        fake.registry.Put(Machine, Mapping, "shell", TShellIO::UserMapping); // a turn would stay
        const auto before = Values();
        fake.dialogs.messages.clear();
        fake.shell.executed.clear();
        fake.shell.failures = {{c.program, reason}};
        windows.waited = 0;
        EXPECT_EQ(Run(std::string(c.script) + "\nshowmessage ($v$)").size(), 1u);
        EXPECT_EQ(fake.dialogs.messages,
                  (std::vector<std::string>{"Error (Line 1): Could not start \"" + std::string(c.program) + "\": " + reason,
                                            "nil"}));
        EXPECT_EQ(windows.waited, 0u) << "nothing started, nothing to wait for";
        EXPECT_EQ(Values(), before) << "the setting as before, the record cleared";
        EXPECT_EQ(started, 0);
    }
}

TEST_F(LaunchTest, AMissingShellIsWarnedAboutBeforeItsFailedStart) {
    Settings("ShowLauncher=0\nDefaultShell=Missing\n");
    fake.shell.failures = {{"C:\\Gone\\gone.exe", "The system cannot find the file specified."}};
    Run("loadshell (v)");
    EXPECT_EQ(fake.dialogs.messages,
              (std::vector<std::string>{"Warning (Line 1): Shell not found - C:\\Gone\\gone.exe - attempting load anyway",
                                        "Error (Line 1): Could not start \"C:\\Gone\\gone.exe\": The system cannot find "
                                        "the file specified."}));
}

TEST_F(LaunchTest, EveryStartedProgramIsCounted) {
    Settings("ShowLauncher=0\nDefaultShell=Alt\n");
    fake.shell.failures = {{"C:\\Tools\\tool.exe", "refused"}};
    Run("loadshell (v)\nexec (C:\\Tools\\tool.exe, \"\", \"\")\nexecshell (w, C:\\Alt\\alt.exe, \"\")\n"
        "exec (C:\\Gone\\x.exe)");
    EXPECT_EQ(started, 2) << "the two starts that the system took";
}

} // namespace
} // namespace corvane
