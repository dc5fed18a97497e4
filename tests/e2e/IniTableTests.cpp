// The shared table of tricky INI files, run against the system's own profile reader through
// the launcher's Windows profile service. The native unit tests run the same table against
// the portable reader.
#include <gtest/gtest.h>

#include "Harness.h"
#include "platform/win32/Win32Services.h"
#include "shared/IniCases.h"

namespace {

// The case's file with exactly these bytes.
bool WriteCase(const std::string& path, std::string_view content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL wrote = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return wrote && written == content.size();
}

TEST(IniTable, SystemProfileReaderGivesTheTablesAnswers) {
    const std::string folder = e2e::Config().runs + "\\ini-table";
    CreateDirectoryA(folder.c_str(), nullptr);
    corvane::platform::win32::Win32ProfileFiles profiles;
    for (const corvane::ini_table::IniCase& test : corvane::ini_table::IniCases()) {
        const std::string path = folder + "\\" + test.name + ".ini";
        DeleteFileA(path.c_str());
        if (test.content) {
            ASSERT_TRUE(WriteCase(path, *test.content)) << path;
        }
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
    for (const corvane::ini_table::SectionsCase& test : corvane::ini_table::SectionsCases()) {
        const std::string path = folder + "\\" + test.name + ".ini";
        DeleteFileA(path.c_str());
        if (test.content) {
            ASSERT_TRUE(WriteCase(path, *test.content)) << path;
        }
        EXPECT_EQ(profiles.GetSectionNames(path, test.bufferSize), test.expected) << test.name;
    }
}

} // namespace
