#include <gtest/gtest.h>

#include "imaging/BmpFile.h"
#include "imaging/ImageErrors.h"
#include "support/FakeDesktop.h"
#include "support/FakePlatform.h"
#include "support/FakeRegistry.h"
#include "support/ImageSamples.h"
#include "ui/ApplyWallpaper.h"

namespace corvane {
namespace {

using imaging::DecodeBmp;
using testing::ReadPnm;
using testing::ReadSample;

const std::string Target = "C:\\Launch\\wallpaper.bmp";
const std::string Temporary = Target + ".tmp";
const std::string UserFolder = "C:\\Users\\operator\\AppData\\Local\\Corvane";
const std::string Fallback = UserFolder + "\\wallpaper.bmp";

class ApplyWallpaperTest : public ::testing::Test {
protected:
    ApplyWallpaperTest() {
        fake.services.desktop = &desktop;
        fake.services.registry = &registry;
        fake.Reinstall();
    }

    // The current user's wallpaper setting; empty when it was never stored.
    std::string StoredWallpaper() const {
        return registry.Text(platform::RegistryRoot::CurrentUser, "Control Panel\\Desktop", "Wallpaper").value_or("");
    }

    std::map<std::string, std::string>& Files() { return fake.files.files; }
    imaging::PixelBuffer TargetPicture() { return DecodeBmp(Files().at(Target), Target); }
    // A wallpaper left by an earlier run.
    std::string PutEarlierTarget() { return Files()[Target] = ReadSample("os2.bmp"); }

    // The desktop calls of a run that made the target the wallpaper.
    static std::vector<std::string> Applied() { return {"cursor busy", "wallpaper " + Target, "cursor default"}; }
    // The desktop calls of a run that failed before the wallpaper was touched.
    static std::vector<std::string> Untouched() { return {"cursor busy", "cursor default"}; }

    testing::FakePlatform fake;
    testing::FakeDesktop desktop;
    testing::FakeRegistry registry;
};

TEST_F(ApplyWallpaperTest, ConvertsAJpegAndMakesItTheWallpaper) {
    Files()["C:\\Pics\\photo.jpg"] = ReadSample("photo.jpg");
    ApplyWallpaper("C:\\Pics\\photo.jpg", Target);
    EXPECT_EQ(TargetPicture(), ReadPnm(ReadSample("photo.ppm")));
    EXPECT_EQ(desktop.events, Applied());
    EXPECT_EQ(StoredWallpaper(), Target);
    EXPECT_EQ(Files().count(Temporary), 0u);
    EXPECT_EQ(desktop.cursor, platform::Cursor::Default);
}

// The lower-cased path decides, wherever the text stands in it, in the order JPEG, GIF, BMP.
TEST_F(ApplyWallpaperTest, ThePathDecidesHowTheSourceIsRead) {
    enum Outcome { Jpeg, Gif, Copy, JpegError, GifError };
    const std::tuple<const char*, const char*, Outcome> cases[] = {
        {"C:\\Pics\\Sunset.JPG", "photo.jpg", Jpeg},
        {"C:\\Pics\\Sunset.JPEG", "photo.jpg", Jpeg},
        {"C:\\Pics\\sunset.jpeg", "photo.jpg", Jpeg},
        {"C:\\Pics\\Noise.GIF", "noise.gif", Gif},
        {"C:\\Pics\\Plain.BMP", "v5-32.bmp", Copy},
        {"C:\\Pics\\photo.jpg.bmp", "photo.jpg", Jpeg},
        {"C:\\Pics\\photo.jpgx", "photo.jpg", Jpeg},
        {"C:\\Holiday.JPG\\noise.gif", "noise.gif", JpegError},
        {"C:\\old.gif.d\\plain.bmp", "v5-32.bmp", GifError},
    };
    for (const auto& [source, sample, outcome] : cases) {
        SCOPED_TRACE(source);
        Files().clear();
        Files()[source] = ReadSample(sample);
        switch (outcome) {
        case Jpeg:
            ApplyWallpaper(source, Target);
            EXPECT_EQ(TargetPicture(), ReadPnm(ReadSample("photo.ppm")));
            break;
        case Gif:
            ApplyWallpaper(source, Target);
            EXPECT_EQ(TargetPicture(), ReadPnm(ReadSample("noise.ppm")));
            break;
        case Copy:
            ApplyWallpaper(source, Target);
            EXPECT_EQ(Files().at(Target), ReadSample(sample));
            break;
        case JpegError:
            EXPECT_THROW(ApplyWallpaper(source, Target), EJpegError);
            break;
        case GifError:
            EXPECT_THROW(ApplyWallpaper(source, Target), EGifError);
            break;
        }
    }
}

TEST_F(ApplyWallpaperTest, ABitmapIsCopiedByteForByte) {
    const std::string withTrailer = ReadSample("palette4.bmp") + "trailing bytes a decoder would drop";
    Files()["C:\\Pics\\tiles.bmp"] = withTrailer;
    ApplyWallpaper("C:\\Pics\\tiles.bmp", Target);
    EXPECT_EQ(Files().at(Target), withTrailer);
    EXPECT_EQ(desktop.events, Applied());
    EXPECT_EQ(Files().count(Temporary), 0u);
}

// Nothing is written, neither the wallpaper nor the setting changes, the cursor comes back.
TEST_F(ApplyWallpaperTest, ASourceThatCannotBeDecodedChangesNothing) {
    std::string truncated = ReadSample("photo.jpg");
    truncated.resize(truncated.size() / 2);
    std::string badGif = ReadSample("noise.gif");
    badGif[800] = '\xFF';
    const std::string earlier = PutEarlierTarget();
    const std::tuple<const char*, std::string> cases[] = {
        {"C:\\Pics\\cut.jpg", truncated},
        {"C:\\Pics\\gif-inside.jpg", ReadSample("noise.gif")},
        {"C:\\Pics\\broken.gif", badGif},
        {"C:\\Pics\\not-a-bitmap.bmp", ReadSample("rgb565-no-masks.bmp")},
    };
    for (const auto& [source, content] : cases) {
        SCOPED_TRACE(source);
        desktop.events.clear();
        Files()[source] = content;
        EXPECT_THROW(ApplyWallpaper(source, Target), ECorvaneError);
        EXPECT_EQ(Files().at(Target), earlier);
        EXPECT_EQ(Files().count(Temporary), 0u);
        EXPECT_EQ(desktop.events, Untouched());
    }
    EXPECT_EQ(StoredWallpaper(), "");
}

TEST_F(ApplyWallpaperTest, APngWithoutAnEarlierTargetFailsAtTheReadBack) {
    Files()["C:\\Pics\\logo.png"] = "\x89PNG\r\n\x1a\n";
    EXPECT_THROW(ApplyWallpaper("C:\\Pics\\logo.png", Target), EFOpenError);
    EXPECT_EQ(Files().count(Target), 0u);
    EXPECT_EQ(desktop.events, Untouched());
}

TEST_F(ApplyWallpaperTest, APngWithAnEarlierTargetMakesThatTheWallpaperAgain) {
    const std::string earlier = PutEarlierTarget();
    Files()["C:\\Pics\\logo.png"] = "\x89PNG\r\n\x1a\n";
    ApplyWallpaper("C:\\Pics\\logo.png", Target);
    EXPECT_EQ(Files().at(Target), earlier);
    EXPECT_EQ(desktop.events, Applied());
}

TEST_F(ApplyWallpaperTest, AMissingSourceGoesStraightToTheReadBack) {
    EXPECT_THROW(ApplyWallpaper("C:\\Pics\\gone.jpg", Target), EFOpenError);
    EXPECT_EQ(desktop.events, Untouched());
    PutEarlierTarget();
    desktop.events.clear();
    ApplyWallpaper("C:\\Pics\\gone.jpg", Target);
    EXPECT_EQ(desktop.events, Applied());
}

TEST_F(ApplyWallpaperTest, AnInvalidEarlierTargetIsNotMadeTheWallpaper) {
    Files()[Target] = "BM but nothing else";
    EXPECT_THROW(ApplyWallpaper("C:\\Pics\\logo.png", Target), EBitmapError);
    EXPECT_EQ(desktop.events, Untouched());
}

TEST_F(ApplyWallpaperTest, AFailedCopyLeavesTheEarlierTarget) {
    const std::string earlier = PutEarlierTarget();
    Files()["C:\\Pics\\tiles.bmp"] = ReadSample("palette4.bmp");
    fake.files.readOnlyFolders.insert("C:\\Launch\\");
    ApplyWallpaper("C:\\Pics\\tiles.bmp", Target);
    EXPECT_EQ(Files().at(Target), earlier);
    EXPECT_EQ(desktop.events, Applied());
}

// A target that another program holds open keeps its picture, and no temporary file stays
// behind: a copied bitmap then leaves the earlier wallpaper to be applied again, a converted
// picture fails with the create error.
TEST_F(ApplyWallpaperTest, ATargetInUseKeepsItsPictureAndLeavesNoTemporaryFile) {
    const std::string earlier = PutEarlierTarget();
    fake.files.locked.insert(Target);
    Files()["C:\\Pics\\tiles.bmp"] = ReadSample("palette4.bmp");
    ApplyWallpaper("C:\\Pics\\tiles.bmp", Target);
    EXPECT_EQ(Files().at(Target), earlier);
    EXPECT_EQ(Files().count(Temporary), 0u);
    EXPECT_EQ(desktop.events, Applied());

    desktop.events.clear();
    Files()["C:\\Pics\\photo.jpg"] = ReadSample("photo.jpg");
    EXPECT_THROW(ApplyWallpaper("C:\\Pics\\photo.jpg", Target), EFCreateError);
    EXPECT_EQ(Files().at(Target), earlier);
    EXPECT_EQ(Files().count(Temporary), 0u);
    EXPECT_EQ(desktop.events, Untouched());
}

// A program folder that the user may not change: the picture goes to the user's own folder
// (made when missing), which then is the wallpaper and the setting; nothing is left behind.
TEST_F(ApplyWallpaperTest, AnUnwritableProgramFolderSendsTheWallpaperToTheUsersFolder) {
    fake.files.readOnlyFolders.insert("C:\\Launch\\");
    const std::tuple<const char*, const char*> sources[] = {
        {"C:\\Pics\\photo.jpg", "photo.jpg"}, {"C:\\Pics\\noise.gif", "noise.gif"}, {"C:\\Pics\\tiles.bmp", "palette4.bmp"}};
    for (const auto& [source, sample] : sources) {
        SCOPED_TRACE(source);
        Files().erase(Fallback);
        fake.files.folders.erase(UserFolder);
        Files()[source] = ReadSample(sample);
        EXPECT_EQ(ApplyWallpaper(source, Target, Fallback), Fallback);
        EXPECT_EQ(fake.files.folders.count(UserFolder), 1u);
        EXPECT_NO_THROW(DecodeBmp(Files().at(Fallback), Fallback));
        EXPECT_EQ(desktop.wallpaper, Fallback);
        EXPECT_EQ(StoredWallpaper(), Fallback);
        for (const std::string& path : {Target, Temporary, Fallback + ".tmp"}) EXPECT_EQ(Files().count(path), 0u) << path;
    }
}

// With nothing converted, a wallpaper left in the program folder comes first, then one in the
// user's folder; with the user's folder unwritable too, the conversion fails naming it.
TEST_F(ApplyWallpaperTest, TheUsersFolderIsTheLastPlaceTried) {
    Files()["C:\\Pics\\logo.png"] = "\x89PNG\r\n\x1a\n";
    Files()[Fallback] = ReadSample("palette4.bmp");
    EXPECT_EQ(ApplyWallpaper("C:\\Pics\\logo.png", Target, Fallback), Fallback);
    PutEarlierTarget();
    EXPECT_EQ(ApplyWallpaper("C:\\Pics\\logo.png", Target, Fallback), Target);

    fake.files.readOnlyFolders = {"C:\\Launch\\", UserFolder};
    Files()["C:\\Pics\\photo.jpg"] = ReadSample("photo.jpg");
    desktop.events.clear();
    try {
        ApplyWallpaper("C:\\Pics\\photo.jpg", Target, Fallback);
        ADD_FAILURE() << "no error";
    } catch (const EFCreateError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + Fallback);
    }
    EXPECT_EQ(desktop.events, Untouched());
}

TEST_F(ApplyWallpaperTest, AnUnwritableTargetRaisesTheCreateError) {
    Files()["C:\\Pics\\photo.jpg"] = ReadSample("photo.jpg");
    fake.files.readOnlyFolders.insert("C:\\Launch\\");
    try {
        ApplyWallpaper("C:\\Pics\\photo.jpg", Target);
        ADD_FAILURE() << "no error";
    } catch (const EFCreateError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + Target);
    }
    EXPECT_TRUE(Files().count(Target) == 0 && Files().count(Temporary) == 0);
    EXPECT_EQ(desktop.events, Untouched());
}

TEST_F(ApplyWallpaperTest, AFullDiskRaisesTheCreateErrorAndKeepsTheEarlierWallpaper) {
    const std::string earlier = PutEarlierTarget();
    for (const char* sample : {"photo.jpg", "noise.gif"}) {
        SCOPED_TRACE(sample);
        const std::string source = std::string("C:\\Pics\\") + sample;
        desktop.events.clear();
        Files()[source] = ReadSample(sample);
        fake.files.fileSizeLimit = 1000; // the headers and some rows fit
        EXPECT_THROW(ApplyWallpaper(source, Target), EFCreateError);
        EXPECT_EQ(Files().at(Target), earlier);
        EXPECT_EQ(Files().count(Temporary), 0u);
        EXPECT_EQ(desktop.events, Untouched());
    }
}

TEST_F(ApplyWallpaperTest, ARefusedSettingIsAnErrorNamingTheKeyAndStillResetsTheCursor) {
    Files()["C:\\Pics\\photo.jpg"] = ReadSample("photo.jpg");
    const auto desktopKey = testing::FakeRegistry::Id(platform::RegistryRoot::CurrentUser, "Control Panel\\Desktop");
    const std::pair<std::set<testing::FakeRegistry::KeyId>*, const char*> refusals[] = {
        {&registry.refuseCreate, "Failed to create key HKEY_CURRENT_USER\\Control Panel\\Desktop"},
        {&registry.refuseSet, "Failed to set data for 'Wallpaper' under HKEY_CURRENT_USER\\Control Panel\\Desktop"},
    };
    for (const auto& [refusal, message] : refusals) {
        refusal->insert(desktopKey);
        desktop.events.clear();
        try {
            ApplyWallpaper("C:\\Pics\\photo.jpg", Target);
            ADD_FAILURE() << "no error for " << message;
        } catch (const ERegistryException& error) {
            EXPECT_STREQ(error.what(), message);
        }
        EXPECT_EQ(desktop.events, Applied());
        EXPECT_EQ(desktop.cursor, platform::Cursor::Default);
        refusal->clear();
    }
    EXPECT_EQ(StoredWallpaper(), "");
}

TEST_F(ApplyWallpaperTest, TheSettingHoldsTheTargetExactlyAsGiven) {
    const std::string target = "D:\\My Launcher\\WallPaper.BMP";
    Files()["D:\\pic.gif"] = ReadSample("interlaced.gif");
    ApplyWallpaper("D:\\pic.gif", target);
    EXPECT_EQ(desktop.wallpaper, target);
    EXPECT_EQ(StoredWallpaper(), target);
}

} // namespace
} // namespace corvane
