#include "ui/ApplyWallpaper.h"

#include <optional>

#include "config/RegistryWrites.h"
#include "imaging/Bitmap.h"
#include "imaging/BmpFile.h"
#include "imaging/GifDecoder.h"
#include "imaging/JpegDecoder.h"
#include "platform/DesktopServices.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "text/AsciiText.h"
#include "ui/BusyCursor.h"

namespace corvane {

namespace {

// Copies a bitmap file unchanged to the target: beside it under the temporary name first, and
// only a copy that reads as a valid bitmap takes the target's place, so that an invalid source
// never destroys a good earlier wallpaper. A copy that fails leaves the target as it was and
// gives false.
bool CopyBitmap(const std::string& sourcePath, const std::string& targetPath) {
    platform::FileSystem& files = platform::Files();
    const std::string temporary = imaging::Bitmap::TemporaryPath(targetPath);
    if (!files.CopyFile(sourcePath, temporary, false)) return false;
    try {
        imaging::DiscardingSink check;
        imaging::DecodeBmp(files.ReadFile(temporary), sourcePath, check);
    } catch (...) {
        files.DeleteFile(temporary);
        throw;
    }
    if (files.ReplaceFile(temporary, targetPath)) return true;
    files.DeleteFile(temporary);
    return false;
}

// Where the wallpaper file may go: the target, and when that cannot be written (a program
// folder that the user may not change), the fallback, whose folder is made when missing.
struct TWallpaperPlaces {
    const std::string& Target;
    const std::string& Fallback; // empty: none

    // Writes with write(place) at the first place that takes it and returns that place, or
    // nothing when neither took it. write gives false or raises EFCreateError for a place that
    // cannot be written; the fallback's error goes on to the caller.
    template <typename Write> std::optional<std::string> WriteFirst(Write write) const {
        try {
            if (write(Target)) return Target;
        } catch (const EFCreateError&) {
            if (Fallback.empty()) throw;
        }
        if (Fallback.empty()) return std::nullopt;
        const std::size_t cut = Fallback.find_last_of('\\');
        if (cut != std::string::npos) platform::Files().CreateDirectory(Fallback.substr(0, cut));
        if (write(Fallback)) return Fallback;
        return std::nullopt;
    }

    // The wallpaper file when none was written now: the target when there is one, else the
    // fallback when there is one there.
    const std::string& Existing() const {
        platform::FileSystem& files = platform::Files();
        return !Fallback.empty() && !files.FileExists(Target) && files.FileExists(Fallback) ? Fallback : Target;
    }
};

// Puts the source's picture as a bitmap file, or a bitmap file's copy, at the first of the
// places that takes it; returns that place, or nothing when nothing was written. A decoded
// picture goes into the file row by row as the decoder gives it, never whole in memory.
std::optional<std::string> ConvertSource(const std::string& sourcePath, const TWallpaperPlaces& places) {
    platform::FileSystem& files = platform::Files();
    // Writes the picture that decode delivers at a place.
    const auto save = [](auto decode) {
        return [decode](const std::string& place) {
            imaging::Bitmap::SaveDecodedToFile(place, decode);
            return true;
        };
    };
    switch (WallpaperKind(sourcePath)) {
    case TWallpaperKind::Jpeg: {
        const std::string data = files.ReadFile(sourcePath);
        return places.WriteFirst(
            save([&](imaging::PictureSink& sink) { imaging::DecodeJpeg(data, sourcePath, sink); }));
    }
    case TWallpaperKind::Gif: {
        const std::string data = files.ReadFile(sourcePath);
        return places.WriteFirst(save([&](imaging::PictureSink& sink) { imaging::DecodeGif(data, sourcePath, sink); }));
    }
    case TWallpaperKind::Bmp:
        return places.WriteFirst([&sourcePath](const std::string& place) { return CopyBitmap(sourcePath, place); });
    case TWallpaperKind::Other:
        break;
    }
    return std::nullopt;
}

// Stores path as the current user's wallpaper setting: the string value "Wallpaper" under
// "Control Panel\Desktop\", the key created when it is missing.
void StoreWallpaperSetting(const std::string& path) {
    WriteRegistryText(platform::RegistryRoot::CurrentUser, "Control Panel\\Desktop", "Wallpaper", path);
}

} // namespace

TWallpaperKind WallpaperKind(const std::string& sourcePath) {
    const std::string path = AsciiLowerCase(sourcePath);
    const auto contains = [&path](const char* text) { return path.find(text) != std::string::npos; };
    if (contains(".jpg") || contains(".jpeg")) return TWallpaperKind::Jpeg;
    if (contains(".gif")) return TWallpaperKind::Gif;
    if (contains(".bmp")) return TWallpaperKind::Bmp;
    return TWallpaperKind::Other;
}

void DecodeWallpaper(const std::string& sourcePath) {
    const TWallpaperKind kind = WallpaperKind(sourcePath);
    if (kind == TWallpaperKind::Other) return;
    const std::string data = platform::Files().ReadFile(sourcePath);
    imaging::DiscardingSink nowhere;
    switch (kind) {
    case TWallpaperKind::Jpeg:
        imaging::DecodeJpeg(data, sourcePath, nowhere);
        break;
    case TWallpaperKind::Gif:
        imaging::DecodeGif(data, sourcePath, nowhere);
        break;
    case TWallpaperKind::Bmp:
        imaging::DecodeBmp(data, sourcePath, nowhere);
        break;
    case TWallpaperKind::Other:
        break;
    }
}

std::string ApplyWallpaper(const std::string& sourcePath, const std::string& targetPath,
                           const std::string& fallbackPath) {
    platform::DesktopServices& desktop = platform::Desktop();
    TBusyCursor busy(platform::Cursor::Default);
    const TWallpaperPlaces places{targetPath, fallbackPath};
    std::optional<std::string> written;
    if (platform::Files().FileExists(sourcePath)) {
        written = ConvertSource(sourcePath, places);
    }
    const std::string wallpaper = written ? *written : places.Existing();
    imaging::Bitmap::CheckFile(wallpaper); // a valid bitmap must be there
    desktop.SetWallpaper(wallpaper);       // the system's answer is not needed
    StoreWallpaperSetting(wallpaper);
    return wallpaper;
}

} // namespace corvane
