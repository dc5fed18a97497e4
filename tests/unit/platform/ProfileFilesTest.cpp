#include <gtest/gtest.h>

#include "platform/PortableProfileFiles.h"
#include "shared/IniCases.h"
#include "support/FakePlatform.h"

namespace corvane {
namespace {

class PortableProfileTest : public ::testing::Test {
protected:
    PortableProfileTest() {
        fake.services.profiles = &profiles;
        fake.Reinstall();
    }
    testing::FakePlatform fake;
    platform::PortableProfileFiles profiles{"C:\\Windows\\"};
};

// The same table runs against the system's reader in the Windows test driver.
TEST_F(PortableProfileTest, GivesWhatTheSystemReaderGivesForTheSharedTable) {
    for (const ini_table::IniCase& test : ini_table::IniCases()) {
        const std::string path = "C:\\ini\\" + test.name + ".ini";
        if (test.content) fake.files.files[path] = *test.content;
        for (const auto& check : test.values) {
            EXPECT_EQ(profiles.GetString(path, check.section, check.key, check.defaultValue, check.bufferSize),
                      check.expected)
                << test.name << ": [" << check.section << "] " << check.key;
        }
        for (const auto& check : test.names) {
            EXPECT_EQ(profiles.GetKeyNames(path, check.section, check.bufferSize), check.expected)
                << test.name << ": names of [" << check.section << "] in " << check.bufferSize;
        }
    }
}

TEST_F(PortableProfileTest, BareNamesLieInTheWindowsFolder) {
    fake.files.files["C:\\Windows\\system.ini"] = "[boot]\r\nshell=explorer.exe\r\n";
    EXPECT_EQ(profiles.GetString("system.ini", "boot", "shell", "None Found", 2048), "explorer.exe");
    EXPECT_EQ(profiles.GetString("C:\\system.ini", "boot", "shell", "None Found", 2048), "None Found");
    EXPECT_EQ(profiles.Resolve("D:x.ini"), "D:x.ini");
    EXPECT_EQ(profiles.Resolve("sub/x.ini"), "sub/x.ini");
}

TEST_F(PortableProfileTest, UnreadableFileGivesTheDefaultWithItsQuotes) {
    fake.files.files["C:\\x.ini"] = "[S]\r\nK=v\r\n";
    fake.files.unreadable.insert("C:\\x.ini");
    EXPECT_EQ(profiles.GetString("C:\\x.ini", "S", "K", "\"q\"  ", 2048), "\"q\"");
    EXPECT_TRUE(profiles.GetKeyNames("C:\\x.ini", "S", 16384).empty());
    EXPECT_FALSE(profiles.WriteString("C:\\x.ini", "S", "K", "w"));
}

// The writer rewrites the file as the system's writer does: no blank lines, "name=value".
TEST_F(PortableProfileTest, WritesKeysIntoTheFirstSectionOfTheName) {
    const std::string path = "C:\\x.ini";
    fake.files.files[path] = "; top\r\n[boot]\r\nA = 1\r\n\r\n[other]\r\nB=2";
    EXPECT_TRUE(profiles.WriteString(path, "BOOT", "shell", "  C:\\Alt\\alt.exe"));
    EXPECT_TRUE(profiles.WriteString(path, "new", "k", "v"));
    EXPECT_TRUE(profiles.WriteString(path, "other", "B", std::nullopt));
    EXPECT_EQ(fake.files.files[path], "; top\r\n[boot]\r\nA=1\r\nshell=C:\\Alt\\alt.exe\r\n[other]\r\n[new]\r\nk=v\r\n");
    EXPECT_TRUE(profiles.WriteString(path, "boot", "SHELL", "x"));
    EXPECT_EQ(profiles.GetString(path, "boot", "shell", "", 2048), "x");
}

TEST_F(PortableProfileTest, WritingCreatesAMissingFileAndLeavesAnUnchangedOneAlone) {
    EXPECT_TRUE(profiles.WriteString("system.ini", "boot", "shell", "a.exe"));
    EXPECT_EQ(fake.files.files["C:\\Windows\\system.ini"], "[boot]\r\nshell=a.exe\r\n");
    fake.files.files["C:\\Windows\\system.ini"] = "[boot]\nshell=a.exe";
    EXPECT_TRUE(profiles.WriteString("system.ini", "boot", "shell", "a.exe"));
    EXPECT_EQ(fake.files.files["C:\\Windows\\system.ini"], "[boot]\nshell=a.exe");
    fake.files.readOnlyFolders.insert("C:\\Windows\\");
    EXPECT_FALSE(profiles.WriteString("system.ini", "boot", "shell", "b.exe"));
}

} // namespace
} // namespace corvane
