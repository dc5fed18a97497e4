// The configuration checker on small program folders, each with one kind of mistake, against
// the exact lines it must print.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "check/ConfigChecker.h"
#include "config/PolicyIO.h"
#include "support/ConfigPlatform.h"
#include "support/ImageSamples.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;
using Files = std::map<std::string, std::string>;

constexpr const char* Folder = "C:\\Launch\\";

// A folder without a problem: its files, each replaced or removed (empty optional) by a case.
Files CleanFolder() {
    return {
        {"operator.ini", "[Settings]\r\nShowLauncher=1\r\nUseTimer=1\r\nTimerLength=10\r\nDefaultShell=Explorer\r\n"},
        {"shells.ini", "[Shells]\r\nExplorer=C:\\Windows\\explorer.exe,0,,\r\n"},
        {"script.txt", "; choose a shell\r\nloadshell (shell)\r\nshowmessage (\"Started $shell$\")\r\n"},
        {"schemes\\Default.crs", "[Colours]\r\nBaseColour=$FF8000\r\nContrast=10\r\n"},
    };
}

struct Case {
    const char* name;
    Files changed; // an empty text with the name "-<file>" removes the file
    Lines expected;
};

class Checker : public ::testing::Test {
protected:
    // The findings of the check of the clean folder with the changes, as printed.
    Lines Findings(const Files& changed, bool systemFiles = true) {
        Files files = CleanFolder();
        for (const auto& [name, text] : changed) {
            if (name.front() == '-') {
                files.erase(name.substr(1));
            } else {
                files[name] = text;
            }
        }
        fake.files.files.clear();
        fake.files.files["C:\\Windows\\explorer.exe"] = "MZ";
        fake.files.files["C:\\Windows\\notepad.exe"] = "MZ";
        for (const auto& [name, text] : files) fake.files.files[Folder + name] = text;
        report = TConfigChecker(TCheckOptions{Folder, "operator", systemFiles}).Run();
        std::istringstream text(report.Text("", '\\'));
        Lines findings;
        for (std::string line; std::getline(text, line);) {
            if (line.find(": error: ") != std::string::npos || line.find(": warning: ") != std::string::npos) {
                findings.push_back(line);
            }
        }
        return findings;
    }

    void Expect(const Case& c) {
        EXPECT_EQ(Findings(c.changed), c.expected) << c.name;
        EXPECT_TRUE(fake.dialogs.messages.empty()) << c.name << ": the check shows no box";
        EXPECT_FALSE(fake.files.FolderExists(std::string(Folder) + "schemes\\x")) << "the check makes nothing";
    }

    testing::ConfigPlatform fake;
    TCheckReport report;
};

TEST_F(Checker, ACleanFolderListsItsShellsAndNoFinding) {
    EXPECT_TRUE(Findings({{"shells.ini", "[Shells]\r\nExplorer=C:\\Windows\\explorer.exe,0,,\r\n"
                                         "Note=C:\\Windows\\notepad.exe,True,\"-a -b\",C:\\Launch\\w.bmp\r\n"},
                          {"w.bmp", testing::ReadSample("mono.bmp")}})
                    .empty());
    EXPECT_EQ(report.Text("", '\\'), "shell Explorer (default): C:\\Windows\\explorer.exe, no wallpaper, not watched\n"
                                     "shell Note: C:\\Windows\\notepad.exe -a -b, wallpaper C:\\Launch\\w.bmp, watched (started again when it crashes)\n"
                                     "0 errors, 0 warnings\n");
    EXPECT_EQ(fake.files.files.count("C:\\Launch\\schemes"), 0u);
}

TEST_F(Checker, SettingsThatTheLauncherRejectsOrCannotUse) {
    const std::string head = "[Settings]\r\nShowLauncher=1\r\n";
    const Case cases[] = {
        {"boolean", {{"operator.ini", head + "UseTimer=yes\r\nDefaultShell=Explorer\r\n"}},
         {"operator.ini:3: warning: UseTimer=yes is not a whole number: the launcher reads it as off (0), its default; "
          "write 1 for on or 0 for off"}},
        {"integer", {{"operator.ini", head + "UseTimer=$1\r\nTimerLength=ten\r\nDefaultShell=Explorer\r\n"}},
         {"operator.ini:4: warning: TimerLength=ten is not a whole number: the launcher reads it as 5, its default"}},
        {"no shell", {{"operator.ini", head + "DefaultShell=Explorr\r\n"}},
         {"operator.ini:3: error: DefaultShell=Explorr names no shell of shells.ini (did you mean Explorer?): the "
          "launcher stops at start with \"List index out of bounds (0)\""}},
        {"other letter case", {{"operator.ini", head + "DefaultShell=EXPLORER\r\n"}}, {}},
        {"scheme", {{"operator.ini", head + "DefaultShell=Explorer\r\nColourSchemeName=Night\r\n"}},
         {"operator.ini:4: warning: ColourSchemeName=Night: there is no scheme file schemes\\Night.crs, so the chooser "
          "takes the default colours"}},
        {"misspelt key", {{"operator.ini", head + "DefaultShel=Explorer\r\n"}},
         {"operator.ini:3: warning: DefaultShel is no key of [Settings]: the launcher never reads it; did you mean "
          "DefaultShell?"}},
        {"no countdown", {{"operator.ini", head + "UseTimer=1\r\nTimerLength=0\r\nDefaultShell=Explorer\r\n"}},
         {"operator.ini:4: warning: TimerLength=0: a countdown of 0 seconds never runs out; the chooser waits for the "
          "user"}},
        {"longest countdown", {{"operator.ini", head + "UseTimer=1\r\nTimerLength=2147483\r\nDefaultShell=Explorer\r\n"}}, {}},
        {"too long", {{"operator.ini", head + "UseTimer=1\r\nTimerLength=2147484\r\nDefaultShell=Explorer\r\n"}},
         {"operator.ini:4: warning: TimerLength=2147484 is longer than the longest countdown: the chooser counts "
          "2147483 seconds"}},
        {"countdown to nothing", {{"operator.ini", head + "UseTimer=1\r\n"}},
         {"operator.ini:3: warning: UseTimer is on and there is no DefaultShell: when the countdown runs out the "
          "chooser closes and no shell starts"}},
        {"no chooser, no default", {{"operator.ini", "[Settings]\r\nShowLauncher=0\r\n"}},
         {"operator.ini:2: warning: ShowLauncher is off and there is no DefaultShell: loadshell shows no chooser and "
          "starts no shell"}},
        {"remembered shell", {{"operator.ini", head + "DefaultShell=Explorer\r\nRememberLastShell=1\r\n"}}, {}},
        {"remembered shell, not a number", {{"operator.ini", head + "DefaultShell=Explorer\r\nRememberLastShell=on\r\n"}},
         {"operator.ini:4: warning: RememberLastShell=on is not a whole number: the launcher reads it as off (0), its "
          "default; write 1 for on or 0 for off"}},
        {"countdown to a remembered shell", {{"operator.ini", head + "UseTimer=1\r\nRememberLastShell=1\r\n"}},
         {"operator.ini:3: warning: UseTimer is on and there is no DefaultShell: when the countdown runs out the "
          "chooser closes and no shell starts unless a shell that an earlier logon started is remembered"}},
        {"no chooser, no default, remembered",
         {{"operator.ini", "[Settings]\r\nShowLauncher=0\r\nRememberLastShell=1\r\n"}},
         {"operator.ini:2: warning: ShowLauncher is off and there is no DefaultShell: loadshell shows no chooser and "
          "starts no shell unless a shell that an earlier logon started is remembered"}},
        {"byte order mark", {{"operator.ini", "\xEF\xBB\xBF" + head + "DefaultShell=Explorer\r\n"}},
         {"operator.ini:1: warning: the file begins with a UTF-8 byte order mark (the bytes EF BB BF), which Windows' "
          "profile reader does not recognise: it reads the file in the legacy code page, so the launcher never finds the "
          "section [Settings] on this line; save the file as Unicode (UTF-16 with its byte order mark, Notepad's "
          "\"UTF-16 LE\"), or as ANSI"}},
        {"text beyond ASCII without a mark", {{"operator.ini", head + "; \xCE\xA9mega\r\nDefaultShell=Explorer\r\n"}},
         {"operator.ini: warning: the file has no byte order mark, so Windows reads its characters beyond ASCII in the "
          "machine's legacy code page (1252 on a Western machine: a name such as \"\u03A9mega\" saved as UTF-8 reads as "
          "\"\u00CE\u00A9mega\"); to keep every character, save the file as Unicode (UTF-16 with its byte order mark, "
          "Notepad's \"UTF-16 LE\")"}},
        {"byte order mark before a comment", {{"operator.ini", "\xEF\xBB\xBF; Corvane\r\n" + head + "DefaultShell=Explorer\r\n"}},
         {}},
        {"second section", {{"operator.ini", head + "DefaultShell=Explorer\r\n[settings]\r\nUseTimer=1\r\n"}},
         {"operator.ini:4: warning: a second [Settings] section (the first is on line 1): the launcher never reads the "
          "keys of this one"}},
        {"missing", {{"-operator.ini", ""}},
         {"operator.ini: warning: the file is missing: at logon the launcher says \"User settings file not found, "
          "creating new settings file.\", creates it empty and goes on with the default settings (where it cannot "
          "create the file, it says so; a [Settings] section in shells.ini gives every user's settings without a file "
          "of their own; --user NAME checks the settings file of another user)"}},
    };
    for (const Case& c : cases) Expect(c);
}

// The [Settings] section of shells.ini is checked like a user's file; a finding on a value names
// the file that the value comes from.
TEST_F(Checker, SharedSettingsAreCheckedWhereEachValueStands) {
    const std::string shells = "[Shells]\r\nExplorer=C:\\Windows\\explorer.exe,0,,\r\n[Settings]\r\n";
    const std::string countdown = "UseTimer=1\r\nDefaultShell=Explorer\r\n";
    const Case cases[] = {
        {"shared alone", {{"-operator.ini", ""}, {"shells.ini", shells + countdown}}, {}},
        {"shared mistakes",
         {{"-operator.ini", ""},
          {"shells.ini", shells + "UseTimer=yes\r\nDefaultShell=Explorr\r\nColourSchemeName=Night\r\nDefaultShel=x\r\n"}},
         {"shells.ini:4: warning: UseTimer=yes is not a whole number: the launcher reads it as off (0), its default; "
          "write 1 for on or 0 for off",
          "shells.ini:5: error: DefaultShell=Explorr names no shell of shells.ini (did you mean Explorer?): the launcher "
          "stops at start with \"List index out of bounds (0)\"",
          "shells.ini:6: warning: ColourSchemeName=Night: there is no scheme file schemes\\Night.crs, so the chooser "
          "takes the default colours",
          "shells.ini:7: warning: DefaultShel is no key of [Settings]: the launcher never reads it; did you mean "
          "DefaultShell?"}},
        {"overridden shared value",
         {{"operator.ini", "[Settings]\r\nDefaultShell=explorer\r\n"}, {"shells.ini", shells + "DefaultShell=Gone\r\n"}},
         {"shells.ini:4: error: DefaultShell=Gone names no shell of shells.ini: the launcher stops at start with \"List "
          "index out of bounds (0)\" (this holds for the users whose own file does not set DefaultShell; operator.ini "
          "sets it)"}},
        {"own override that is rejected",
         {{"operator.ini", "[Settings]\r\nUseTimer=on\r\nLogoFont=Arial\r\n"}, {"shells.ini", shells + countdown}},
         {"operator.ini:2: warning: UseTimer=on is not a whole number: the launcher reads it as off (0), its default, "
          "not the value of shells.ini; write 1 for on or 0 for off",
          "operator.ini:3: warning: LogoFont is no key of [Settings]: the launcher never reads it"}},
        {"countdown across the files",
         {{"operator.ini", "[Settings]\r\nDefaultShell=\r\nTimerLength=0\r\n"}, {"shells.ini", shells + countdown}},
         {"shells.ini:4: warning: UseTimer is on and there is no DefaultShell (DefaultShell= on line 2 of operator.ini): "
          "when the countdown runs out the chooser closes and no shell starts",
          "operator.ini:3: warning: TimerLength=0: a countdown of 0 seconds never runs out; the chooser waits for the "
          "user"}},
        {"own file without the section",
         {{"operator.ini", "[Other]\r\nA=1\r\n"}, {"shells.ini", shells + countdown}},
         {"operator.ini: warning: there is no [Settings] section: the launcher takes every setting from [Settings] of "
          "shells.ini"}},
        {"a line before the sections, said once",
         {{"-operator.ini", ""}, {"shells.ini", "Stray=1\r\n" + shells + countdown}},
         {"shells.ini:1: warning: this line stands before the first section: the launcher reads nothing from it"}},
        {"second shared section",
         {{"-operator.ini", ""}, {"shells.ini", shells + countdown + "[settings]\r\nTimerLength=3\r\n"}},
         {"shells.ini:6: warning: a second [Settings] section (the first is on line 3): the launcher never reads the "
          "keys of this one"}},
        {"misspelt shared section",
         {{"operator.ini", "[Settings]\r\nDefaultShell=Explorer\r\n"},
          {"shells.ini", "[Shells]\r\nExplorer=C:\\Windows\\explorer.exe,0,,\r\n[Setting]\r\nUseTimer=1\r\n"}},
         {"shells.ini:3: warning: [Setting] is not a section the launcher reads: did you mean [Settings]?"}},
    };
    for (const Case& c : cases) Expect(c);
}

TEST_F(Checker, ShellEntriesThatDoNotReadAsWritten) {
    const std::string head = "[Shells]\r\nExplorer=C:\\Windows\\explorer.exe,0,,\r\n";
    const Case cases[] = {
        {"blank in the path", {{"shells.ini", head + "Alt=C:\\Program Files\\Alt\\alt.exe,1,,\r\n"}},
         {"shells.ini:3: error: the blank after \"C:\\Program\" ends the program field of Alt, so the launcher reads "
          "\"Files\\Alt\\alt.exe\" as its crash protected field; then it stops at start with \"'Files\\Alt\\alt.exe' is "
          "not a valid boolean value\"; put a field that holds blanks in double quotes: "
          "Alt=\"C:\\Program Files\\Alt\\alt.exe\",1,,"}},
        {"blank in the parameters", {{"shells.ini", head + "Cmd=C:\\Windows\\notepad.exe,0,/k echo,\r\n"}},
         {"shells.ini:3: error: the blank after \"/k\" ends the parameters field of Cmd, so the launcher reads \"echo\" "
          "as its wallpaper field; put a field that holds blanks in double quotes: "
          "Cmd=C:\\Windows\\notepad.exe,0,\"/k echo\","}},
        {"quotes that the reader drops",
         {{"shells.ini", head + "Q=\"C:\\a b.exe\",0,,\"C:\\w.jpg\"\r\n"}},
         {"shells.ini:3: error: the entry of Q begins and ends with a quote, and the INI reader drops both: the launcher "
          "reads its fields as [C:\\a] [b.exe\"] [0] [] [C:\\w.jpg]; then it stops at start with \"'b.exe\"' is not a "
          "valid boolean value\"; end the entry with a comma to keep the quotes: Q=\"C:\\a b.exe\",0,,\"C:\\w.jpg\","}},
        {"quotes kept by a comma", {{"shells.ini", head + "Q=\"C:\\Windows\\notepad.exe\",0,,\"\",\r\n"}}, {}},
        {"too few fields", {{"shells.ini", head + "Few=C:\\Windows\\notepad.exe,0\r\n"}},
         {"shells.ini:3: error: Few has 2 of the 4 fields (program, crash protected, parameters, wallpaper): the "
          "launcher stops at start with \"List index out of bounds (2)\"; write an empty field as nothing between "
          "commas: Few=C:\\Windows\\notepad.exe,0,,"}},
        {"unclosed quote", {{"shells.ini", head + "Alt=\"C:\\Program Files\\Alt\\alt.exe,1,,\r\n"}},
         {"shells.ini:3: error: the double quote that begins the program field of Alt is never closed, so that field "
          "takes the rest of the entry; then it stops at start with \"List index out of bounds (1)\"; close the quote"}},
        {"no commas", {{"shells.ini", head + "Semi=C:\\Windows\\notepad.exe;0;;\r\n"}},
         {"shells.ini:3: error: Semi has 1 of the 4 fields (program, crash protected, parameters, wallpaper): the "
          "launcher stops at start with \"List index out of bounds (1)\"; commas separate the fields: program,crash "
          "protected,parameters,wallpaper"}},
        {"empty entry", {{"shells.ini", head + "None=\r\n"}},
         {"shells.ini:3: error: the entry of None is empty: the launcher stops at start with \"List index out of "
          "bounds (0)\""}},
        {"no boolean", {{"shells.ini", head + "Bad=C:\\Windows\\notepad.exe,yes,,\r\n"}},
         {"shells.ini:3: error: the crash protected field of Bad is \"yes\", not a number, True or False: the launcher "
          "stops at start with \"'yes' is not a valid boolean value\""}},
        {"letter case", {{"shells.ini", head + "explorer=C:\\Windows\\notepad.exe,0,,\r\n"}},
         {"shells.ini:3: error: explorer and Explorer (line 2) differ only in letter case: the chooser lists both, "
          "both with the entry of Explorer; give the shells different names"}},
        {"no name", {{"shells.ini", head + "=C:\\Windows\\notepad.exe,0,,\r\nLater=C:\\Windows\\notepad.exe,0,,\r\n"}},
         {"shells.ini:3: error: this line has no name before \"=\": the launcher's list of shells ends here, so it "
          "never offers Later (line 4) or any shell after it"}},
        {"no section", {{"shells.ini", "[Shell]\r\nExplorer=C:\\Windows\\explorer.exe,0,,\r\n"}},
         {"operator.ini:5: error: DefaultShell=Explorer names no shell of shells.ini: the launcher stops at start "
          "with \"List index out of bounds (0)\"",
          "shells.ini: warning: there is no [Shells] section: the chooser offers no shell",
          "shells.ini:1: warning: [Shell] is not a section the launcher reads: did you mean [Shells]?"}},
        {"not a comment", {{"shells.ini", head + "#Old=C:\\Windows\\notepad.exe,0,,\r\n;Older=x\r\n"}},
         {"shells.ini:3: warning: the chooser offers #Old as a shell: only \";\" makes a line of shells.ini a comment"}},
    };
    for (const Case& c : cases) Expect(c);
}

// Names the launcher reads into 16384 characters: the name that does not fit is cut short.
TEST_F(Checker, ShellNamesBeyondTheReadersBufferAreNeverOffered) {
    std::string shells = "[Shells]\r\nExplorer=C:\\Windows\\explorer.exe,0,,\r\n";
    const std::string longName(1000, 'n');
    for (char c = 'a'; c <= 'q'; ++c) shells += std::string(1, c) + longName + "=C:\\Windows\\notepad.exe,0,,\r\n";
    const Lines findings = Findings({{"shells.ini", shells}});
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].rfind("shells.ini:19: error: the shell names pass the 16384 characters in which the "
                                "launcher reads them, which cuts this name to \"qnnn", 0), 0u) << findings[0];
    EXPECT_NE(findings[0].find("stops at start with \"List index out of bounds (0)\""), std::string::npos);
}

TEST_F(Checker, ProgramsAndWallpapersOfShells) {
    const std::string head = "[Shells]\r\nExplorer=C:\\Windows\\explorer.exe,0,,";
    const std::string broken = "\xFF\xD8\xFF\xE0 not a picture";
    const Case cases[] = {
        {"no program", {{"shells.ini", head + "\r\nGone=C:\\Apps\\gone.exe,0,,\r\n"}},
         {"shells.ini:3: error: the program of Gone, \"C:\\Apps\\gone.exe\", is not there: the launcher warns \"Shell not "
          "found - C:\\Apps\\gone.exe - attempting load anyway\", then says that it could not start it, and starts nothing"}},
        {"relative program", {{"shells.ini", head + "\r\nRel=notepad.exe,0,,\r\n"}},
         {"shells.ini:3: warning: the program of Rel \"notepad.exe\" is a relative path: the launcher looks for it in "
          "the folder it runs in, which at logon is not the program folder; write the full path"}},
        {"crash protected document", {{"shells.ini", head + "\r\nBoard=C:\\Launch\\board.html,1,,\r\n"}, {"board.html", "<p>"}},
         {"shells.ini:3: warning: Board is crash protected, but its program \"C:\\Launch\\board.html\" is a document or a "
          "shortcut that another program opens: the launcher cannot know that program's process, so nothing starts "
          "it again when it crashes"}},
        {"no wallpaper file", {{"shells.ini", head + "C:\\Launch\\gone.jpg\r\n"}},
         {"shells.ini:2: warning: the wallpaper of Explorer, \"C:\\Launch\\gone.jpg\", is not there: the launcher leaves "
          "the desktop's wallpaper as it is"}},
        {"not converted", {{"shells.ini", head + "C:\\Launch\\w.png\r\n"}, {"w.png", "png"}},
         {"shells.ini:2: error: the wallpaper of Explorer, \"C:\\Launch\\w.png\", is no JPEG, GIF or BMP file by its "
          "name (.jpg, .jpeg, .gif or .bmp in the path): the launcher converts nothing and shows the wallpaper.bmp of "
          "an earlier run, or stops with \"Cannot open file\" before the shell starts when there is none"}},
        {"does not decode", {{"shells.ini", head + "C:\\Launch\\w.jpg\r\n"}, {"w.jpg", broken}},
         {"shells.ini:2: error: the wallpaper of Explorer, \"C:\\Launch\\w.jpg\", does not decode (EJpegError: "}},
        {"decodes", {{"shells.ini", head + "C:\\Launch\\w.jpg\r\n"}, {"w.jpg", testing::ReadSample("photo.jpg")}}, {}},
        {"gif by its folder's name", {{"shells.ini", head + "C:\\Launch\\x.gif\\w.bmp\r\n"}, {"x.gif\\w.bmp", testing::ReadSample("mono.bmp")}},
         {"shells.ini:2: error: the wallpaper of Explorer, \"C:\\Launch\\x.gif\\w.bmp\", does not decode (EGifError: "}},
    };
    for (const Case& c : cases) {
        const Lines findings = Findings(c.changed);
        ASSERT_EQ(findings.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < findings.size(); ++i) {
            EXPECT_EQ(findings[i].substr(0, c.expected[i].size()), c.expected[i]) << c.name;
        }
    }
}

// Without the machine's files, full paths are not looked for, and the report says so once.
TEST_F(Checker, WithoutSystemFilesFullPathsAreNotLookedFor) {
    EXPECT_TRUE(Findings({{"shells.ini", "[Shells]\r\nExplorer=C:\\Gone\\x.exe,0,,\r\nB=C:\\Gone\\y.exe,0,,C:\\w.jpg\r\n"}},
                         false)
                    .empty());
    const std::string text = report.Text("", '\\');
    EXPECT_EQ(text.rfind("note: programs and pictures named by full paths (C:\\...) are not looked for", 0), 0u) << text;
    EXPECT_EQ(text.find("note:", 1), std::string::npos) << text;
    EXPECT_EQ(Findings({{"shells.ini", "[Shells]\r\nExplorer=C:\\Windows\\explorer.exe,0,,C:\\w.png\r\n"}}, false).size(), 1u)
        << "a wallpaper of no converted kind shows by its name alone";
}

TEST_F(Checker, SchemeValuesThatTheChooserClamps) {
    const auto scheme = [](const std::string& keys) { return Files{{"schemes\\Default.crs", "[Colours]\r\n" + keys}}; };
    const Case cases[] = {
        {"contrast 50", scheme("Contrast=50\r\n"), {}},
        {"contrast 51", scheme("Contrast=51\r\n"),
         {"schemes\\Default.crs:2: warning: Contrast=51: the title and list colours take twice the contrast, 102 per "
          "cent, which the chooser cuts to 100"}},
        {"contrast 101", scheme("Contrast=101\r\n"),
         {"schemes\\Default.crs:2: warning: Contrast=101: the title and list colours take twice the contrast, 202 per "
          "cent, which the chooser cuts to 100; the rows' colour takes 101 per cent, also cut to 100"}},
        {"contrast -1", scheme("Contrast=-1\r\n"),
         {"schemes\\Default.crs:2: warning: Contrast=-1 is below 0: the chooser uses 0, so its title, list and rows "
          "take the base colour itself"}},
        {"alpha 0 and 255", scheme("AlphaValue=0\r\nAlphaValue=255\r\n"),
         {"schemes\\Default.crs:3: warning: AlphaValue is given again (first on line 2): the launcher reads only the "
          "first"}},
        {"alpha 256", scheme("AlphaValue=256\r\n"),
         {"schemes\\Default.crs:2: warning: AlphaValue=256 lies outside 0 to 255: the chooser uses 255"}},
        {"alpha -1", scheme("AlphaValue=-1\r\n"),
         {"schemes\\Default.crs:2: warning: AlphaValue=-1 lies outside 0 to 255: the chooser uses 0"}},
        {"colour bits", scheme("BaseColour=$1FF8000\r\n"),
         {"schemes\\Default.crs:2: warning: BaseColour=$1FF8000 has bits above the 24 of a colour (red, green, blue): "
          "the chooser ignores them and uses $FF8000"}},
        {"colour name", scheme("BaseColour=red\r\n"),
         {"schemes\\Default.crs:2: warning: BaseColour=red is not a whole number: the launcher reads it as 0, its "
          "default"}},
        {"no section", {{"schemes\\Default.crs", "Contrast=10\r\n"}},
         {"schemes\\Default.crs: warning: there is no [Colours] section: the chooser takes the default colours",
          "schemes\\Default.crs:1: warning: this line stands before the first section: the launcher reads nothing "
          "from it"}},
    };
    for (const Case& c : cases) Expect(c);
}

// Script findings name the script line and the statement number of the launcher's messages.
TEST_F(Checker, ScriptLinesThatDoNotDoWhatTheySay) {
    const auto script = [](const std::string& text) { return Files{{"script.txt", text}}; };
    const Case cases[] = {
        {"misspelt keyword", script("; start\r\nloadshel (shell)\r\n\r\nshowmessage (hi)\r\n"),
         {"script.txt:2: warning: \"loadshel\" is no keyword, so the launcher drops this line without a word; did you "
          "mean loadshell? (The statement after it is statement 1.)"}},
        {"keyword and more", script("loadshell (shell)\r\nendif\r\n"),
         {"script.txt:2: warning: \"endif\" is no keyword, so the launcher drops this line without a word; did you "
          "mean end? (No statement follows it.)"}},
        {"comments and prose", script("; loadshel (shell)\r\nLoads the shell (see below)\r\nThen it waits.\r\n"
                                      "# exec it\r\nloadshell (shell)\r\n"),
         {}},
        {"else", script("loadshell (shell)\r\nifeq (shell, A)\r\nshowmessage (a)\r\nelse\r\nshowmessage (b)\r\nend\r\n"),
         {"script.txt:4: warning: \"else\" is no keyword, so the launcher drops this line without a word; the script "
          "language has no else: the statements after this line are no alternative, they run as if it were not there. "
          "(The statement after it is statement 4.)"}},
        {"unknown word with arguments", script("run (C:\\x.exe)\r\nloadshell (shell)\r\n"),
         {"script.txt:1: warning: \"run\" is no keyword, so the launcher drops this line without a word; the keywords "
          "are loadshell, execshell, ifeq, end, exec, option, copy, showmessage. (The statement after it is statement 1.)"}},
        {"byte order marks", script("\xEF\xBB\xBFloadshell (shell)\r\nshowmessage (\xCE\xA9)\r\n"), {}},
        {"legacy code page", script("loadshell (shell)\r\nshowmessage (Caf\xE9)\r\n"),
         {"script.txt: warning: the file is neither UTF-8 nor marked as Unicode, so the launcher reads its characters "
          "beyond ASCII in the machine's legacy code page; to keep every character, save it as UTF-8"}},
        {"digits", script("loadshell (shell)\r\ncopy2 (a, b)\r\n"),
         {"script.txt:2: warning: statement 2: \"copy2\" is read as copy: the digits after the keyword are ignored"}},
        {"too few", script("; numbers count statements\r\n\r\nloadshell (s)\r\nifeq (s)\r\nend\r\n"),
         {"script.txt:4: error: statement 2: ifeq (var, value) reads 2 arguments but this line gives 1 argument: the "
          "run stops here with \"List index out of bounds (1)\""}},
        {"exec reads its folder first", script("exec (C:\\Windows\\notepad.exe, -n)\r\n"),
         {"script.txt:1: error: statement 1: exec (path, args, workingdir) reads 3 arguments but this line gives 2 "
          "arguments: when its program exists the run stops here with \"List index out of bounds (2)\""}},
        {"option cancelled", script("option (v, Pick, a|b)\r\noption (w, Pick, a|b, a)\r\n"),
         {"script.txt:1: error: statement 1: option (var, prompt, values, default) reads 4 arguments but this line "
          "gives 3 arguments: when the user cancels the prompt the run stops here with \"List index out of bounds (3)\""}},
        {"execshell", script("execshell (v, C:\\Windows\\notepad.exe)\r\nexecshell (v, C:\\My Apps\\a.exe, \"\")\r\n"),
         {"script.txt:1: error: statement 1: execshell (var[, path, params]) takes 1 argument (var) or 3 (var, path, "
          "params); with 2 it does nothing",
          "script.txt:2: error: statement 2: execshell (var[, path, params]) takes 1 argument (var) or 3 (var, path, "
          "params); with 4 it does nothing; the line gives [v] [C:\\My] [Apps\\a.exe] []: an argument that holds "
          "blanks or commas needs double quotes"}},
        {"option values", script("option (v, Pick, \"Windows Explorer|Other\", a)\r\n"
                                 "option (v, Pick, \"'Windows Explorer'|Other\", a)\r\n"
                                 "option (v, Pick, \"a | b|$c d$\", a)\r\n"),
         {"script.txt:1: warning: statement 1: the prompt offers \"Windows\" and \"Explorer\" as two values: a blank "
          "ends a value; put a value that holds blanks in single quotes, as in 'a b'|c",
          "script.txt:3: warning: statement 3: $c d$ refers to a variable that no statement sets (only loadshell, "
          "execshell and option set variables): it expands to nil"}},
        {"too many", script("copy (C:\\My Files\\a.txt, C:\\b.txt)\r\n"),
         {"script.txt:1: warning: statement 1: copy (src, dst) reads 2 arguments but this line gives 3, [C:\\My] "
          "[Files\\a.txt] [C:\\b.txt]: the launcher ignores the rest; an argument that holds blanks or commas needs "
          "double quotes"}},
        {"end without ifeq", script("loadshell (s)\r\nend\r\nifeq (s, a)\r\nifeq (s, b)\r\nend\r\n"),
         {"script.txt:2: error: statement 2: end without its ifeq: the launcher stops before its first statement with "
          "\"List index out of bounds (-1)\"",
          "script.txt:3: error: statement 3: ifeq without its end: when the comparison fails, the launcher skips every "
          "statement after it"}},
        {"unclosed quote", script("showmessage (\"hello)\r\n"),
         {"script.txt:1: warning: statement 1: the double quote before \"hello\" is never closed: that argument runs to "
          "the end of the arguments"}},
        {"no close", script("showmessage (hello\r\n"),
         {"script.txt:1: warning: statement 1: no \")\" ends the arguments: the launcher reads none from this line",
          "script.txt:1: error: statement 1: showmessage (msg) reads 1 argument but this line gives 0 arguments: the "
          "run stops here with \"List index out of bounds (0)\""}},
        {"close before open", script("showmessage hello)\r\n"),
         {"script.txt:1: warning: statement 1: there is a \")\" but no \"(\": the launcher takes everything before the "
          "\")\" as the arguments, the keyword included: [showmessage] [hello]",
          "script.txt:1: warning: statement 1: showmessage (msg) reads 1 argument but this line gives 2, [showmessage] "
          "[hello]: the launcher ignores the rest; an argument that holds blanks or commas needs double quotes"}},
        {"no parentheses", script("loadshell shell\r\nend ; no block\r\n"),
         {"script.txt:1: warning: statement 1: the launcher reads arguments only between \"(\" and \")\": it ignores "
          "\"shell\" on this line",
          "script.txt:2: error: statement 2: end without its ifeq: the launcher stops before its first statement with "
          "\"List index out of bounds (-1)\""}},
        {"quoted close",
         {{"script.txt", "exec (\"C:\\Launch\\Program Files (x86)\\App\\app.exe\", \"\", \"\")\r\n"},
          {"Program Files (x86)\\App\\app.exe", "MZ"}},
         {}},
    };
    for (const Case& c : cases) Expect(c);
}

TEST_F(Checker, ScriptVariablesAndText) {
    const auto script = [](const std::string& text) { return Files{{"script.txt", text}}; };
    const Case cases[] = {
        {"never set", script("loadshell (shell)\r\nshowmessage (\"Started $shel$\")\r\nifeq (SHELL, x)\r\nend\r\n"),
         {"script.txt:2: warning: statement 2: $shel$ refers to a variable that no statement sets (only loadshell, "
          "execshell and option set variables): it expands to nil; did you mean shell?"}},
        {"looked up by a reference", script("loadshell (shell)\r\nifeq ($shell$, x)\r\nend\r\n"),
         {"script.txt:2: warning: statement 2: ifeq looks up the variable named \"$shell$\", dollar signs included: its "
          "argument 1 is a name, used as written; write the name without dollar signs"}},
        {"compared but never set", script("ifeq (choice, a)\r\nend\r\n"),
         {"script.txt:1: warning: statement 1: ifeq reads the variable \"choice\", which no statement sets (only "
          "loadshell, execshell and option set variables), so it holds nil"}},
        {"unclosed reference", script("showmessage (\"costs 5$\")\r\n"),
         {"script.txt:1: warning: statement 1: argument 1 \"costs 5$\" has a \"$\" without its closing \"$\": the "
          "launcher shows \"Error (ParseVars): cannot find closing $ in:\" and drops it"}},
        {"not expanded", script("option (v, \"Pick $v$\", a|b, a)\r\n"),
         {"script.txt:1: warning: statement 1: option does not expand its argument 2: \"Pick $v$\" stays as written"}},
        {"missing program", script("exec (C:\\Apps\\gone.exe, \"\", \"\")\r\nexec ($app$, \"\", \"\")\r\n"),
         {"script.txt:1: warning: statement 1: the program \"C:\\Apps\\gone.exe\" that exec starts is not there: the "
          "launcher reports it and goes on",
          "script.txt:2: warning: statement 2: $app$ refers to a variable that no statement sets (only loadshell, "
          "execshell and option set variables): it expands to nil"}},
        {"nul", script(std::string("loadshell (s)\r\n\0\r\nshowmessage (x)\r\n", 33)),
         {"script.txt:2: error: a NUL character ends the script here: the launcher reads nothing after it"}},
        {"no statement", script("; nothing\r\n"),
         {"script.txt: warning: the script holds no statement: the launcher runs loadshell without a variable instead, "
          "as its statement 2"}},
        {"missing", {{"-script.txt", ""}},
         {"script.txt: warning: the file is missing: at logon the launcher says \"No script found, loading default\" "
          "and runs loadshell (shell)"}},
    };
    for (const Case& c : cases) Expect(c);
}


// Policies over the clean folder: each listed with where every setting comes from; a policy's
// value checked at its key, one that is not in force said with why, and a finding on a file's
// value that a policy overrides saying so.
TEST_F(Checker, PoliciesAreListedAndCheckedWhereTheyAre) {
    using platform::RegistryRoot;
    const std::string policies = TPolicyIO::Key, list = policies + "\\AllowedShells";
    fake.registry.PutData(RegistryRoot::LocalMachine, policies, "TimerLength", platform::RegDword, std::string(4, '\0'));
    fake.registry.Put(RegistryRoot::CurrentUser, policies, "TimerLength", "30");
    fake.registry.Put(RegistryRoot::CurrentUser, policies, "DefaultShell", "Note");
    fake.registry.Put(RegistryRoot::LocalMachine, list, "1", "Note");
    fake.registry.Put(RegistryRoot::LocalMachine, list, "2", "Other");
    fake.registry.Put(RegistryRoot::CurrentUser, list, "1", "Explorer");
    Findings({{"operator.ini", "[Settings]\r\nUseTimer=1\r\nDefaultShell=Explorr\r\n"},
              {"shells.ini", "[Shells]\r\nExplorer=C:\\Windows\\explorer.exe,0,,\r\nNote=C:\\Windows\\notepad.exe,0,,\r\n"}});
    EXPECT_EQ(report.Text("", '\\'),
              "policy (machine): TimerLength=0\n"
              "policy (machine): AllowedShells=Note, Other\n"
              "policy (user): DefaultShell=Note\n"
              "policy (user): AllowedShells=Explorer, not in force: policy (machine) sets AllowedShells\n"
              "setting UseTimer=1: operator.ini\n"
              "setting ShowLauncher=1: the default\n"
              "setting TimerLength=0: policy (machine)\n"
              "setting ColourSchemeName=Default: the default\n"
              "setting FadeLauncher=1: the default\n"
              "setting DefaultShell=Note: policy (user)\n"
              "setting RememberLastShell=0: the default\n"
              "shell Explorer (not offered: the AllowedShells policy of the machine (Note, Other) leaves it out): "
              "C:\\Windows\\explorer.exe, no wallpaper, not watched\n"
              "shell Note (default): C:\\Windows\\notepad.exe, no wallpaper, not watched\n"
              "HKEY_CURRENT_USER\\Software\\Policies\\Corvane: warning: TimerLength is a REG_SZ value, not a REG_DWORD, "
              "so this policy is not in force\n"
              "HKEY_LOCAL_MACHINE\\Software\\Policies\\Corvane\\AllowedShells: warning: AllowedShells names Other, which "
              "shells.ini does not list\n"
              "operator.ini:3: error: DefaultShell=Explorr names no shell of shells.ini (did you mean Explorer?): the "
              "launcher stops at start with \"List index out of bounds (0)\" (policy (user) sets DefaultShell, so the "
              "launcher does not read this value)\n"
              "HKEY_LOCAL_MACHINE\\Software\\Policies\\Corvane: warning: TimerLength=0: a countdown of 0 seconds never "
              "runs out; the chooser waits for the user\n"
              "1 error, 3 warnings\n");
}

} // namespace
} // namespace corvane
