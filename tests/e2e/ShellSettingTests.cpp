// The system shell setting, written and read for real through Wine's registry, IniFileMapping
// and system.ini, by the probe program (corvane.exe reaches this code only from statements).
#include <gtest/gtest.h>

#include "Harness.h"

namespace {

using namespace e2e::registry;
constexpr const char* AltShell = "C:\\Alt\\alt.exe";

std::string FirstLine(const std::string& output) { return output.substr(0, output.find_first_of("\r\n")); }

class ShellSetting : public ::testing::Test {
protected:
    // A Windows-like machine: the machine's shell, no user shell, no mapping yet, and a
    // system.ini shell line that must not be what a mapped read returns.
    void SetUp() override {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, MappingKey);
        SetRegText(HKEY_LOCAL_MACHINE, Winlogon, "Shell", "explorer.exe");
        DeleteRegValue(HKEY_CURRENT_USER, Winlogon, "Shell");
        WritePrivateProfileStringA("boot", "shell", "fromfile.exe", "system.ini");
    }

    e2e::ProgramResult Probe(const std::string& arguments, const std::string& exe = "") {
        return e2e::RunToEnd(exe.empty() ? e2e::DriverFolder() + "corvane_probe.exe" : exe, arguments);
    }
    std::string ReadShell(const std::string& exe = "") { return FirstLine(Probe("read-shell", exe).output); }
    void WriteShell(const std::string& text, const std::string& exe = "") {
        const e2e::ProgramResult result = Probe("write-shell \"" + text + "\"", exe);
        EXPECT_EQ(result.exitCode, 0u) << result.output;
        EXPECT_EQ(FirstLine(result.output), "ok");
    }
    void ExpectBothShells(const std::string& text) {
        DWORD type = 0;
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "shell", &type), text);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, Winlogon, "shell"), text);
    }
};

TEST_F(ShellSetting, NtFamilyWithTheSysMappingWritesBothValuesAndSwitchesTheMapping) {
    EXPECT_EQ(FirstLine(Probe("platform").output), "2");
    SetRegText(HKEY_LOCAL_MACHINE, MappingKey, "shell", SysMapping);
    EXPECT_EQ(ReadShell(), "explorer.exe") << "read through the mapping from the machine's value";
    WriteShell(AltShell);
    ExpectBothShells(AltShell);
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, MappingKey, "shell"), UsrMapping);
    EXPECT_EQ(ReadShell(), AltShell);
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), AltShell);
}

TEST_F(ShellSetting, NtFamilyChangesOnlyTheExactSysMapping) {
    struct Case {
        const char* what;
        std::optional<std::string> before; // nothing: no mapping value
        bool keyExists;
        std::string after;
    };
    const Case cases[] = {
        {"no mapping key", std::nullopt, false, UsrMapping},
        {"no mapping value", std::nullopt, true, UsrMapping},
        {"USR: value", UsrMapping, true, UsrMapping},
        {"SYS: in other letter case", "sys:microsoft\\windows nt\\currentversion\\winlogon", true,
         "sys:microsoft\\windows nt\\currentversion\\winlogon"},
        {"another value", "USR:Software\\Elsewhere", true, "USR:Software\\Elsewhere"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        if (c.keyExists) SetRegText(HKEY_LOCAL_MACHINE, MappingKey, "unrelated", "x");
        if (c.before) SetRegText(HKEY_LOCAL_MACHINE, MappingKey, "shell", *c.before);
        WriteShell(AltShell);
        ExpectBothShells(AltShell);
        EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, MappingKey, "shell"), c.after);
        if (c.after == UsrMapping) {
            EXPECT_EQ(ReadShell(), AltShell);
        }
    }
}

TEST_F(ShellSetting, WritingThePreviousShellBackKeepsTheUserMapping) {
    SetRegText(HKEY_LOCAL_MACHINE, MappingKey, "shell", SysMapping);
    const std::string previous = ReadShell();
    WriteShell(AltShell);
    WriteShell(previous);
    ExpectBothShells("explorer.exe");
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, MappingKey, "shell"), UsrMapping);
    EXPECT_EQ(ReadShell(), "explorer.exe");
}

TEST_F(ShellSetting, ReadShellGivesNoneFoundWhereNothingIsSet) {
    WritePrivateProfileStringA("boot", "shell", nullptr, "system.ini");
    EXPECT_EQ(ReadShell(), "None Found") << "no mapping and no shell line in system.ini";
    SetRegText(HKEY_LOCAL_MACHINE, MappingKey, "shell", UsrMapping);
    EXPECT_EQ(ReadShell(), "None Found") << "mapped to the user's key, which has no shell";
}

TEST_F(ShellSetting, MappingOfAnotherTypeStopsTheWriteWithAnError) {
    const DWORD number = 1;
    SetRegValue(HKEY_LOCAL_MACHINE, MappingKey, "shell", REG_DWORD, &number, sizeof number);
    const e2e::ProgramResult result = Probe(std::string("write-shell ") + AltShell);
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_NE(result.output.find("ERegistryException"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("Invalid data type for 'shell'"), std::string::npos) << result.output;
    ExpectBothShells(AltShell);
}

// Wine reports Windows 98 to a program named in AppDefaults with Version=win98; without a
// mapping, the shell setting is then the shell line of the Windows folder's system.ini.
TEST_F(ShellSetting, FirstFamilyWritesTheShellLineOfSystemIni) {
    const std::string folder = e2e::Config().runs + "\\win98";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string probe98 = folder + "\\corvane_probe98.exe";
    ASSERT_TRUE(CopyFileA((e2e::DriverFolder() + "corvane_probe.exe").c_str(), probe98.c_str(), FALSE));
    SetRegText(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\corvane_probe98.exe", "Version", "win98");
    ASSERT_EQ(FirstLine(Probe("platform", probe98).output), "1");

    EXPECT_EQ(ReadShell(probe98), "fromfile.exe");
    WriteShell(AltShell, probe98);
    const std::string systemIni = e2e::ReadWholeFile(WindowsFolder() + "\\system.ini");
    const std::size_t boot = systemIni.find("[boot]\r\n");
    ASSERT_NE(boot, std::string::npos) << systemIni;
    const std::size_t line = systemIni.find("\nshell=C:\\Alt\\alt.exe\r\n", boot);
    EXPECT_NE(line, std::string::npos) << systemIni;
    const std::size_t nextSection = systemIni.find('[', boot + 1);
    EXPECT_TRUE(nextSection == std::string::npos || nextSection > line) << "the line lies in section boot";
    EXPECT_EQ(ReadShell(probe98), AltShell);
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "shell"), std::nullopt);
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, Winlogon, "shell"), "explorer.exe");
}

} // namespace
