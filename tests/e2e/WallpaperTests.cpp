// The wallpaper conversion with the real Windows services: JPEG, GIF and BMP sources become
// "wallpaper.bmp", the desktop's wallpaper and the user's "Wallpaper" setting; sources that
// cannot be used change nothing. Driven through the desktop probe program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "Harness.h"

namespace {

constexpr const char* DesktopKey = "Control Panel\\Desktop";
constexpr const char* Sentinel = "C:\\earlier\\wallpaper.bmp";

std::string Image(const std::string& name) { return e2e::Config().images + "\\" + name; }

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string ReadWallpaperSetting() { return e2e::ReadUserString(DesktopKey, "Wallpaper").value_or("<missing>"); }

class Wallpaper : public ::testing::Test {
protected:
    void SetUp() override { e2e::WriteUserString(DesktopKey, "Wallpaper", Sentinel); }

    // Copies a sample image into a fresh program folder and applies it; returns the probe's run.
    e2e::ProgramRun Apply(const std::string& folderName, const std::string& sample, const std::string& sourceName) {
        folder_ = std::make_unique<e2e::ProgramFolder>(folderName);
        source_ = folder_->Path() + sourceName;
        if (!sample.empty() && !CopyFileA(Image(sample).c_str(), source_.c_str(), FALSE)) {
            throw std::runtime_error("cannot copy sample " + Image(sample));
        }
        return Run();
    }
    e2e::ProgramRun Run() {
        auto run = e2e::RunConsoleProgram(e2e::Config().desktopProbe, {"wallpaper", source_, Target()});
        if (!run) throw std::runtime_error("the desktop probe did not run");
        return *run;
    }
    std::string Target() const { return folder_->Path() + "wallpaper.bmp"; }

    std::unique_ptr<e2e::ProgramFolder> folder_;
    std::string source_;
};

// The largest difference of one colour channel between two pictures, or 256 when their
// sizes differ.
int LargestDifference(const e2e::Picture& a, const e2e::Picture& b) {
    if (a.width != b.width || a.height != b.height) return 256;
    int largest = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            largest = std::max(largest, std::abs(static_cast<int>((a.pixels[i] >> shift) & 0xFF) -
                                                 static_cast<int>((b.pixels[i] >> shift) & 0xFF)));
        }
    }
    return largest;
}

void ExpectWallpaperMatches(const std::string& target, const std::string& referenceName, int tolerance) {
    const auto written = e2e::LoadBitmapFile(target);
    const auto reference = e2e::LoadBitmapFile(Image(referenceName));
    ASSERT_TRUE(written.has_value()) << "the system cannot load " << target;
    ASSERT_TRUE(reference.has_value()) << "missing reference " << referenceName;
    EXPECT_EQ(written->width, reference->width);
    EXPECT_EQ(written->height, reference->height);
    EXPECT_LE(LargestDifference(*written, *reference), tolerance) << referenceName;
}

TEST_F(Wallpaper, ConvertedPicturesBecomeTheWallpaper) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"photo.jpg", "photo.jpg", 0},          // exactly as djpeg decodes it
        {"LARGE.JPG", "LARGE.JPG", 0},
        {"Progressive.jpeg", "Progressive.jpeg", 0},
        {"gray.jpg", "gray.jpg", 0},
        {"cmyk.jpg", "cmyk.jpg", 24},           // against the picture before its CMYK encoding
        {"noise.gif", "noise.gif", 0},          // exactly as ImageMagick decodes it
        {"Interlaced.GIF", "Interlaced.GIF", 0},
    };
    int n = 0;
    for (const auto& [sample, sourceName, tolerance] : cases) {
        SCOPED_TRACE(sample);
        const e2e::ProgramRun run = Apply("wallpaper-" + std::to_string(++n), sample, sourceName);
        EXPECT_EQ(run.exitCode, 0u) << run.output;
        EXPECT_EQ(run.output, "ok\n");
        EXPECT_EQ(ReadWallpaperSetting(), Target());
        ExpectWallpaperMatches(Target(), std::string(sample) + ".ref.bmp", tolerance);
        EXPECT_FALSE(folder_->Exists("wallpaper.bmp.tmp"));
    }
}

TEST_F(Wallpaper, ABitmapIsCopiedUnchanged) {
    const e2e::ProgramRun run = Apply("wallpaper-bmp", "Tiles.BMP", "Tiles.BMP");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(folder_->Read("wallpaper.bmp"), folder_->Read("Tiles.BMP"));
    EXPECT_EQ(ReadWallpaperSetting(), Target());
}

TEST_F(Wallpaper, ADamagedJpegChangesNothing) {
    folder_ = std::make_unique<e2e::ProgramFolder>("wallpaper-damaged");
    const std::string photo = ReadBytes(Image("photo.jpg"));
    folder_->Write("damaged.jpg", photo.substr(0, photo.size() / 2));
    source_ = folder_->Path() + "damaged.jpg";

    const e2e::ProgramRun run = Run();
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.output, "EJpegError: Cannot decode JPEG image " + source_ + ": Premature end of JPEG file\n");
    EXPECT_FALSE(folder_->Exists("wallpaper.bmp"));
    EXPECT_FALSE(folder_->Exists("wallpaper.bmp.tmp"));
    EXPECT_EQ(ReadWallpaperSetting(), Sentinel);

    // A wallpaper from an earlier run stays as it was.
    ASSERT_TRUE(CopyFileA(Image("Tiles.BMP").c_str(), Target().c_str(), FALSE));
    EXPECT_EQ(Run().exitCode, 1u);
    EXPECT_EQ(folder_->Read("wallpaper.bmp"), ReadBytes(Image("Tiles.BMP")));
    EXPECT_EQ(ReadWallpaperSetting(), Sentinel);
}

TEST_F(Wallpaper, APngWithoutAnEarlierWallpaperChangesNothing) {
    folder_ = std::make_unique<e2e::ProgramFolder>("wallpaper-png");
    folder_->Write("logo.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    source_ = folder_->Path() + "logo.png";
    const e2e::ProgramRun run = Run();
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.output, "EFOpenError: Cannot open file " + Target() + "\n");
    EXPECT_EQ(folder_->Entries(), (std::vector<std::string>{"corvane.exe", "logo.png"}));
    EXPECT_EQ(ReadWallpaperSetting(), Sentinel);
}

TEST_F(Wallpaper, APngWithAnEarlierWallpaperMakesItTheWallpaperAgain) {
    folder_ = std::make_unique<e2e::ProgramFolder>("wallpaper-png-again");
    ASSERT_TRUE(CopyFileA(Image("Tiles.BMP").c_str(), Target().c_str(), FALSE));
    folder_->Write("logo.png", std::string("\x89PNG\r\n\x1a\n", 8));
    source_ = folder_->Path() + "logo.png";
    const e2e::ProgramRun run = Run();
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(ReadWallpaperSetting(), Target());
}

// The shell's icon lists: bound, sized, drawn from, and copied.
TEST(SystemIcons, AreBoundAndDrawn) {
    const auto run = e2e::RunConsoleProgram(e2e::Config().desktopProbe, {"icons"});
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->exitCode, 0u) << run->output;
    std::istringstream lines(run->output);
    for (const char* expected : {"large", "small", "copy"}) {
        std::string name;
        int width = 0, height = 0, count = 0, painted = 0;
        lines >> name >> width >> height >> count >> painted;
        EXPECT_EQ(name, expected) << run->output;
        EXPECT_EQ(width, name == "small" ? 16 : 32) << name;
        EXPECT_EQ(height, width) << name;
        EXPECT_GT(count, 0) << name;
        EXPECT_GT(painted, 0) << name;
    }
}

} // namespace
