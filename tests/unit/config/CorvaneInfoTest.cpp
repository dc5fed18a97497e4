#include <gtest/gtest.h>

#include "config/CorvaneInfo.h"
#include "platform/Errors.h"
#include "support/ConfigPlatform.h"

namespace corvane {
namespace {

const std::string Folder = "C:\\Launch\\";
const std::string UserFile = Folder + "operator.ini";
const std::string ShellsFile = Folder + "shells.ini";
const std::vector<std::string> BothMessages = {TCorvaneInfo::UserFileMissing, TCorvaneInfo::ShellsFileMissing};

class CorvaneInfoTest : public ::testing::Test {
protected:
    testing::ConfigPlatform fake;

    std::vector<std::string> Names(const TShellList& list) {
        std::vector<std::string> names;
        for (const auto& entry : list) names.push_back(entry.Name);
        return names;
    }
};

TEST_F(CorvaneInfoTest, EmptyFolderShowsBothMessagesCreatesEmptyFilesAndTakesTheDefaults) {
    std::vector<std::pair<bool, bool>> filesWhenShown;
    fake.dialogs.onMessage = [&](const std::string&) {
        filesWhenShown.emplace_back(fake.files.FileExists(UserFile), fake.files.FileExists(ShellsFile));
    };
    const TCorvaneInfo info;
    EXPECT_EQ(fake.dialogs.messages, BothMessages);
    EXPECT_EQ(filesWhenShown, (std::vector<std::pair<bool, bool>>{{true, false}, {true, true}}))
        << "each message comes once its file is there";
    EXPECT_EQ(fake.files.files.at(UserFile), "");
    EXPECT_EQ(fake.files.files.at(ShellsFile), "");
    EXPECT_EQ(fake.files.folders, std::set<std::string>{"C:\\Launch\\schemes"});

    EXPECT_EQ(info.ProgramFolder, Folder);
    EXPECT_EQ(info.UserIni.FileName(), UserFile);
    EXPECT_EQ(info.ShellsIni.FileName(), ShellsFile);
    EXPECT_EQ(info.ScriptIO.ScriptFile, Folder + "script.txt");
    EXPECT_EQ(info.ShellList.Count(), 0u);
    const TCorvaneSettings& settings = info.Settings;
    EXPECT_TRUE(settings.ShowLauncher);
    EXPECT_FALSE(settings.UseTimer);
    EXPECT_EQ(settings.TimerLength, 5);
    EXPECT_EQ(settings.ColourSchemeName, "Default");
    EXPECT_TRUE(settings.FadeLauncher);
    EXPECT_EQ(settings.DefaultShell, "");
    EXPECT_EQ(settings.DefaultShellItem, nullptr);
    EXPECT_EQ(info.ColoursIO.SchemeFile, "C:\\Launch\\schemes\\Default.crs");

    fake.dialogs.messages.clear();
    const TCorvaneInfo second;
    EXPECT_TRUE(fake.dialogs.messages.empty()) << "the second start finds both files";
}

TEST_F(CorvaneInfoTest, OnlyTheMissingFileIsReported) {
    fake.files.files[UserFile] = "";
    const TCorvaneInfo withUserFile;
    EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>{TCorvaneInfo::ShellsFileMissing});
}

TEST_F(CorvaneInfoTest, ReadOnlyFolderSaysThatTheFilesCannotBeCreatedAndGoesOnWithTheDefaults) {
    fake.files.readOnlyFolders.insert(Folder);
    const TCorvaneInfo info;
    EXPECT_EQ(fake.dialogs.messages,
              (std::vector<std::string>{"User settings file not found, and operator.ini cannot be created in "
                                        "C:\\Launch: the default settings are used.",
                                        "Shell settings file not found, and shells.ini cannot be created in "
                                        "C:\\Launch: no shell is configured."}));
    EXPECT_TRUE(fake.files.files.empty());
    EXPECT_TRUE(info.Settings.ShowLauncher);
    EXPECT_EQ(info.ColoursIO.LogoFontSize, 48);
}

// The [Settings] section of shells.ini gives every user's settings; each key that the user's
// own file gives (with "=", an empty value too) overrides it.
TEST_F(CorvaneInfoTest, SharedSettingsAndTheUsersOwnKeysOverThem) {
    enum From { None, Shared, Own };
    struct Case {
        const char* name;
        std::string shared;              // after the [Shells] section
        std::optional<std::string> own;  // the user's file; none: there is none
        bool readOnly;
        std::vector<std::string> messages;
        bool userFileAfter;
        bool useTimer;
        std::int32_t timerLength;
        std::string defaultShell;
        std::string scheme;
        From timerFrom, defaultFrom;
    };
    const std::string settings = "[Settings]\r\nUseTimer=1\r\nTimerLength=7\r\nDefaultShell=Explorer\r\n";
    const Case cases[] = {
        {"shared alone", settings, std::nullopt, false, {}, false, true, 7, "Explorer", "Default", Shared, Shared},
        {"in a read-only folder", settings, std::nullopt, true, {}, false, true, 7, "Explorer", "Default", Shared, Shared},
        {"empty section", "[settings]\r\n", std::nullopt, false, {}, false, false, 5, "", "Default", None, None},
        {"misspelt section", "[Setting]\r\nUseTimer=1\r\n", std::nullopt, false, {TCorvaneInfo::UserFileMissing}, true,
         false, 5, "", "Default", None, None},
        {"own key over shared", settings, "[Settings]\r\ntimerlength=3\r\n", false, {}, true, true, 3, "Explorer",
         "Default", Own, Shared},
        {"own empty value clears", settings, "[Settings]\r\nDefaultShell=\r\nTimerLength=\r\n", false, {}, true, true, 5,
         "", "Default", Own, Own},
        {"own rejected value takes the default", settings, "[Settings]\r\nTimerLength=ten\r\n", false, {}, true, true, 5,
         "Explorer", "Default", Own, Shared},
        {"own line without =", settings, "[Settings]\r\nTimerLength\r\n", false, {}, true, true, 7, "Explorer", "Default",
         Shared, Shared},
        {"own file of another section", settings, "[Other]\r\nTimerLength=3\r\n", false, {}, true, true, 7, "Explorer",
         "Default", Shared, Shared},
        {"shared value that is the default", "[Settings]\r\nColourSchemeName=Default\r\nTimerLength=5\r\n",
         std::nullopt, false, {}, false, false, 5, "", "Default", Shared, None},
        {"shared scheme", "[Settings]\r\nColourSchemeName=Night\r\n", "", false, {}, true, false, 5, "", "Night", None,
         None},
    };
    for (const Case& c : cases) {
        fake.files.files = {{ShellsFile, "[Shells]\r\nExplorer=C:\\Windows\\explorer.exe,0,,\r\n" + c.shared}};
        if (c.own) fake.files.files[UserFile] = *c.own;
        fake.files.readOnlyFolders.clear();
        if (c.readOnly) fake.files.readOnlyFolders.insert(Folder);
        fake.dialogs.messages.clear();
        const TCorvaneInfo info;
        const TCorvaneSettings& s = info.Settings;
        EXPECT_EQ(fake.dialogs.messages, c.messages) << c.name;
        EXPECT_EQ(fake.files.FileExists(UserFile), c.userFileAfter) << c.name;
        EXPECT_EQ(info.SharedSettings, c.messages.empty()) << c.name;
        EXPECT_EQ(s.UseTimer, c.useTimer) << c.name;
        EXPECT_EQ(s.TimerLength, c.timerLength) << c.name;
        EXPECT_EQ(s.DefaultShell, c.defaultShell) << c.name;
        EXPECT_EQ(s.DefaultShellItem != nullptr, !c.defaultShell.empty()) << c.name;
        EXPECT_EQ(s.ColourSchemeName, c.scheme) << c.name;
        const TIniFile* files[] = {nullptr, &info.ShellsIni, &info.UserIni};
        EXPECT_EQ(s.FileOf(TCorvaneSettings::TimerLengthKey), files[c.timerFrom]) << c.name;
        EXPECT_EQ(s.FileOf(TCorvaneSettings::DefaultShellKey), files[c.defaultFrom]) << c.name;
    }
}

TEST_F(CorvaneInfoTest, UserNameFallsBackToDefault) {
    fake.system.userName = std::nullopt;
    EXPECT_EQ(TCorvaneInfo().UserIni.FileName(), Folder + "default.ini");
    fake.system.userName = "";
    EXPECT_EQ(TCorvaneInfo().UserIni.FileName(), Folder + "default.ini");
}

TEST_F(CorvaneInfoTest, SortsTheShellListIgnoringLetterCase) {
    fake.files.files[UserFile] = "";
    fake.files.files[ShellsFile] = "[Shells]\r\nbeta=b.exe,0,,\r\nAlpha=a.exe,1,,\r\ngamma=g.exe,0,,\r\nALPHA2=x,0,,\r\n";
    const TCorvaneInfo info;
    EXPECT_EQ(Names(info.ShellList), (std::vector<std::string>{"Alpha", "ALPHA2", "beta", "gamma"}));
    EXPECT_EQ(info.ShellList.Item(0).Name, "Alpha");
    EXPECT_EQ(info.ShellList.Item(0).Path, "a.exe");
    EXPECT_TRUE(info.ShellList.Item(0).CrashProtected);
}

TEST_F(CorvaneInfoTest, ReadsTheSettingsInEveryValueForm) {
    struct Case {
        std::string line;
        bool TCorvaneSettings::*flag;
        bool expected;
    };
    const Case flags[] = {
        {"UseTimer=true", &TCorvaneSettings::UseTimer, false}, {"UseTimer=1", &TCorvaneSettings::UseTimer, true},
        {"UseTimer=$10", &TCorvaneSettings::UseTimer, true},  {"ShowLauncher=yes", &TCorvaneSettings::ShowLauncher, true},
        {"ShowLauncher=2", &TCorvaneSettings::ShowLauncher, true}, {"ShowLauncher=0", &TCorvaneSettings::ShowLauncher, false},
        {"showlauncher = \"0\"", &TCorvaneSettings::ShowLauncher, false},
        {"FadeLauncher=0x0", &TCorvaneSettings::FadeLauncher, false},
    };
    fake.files.files[ShellsFile] = "";
    for (const Case& c : flags) {
        fake.files.files[UserFile] = "[Settings]\r\n" + c.line + "\r\n";
        EXPECT_EQ(TCorvaneInfo().Settings.*c.flag, c.expected) << c.line;
    }
    const std::pair<std::string, int> lengths[] = {
        {"0x1E", 30}, {"$1E", 30}, {"0X1e", 30}, {"abc", 5}, {"-3", -3}, {"", 5}, {"10 s", 5}};
    for (const auto& [text, seconds] : lengths) {
        fake.files.files[UserFile] = "[Settings]\r\nTimerLength=" + text + "\r\n";
        EXPECT_EQ(TCorvaneInfo().Settings.TimerLength, seconds) << text;
    }
}

TEST_F(CorvaneInfoTest, DefaultShellItemIsBuiltFromItsEntryAndKeepsTheNameAsWritten) {
    fake.shell.icons["C:\\Windows\\explorer.exe"] = 3;
    fake.files.files[UserFile] = "[Settings]\r\nDefaultShell=explorer\r\nColourSchemeName=Night\r\n";
    fake.files.files[ShellsFile] = "[Shells]\r\nExplorer=C:\\Windows\\explorer.exe,0,-e,\r\nexplorer=second.exe,0,,\r\n";
    const TCorvaneInfo info;
    ASSERT_NE(info.Settings.DefaultShellItem, nullptr);
    EXPECT_EQ(info.Settings.DefaultShellItem->Name, "explorer");
    EXPECT_EQ(info.Settings.DefaultShellItem->Path, "C:\\Windows\\explorer.exe");
    EXPECT_EQ(info.Settings.DefaultShellItem->Parameters, "-e");
    EXPECT_EQ(info.Settings.DefaultShellItem->IconIndex, 3);
    EXPECT_NE(info.Settings.DefaultShellItem.get(), &info.ShellList.Item(0));
    EXPECT_EQ(info.ColoursIO.SchemeFile, "C:\\Launch\\schemes\\Night.crs");
}

TEST_F(CorvaneInfoTest, ShellListErrorsEndTheContext) {
    struct Case {
        std::string shells;
        std::string defaultShell;
        std::string error;
    };
    const Case cases[] = {
        {"[Shells]\r\nA=a.exe,0\r\n", "", "List index out of bounds (2)"},
        {"[Shells]\r\nA=a.exe,maybe,,\r\n", "", "'maybe' is not a valid boolean value"},
        {"[Shells]\r\nA=a.exe,0,,\r\n", "Missing", "List index out of bounds (0)"},
        {"[Other]\r\nA=a.exe,0\r\n[Shells]\r\nB=b.exe,0,,\r\n", "A", "List index out of bounds (0)"},
    };
    for (const Case& c : cases) {
        fake.files.folders.clear();
        fake.files.files = {{UserFile, "[Settings]\r\nDefaultShell=" + c.defaultShell + "\r\n"}, {ShellsFile, c.shells}};
        try {
            TCorvaneInfo info;
            ADD_FAILURE() << "no error for " << c.shells;
        } catch (const ECorvaneError& error) {
            EXPECT_EQ(error.what(), c.error);
        }
        EXPECT_TRUE(fake.files.folders.empty()) << "the schemes folder comes after the shell list";
    }
}

TEST_F(CorvaneInfoTest, ReadsTheColourScheme) {
    struct Case {
        std::optional<std::string> scheme;
        std::int32_t base, contrast, alpha;
        std::string font;
        std::int32_t size;
    };
    const Case cases[] = {
        {std::nullopt, 0, 10, 180, "Trebuchet MS", 48},
        {"[Colours]\r\nContrast=30\r\n", 0, 30, 180, "Trebuchet MS", 48},
        {"[Colours]\r\nBaseColour=$FF\r\n", 255, 10, 180, "Trebuchet MS", 48},
        {"[Colours]\r\nBaseColour=0xFF\r\n", 255, 10, 180, "Trebuchet MS", 48},
        {"[Colours]\r\nBaseColour=red\r\n", 0, 10, 180, "Trebuchet MS", 48},
        {"[colours]\r\nbasecolour=$FF8000\r\nAlphaValue=300\r\nLogoFont=\"Courier New\"\r\nLogoFontSize=12\r\n",
         0xFF8000, 10, 300, "Courier New", 12},
        {"[Colours]\r\nLogoFont=\r\n", 0, 10, 180, "", 48},
    };
    for (const Case& c : cases) {
        fake.files.files.erase("C:\\Launch\\schemes\\Default.crs");
        if (c.scheme) fake.files.files["C:\\Launch\\schemes\\Default.crs"] = *c.scheme;
        const TColoursIO colours(Folder, "Default");
        const std::string what = c.scheme.value_or("(no file)");
        EXPECT_EQ(colours.BaseColour, c.base) << what;
        EXPECT_EQ(colours.Contrast, c.contrast) << what;
        EXPECT_EQ(colours.AlphaValue, c.alpha) << what;
        EXPECT_EQ(colours.LogoFont, c.font) << what;
        EXPECT_EQ(colours.LogoFontSize, c.size) << what;
    }
    EXPECT_EQ(TColoursIO(Folder, "").SchemeFile, "C:\\Launch\\schemes\\.crs");
}

} // namespace
} // namespace corvane
