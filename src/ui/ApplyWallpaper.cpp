#include "ui/ApplyWallpaper.h"

#include "imaging/Bitmap.h"
#include "imaging/BmpFile.h"
#include "imaging/GifDecoder.h"
#include "imaging/JpegDecoder.h"
#include "platform/DesktopServices.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "platform/RegistryAccess.h"
#include "text/AsciiText.h"
#include "ui/BusyCursor.h"

namespace corvane {

namespace {

enum class SourceKind { Jpeg, Gif, Bmp, Other };

SourceKind Classify(const std::string& sourcePath) {
    const std::string path = AsciiLowerCase(sourcePath);
    const auto contains = [&path](const char* text) { return path.find(text) != std::string::npos; };
    if (contains(".jpg") || contains(".jpeg")) return SourceKind::Jpeg;
    if (contains(".gif")) return SourceKind::Gif;
    if (contains(".bmp")) return SourceKind::Bmp;
    return SourceKind::Other;
}

// Copies a bitmap file unchanged to the target: beside it under the temporary name first, and
// only a copy that reads as a valid bitmap takes the target's place, so that an invalid source
// never destroys a good earlier wallpaper. A copy that fails leaves the target as it was.
void CopyBitmap(const std::string& sourcePath, const std::string& targetPath) {
    platform::FileSystem& files = platform::Files();
    const std::string temporary = imaging::Bitmap::TemporaryPath(targetPath);
    if (!files.CopyFile(sourcePath, temporary, false)) return;
    try {
        imaging::DecodeBmp(files.ReadFile(temporary), sourcePath);
    } catch (...) {
        files.DeleteFile(temporary);
        throw;
    }
    if (!files.ReplaceFile(temporary, targetPath)) files.DeleteFile(temporary);
}

// Puts the source's picture at the target as a bitmap file, or copies a bitmap file there.
void ConvertSource(const std::string& sourcePath, const std::string& targetPath) {
    platform::FileSystem& files = platform::Files();
    switch (Classify(sourcePath)) {
    case SourceKind::Jpeg:
        imaging::Bitmap(imaging::DecodeJpeg(files.ReadFile(sourcePath), sourcePath)).SaveToFile(targetPath);
        break;
    case SourceKind::Gif:
        imaging::Bitmap(imaging::DecodeGif(files.ReadFile(sourcePath), sourcePath)).SaveToFile(targetPath);
        break;
    case SourceKind::Bmp:
        CopyBitmap(sourcePath, targetPath);
        break;
    case SourceKind::Other:
        break;
    }
}

// Stores path as the current user's wallpaper setting: the string value "Wallpaper" under
// "Control Panel\Desktop\", the key created when it is missing.
void StoreWallpaperSetting(const std::string& path) {
    constexpr const char* DesktopKey = "Control Panel\\Desktop";
    constexpr const char* ShownKey = "HKEY_CURRENT_USER\\Control Panel\\Desktop\\";
    platform::RegistryAccess& registry = platform::Registry();
    const auto root = platform::RegistryRoot::CurrentUser;
    if (!registry.CreateKey(root, DesktopKey)) {
        throw ERegistryException(std::string("Failed to create key ") + ShownKey);
    }
    const std::string text = path.substr(0, path.find('\0')) + '\0';
    if (registry.SetValue(root, DesktopKey, "Wallpaper", platform::RegString, text) != platform::RegistryWrite::Written) {
        throw ERegistryException(std::string("Failed to set data for 'Wallpaper' under ") + ShownKey);
    }
}

} // namespace

void ApplyWallpaper(const std::string& sourcePath, const std::string& targetPath) {
    platform::DesktopServices& desktop = platform::Desktop();
    TBusyCursor busy(platform::Cursor::Default);
    if (platform::Files().FileExists(sourcePath)) {
        ConvertSource(sourcePath, targetPath);
    }
    imaging::Bitmap::LoadFromFile(targetPath); // only the check matters: a valid bitmap is there
    desktop.SetWallpaper(targetPath);          // the system's answer is not needed
    StoreWallpaperSetting(targetPath);
}

} // namespace corvane
