#include <gtest/gtest.h>

#include "config/PortableProfileFiles.h"
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
    TPortableProfileFiles profiles{"C:\\Windows\\"};
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

TEST_F(PortableProfileTest, ListsTheSectionsAsTheSystemReaderDoes) {
    for (const ini_table::SectionsCase& test : ini_table::SectionsCases()) {
        const std::string path = "C:\\ini\\" + test.name + ".ini";
        if (test.content) fake.files.files[path] = *test.content;
        EXPECT_EQ(profiles.GetSectionNames(path, test.bufferSize), test.expected) << test.name;
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

// One parse serves every value of a file until the file changes, by this writer or another.
TEST_F(PortableProfileTest, ParsesAFileOnceUntilItChanges) {
    const std::string path = "C:\\Launch\\shells.ini";
    fake.files.files[path] = "[Shells]\r\nA=1\r\nB=2\r\n";
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(profiles.GetString(path, "Shells", "B", "", 2048), "2");
        EXPECT_EQ(profiles.GetKeyNames(path, "Shells", 16384), (std::vector<std::string>{"A", "B"}));
    }
    EXPECT_EQ(fake.files.reads, 1);

    fake.files.files[path] = "[Shells]\r\nA=1\r\nB=3\r\n"; // changed by another program
    EXPECT_EQ(profiles.GetString(path, "Shells", "B", "", 2048), "3");
    EXPECT_EQ(fake.files.reads, 2);

    EXPECT_TRUE(profiles.WriteString(path, "Shells", "C", "4"));
    EXPECT_EQ(profiles.GetString(path, "Shells", "C", "", 2048), "4");
    EXPECT_EQ(fake.files.reads, 2) << "what this reader wrote needs no new parse";

    fake.files.files.erase(path);
    EXPECT_EQ(profiles.GetString(path, "Shells", "A", "gone", 2048), "gone");
    fake.files.files[path] = "[Shells]\r\nA=5\r\n";
    EXPECT_EQ(profiles.GetString(path, "Shells", "A", "", 2048), "5");

    fake.files.unreadable.insert(path);
    fake.files.files[path] = "[Shells]\r\nA=6\r\n";
    EXPECT_EQ(profiles.GetString(path, "Shells", "A", "locked", 2048), "locked");
    fake.files.unreadable.clear();
    fake.files.files[path] = "[Shells]\r\nA=7\r\n";
    EXPECT_EQ(profiles.GetString(path, "Shells", "A", "", 2048), "7");
}

// Sections and keys keep their line as editors count lines: CR LF, LF and CR each end one.
TEST(ProfileTextLines, SectionsAndKeysKnowTheirLine) {
    const TProfileText text("\xEF\xBB\xBFtop=0\r\n\r\n[A]\nx=1\r\r\n  y = 2\n\r[b]\rX=3\n");
    ASSERT_EQ(text.Sections().size(), 3u);
    EXPECT_EQ(text.Sections()[0].keys.at(0).line, 1);
    EXPECT_EQ(text.FindSection("a")->line, 3);
    EXPECT_EQ(text.FindKey("A", "X")->line, 4);
    EXPECT_EQ(text.FindKey("a", "y")->line, 6);
    EXPECT_EQ(text.FindSection("B")->line, 8);
    EXPECT_EQ(text.FindKey("b", "x")->line, 9);
    EXPECT_EQ(text.FindKey("b", "y"), nullptr);
}

} // namespace
} // namespace corvane
