#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/Errors.h"
#include "platform/native/NativeServices.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

class NativeFileSystemTest : public ::testing::Test {
protected:
    NativeFileSystemTest() {
        fs::create_directories(root / "schemes");
        fs::create_directories(root / "sub dir");
        Put("Shells.INI", "[Shells]\r\n");
        Put("schemes/Default.crs", "[Colours]\r\n");
        Put("sub dir/x.jpg", "jpeg");
        Put("../outside.ini", "secret");
    }
    ~NativeFileSystemTest() override { fs::remove_all(root.parent_path()); }
    void Put(const std::string& name, const std::string& text) { std::ofstream(root / name, std::ios::binary) << text; }

    const fs::path root = fs::temp_directory_path() /
                          ("corvane-native-fs-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed())) /
                          "folder";
    platform::native::NativeFileSystem files{root};
};

// The folder stands in for the program folder: relative paths only, letter case as Windows has it.
TEST_F(NativeFileSystemTest, SeesTheFolderAsWindowsSeesAProgramFolder) {
    for (const char* path : {"shells.ini", "SHELLS.ini", "schemes\\default.CRS", "schemes/Default.crs", "sub dir\\x.jpg",
                             ".\\shells.ini", "schemes\\\\Default.crs"}) {
        EXPECT_TRUE(files.FileExists(path)) << path;
    }
    for (const char* path : {"", "schemes", "..\\outside.ini", "schemes\\..\\..\\outside.ini", "C:\\shells.ini",
                             "C:shells.ini", "\\shells.ini", "/etc/passwd", "\\\\server\\share\\shells.ini", "gone.ini"}) {
        EXPECT_FALSE(files.FileExists(path)) << path;
        EXPECT_FALSE(files.Stamp(path).has_value()) << path;
        EXPECT_THROW(files.ReadFile(path), EFOpenError) << path;
    }
    EXPECT_TRUE(files.FolderExists(""));
    EXPECT_TRUE(files.FolderExists("Schemes\\"));
    EXPECT_FALSE(files.FolderExists("shells.ini"));
    EXPECT_EQ(files.ReadFile("shells.INI"), "[Shells]\r\n");
}

TEST_F(NativeFileSystemTest, ChangesShowInTheStampAndWritesAreRefused) {
    const auto before = files.Stamp("shells.ini");
    ASSERT_TRUE(before.has_value());
    EXPECT_EQ(before->Size, 10u);
    Put("Shells.INI", "[Shells]\r\nA=1\r\n");
    EXPECT_NE(files.Stamp("shells.ini"), before);
    EXPECT_FALSE(files.WriteFile("shells.ini", "x"));
    EXPECT_FALSE(files.CreateEmptyFile("new.ini"));
    EXPECT_FALSE(files.CreateDirectory("schemes2"));
    EXPECT_FALSE(files.CopyFile("shells.ini", "copy.ini", false));
    EXPECT_FALSE(files.DeleteFile("shells.ini"));
    EXPECT_EQ(files.ReadFile("shells.ini"), "[Shells]\r\nA=1\r\n");
    EXPECT_FALSE(fs::exists(root / "new.ini"));
}

} // namespace
} // namespace corvane
