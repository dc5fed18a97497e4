// The launcher's context built under Wine by the probe program, placed in a program folder of
// its own: the settings, the sorted shell list with icons and the colour scheme. (Wine gives
// its own programs the icon index 0 and a folder a later one; a missing file has none.)
#include <gtest/gtest.h>

#include "Harness.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        lines.push_back(text.substr(pos, end - pos));
        if (end == std::string::npos) break;
        pos = text.find_first_not_of("\r\n", end);
    }
    return lines;
}

TEST(Context, ReadsSettingsShellListAndSchemeAsTheSystemReaderGivesThem) {
    e2e::ProgramFolder folder("context-probe");
    const std::string probe = folder.Path() + "corvane_probe.exe";
    ASSERT_TRUE(CopyFileA((e2e::DriverFolder() + "corvane_probe.exe").c_str(), probe.c_str(), FALSE));
    folder.Write(e2e::CurrentUserName() + ".ini",
                 "[settings]\r\nUseTimer = 1\r\nShowLauncher=yes\r\nTimerLength=$1E\r\nDefaultShell=explorer\r\n"
                 "ColourSchemeName=\"Night\"\r\nFadeLauncher=0\r\n");
    folder.Write("shells.ini", "[Shells]\nbeta=C:\\nowhere\\beta.exe,false,,\nExplorer=C:\\windows\\explorer.exe,0,-e,\n"
                               "Alpha=\"C:\\Program Files\\Alt\\alt.exe\",TRUE,-quiet,C:\\alt.jpg\ngamma=g.exe,-1,,\n"
                               "Folder=C:\\windows,0,,\n");
    CreateDirectoryA((folder.Path() + "schemes").c_str(), nullptr);
    folder.Write("schemes\\Night.crs", "[Colours]\r\nBaseColour=0xFF8000\r\nAlphaValue=red\r\nLogoFont=Courier New\r\n");

    const e2e::ProgramResult result = e2e::RunToEnd(probe, "context");
    ASSERT_EQ(result.exitCode, 0u) << result.output;
    const std::vector<std::string> expected = {
        "UserIni=" + folder.UserIni(),
        "Settings=1|1|30|explorer|Night|0",
        "Shell Alpha=Alpha|C:\\Program Files\\Alt\\alt.exe|-quiet|1|1|Crash Protected|C:\\alt.jpg|no icon",
        "Shell beta=beta|C:\\nowhere\\beta.exe||0|0|||no icon",
        "Shell Explorer=Explorer|C:\\windows\\explorer.exe|-e|0|0|||no icon",
        "Shell Folder=Folder|C:\\windows||0|0|||icon",
        "Shell gamma=gamma|g.exe||1|1|Crash Protected||no icon",
        "DefaultShellItem=explorer|C:\\windows\\explorer.exe|-e|0|0|||no icon",
        "Colours=" + folder.Path() + "schemes\\Night.crs|16744448|10|180|Courier New|48",
    };
    EXPECT_EQ(Lines(result.output), expected);
}

} // namespace
