#include "ui/ApplyWallpaper.h"

#include "imaging/Bitmap.h"
#include "imaging/BmpFile.h"
#include "imaging/GifDecoder.h"
#include "imaging/JpegDecoder.h"
#include "platform/DesktopServices.h"
#include "platform/Platform.h"
#include "text/AsciiText.h"

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

// Shows the hourglass for its lifetime, and the default cursor afterwards, also when an error
// passes through.
class BusyCursor {
public:
    BusyCursor() { platform::Desktop().SetCursor(platform::Cursor::Busy); }
    ~BusyCursor() {
        try {
            platform::Desktop().SetCursor(platform::Cursor::Default);
        } catch (...) {
        }
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

void ApplyWallpaper(const std::string& sourcePath, const std::string& targetPath) {
    platform::DesktopServices& desktop = platform::Desktop();
    BusyCursor busy;
    if (platform::Files().FileExists(sourcePath)) {
        ConvertSource(sourcePath, targetPath);
    }
    imaging::Bitmap::LoadFromFile(targetPath); // only the check matters: a valid bitmap is there
    desktop.SetWallpaper(targetPath);          // the system's answer is not needed
    desktop.StoreWallpaperSetting(targetPath);
}

} // namespace corvane
