#include "ui/ApplyWallpaper.h"

#include "imaging/Bitmap.h"
#include "imaging/BmpFile.h"
#include "imaging/GifDecoder.h"
#include "imaging/JpegDecoder.h"
#include "platform/DesktopServices.h"
#include "platform/Platform.h"
#include "script/AsciiText.h"

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
        imaging::DiscardingSink check;
        imaging::DecodeBmp(files.ReadFile(temporary), sourcePath, check);
    } catch (...) {
        files.DeleteFile(temporary);
        throw;
    }
    if (!files.ReplaceFile(temporary, targetPath)) files.DeleteFile(temporary);
}

// Puts the source's picture at the target as a bitmap file, or copies a bitmap file there. A
// decoded picture goes into the file row by row as the decoder gives it, never whole in memory.
void ConvertSource(const std::string& sourcePath, const std::string& targetPath) {
    platform::FileSystem& files = platform::Files();
    switch (Classify(sourcePath)) {
    case SourceKind::Jpeg: {
        const std::string data = files.ReadFile(sourcePath);
        imaging::Bitmap::SaveDecodedToFile(targetPath, [&](imaging::PictureSink& sink) { imaging::DecodeJpeg(data, sourcePath, sink); });
        break;
    }
    case SourceKind::Gif: {
        const std::string data = files.ReadFile(sourcePath);
        imaging::Bitmap::SaveDecodedToFile(targetPath, [&](imaging::PictureSink& sink) { imaging::DecodeGif(data, sourcePath, sink); });
        break;
    }
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
    imaging::Bitmap::CheckFile(targetPath); // a valid bitmap must be there
    desktop.SetWallpaper(targetPath);          // the system's answer is not needed
    desktop.StoreWallpaperSetting(targetPath);
}

} // namespace corvane
