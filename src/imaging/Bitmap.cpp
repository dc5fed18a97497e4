#include "imaging/Bitmap.h"

#include "imaging/BmpFile.h"
#include "platform/Platform.h"

namespace corvane::imaging {

void Bitmap::SaveToFile(const std::string& path) const {
    SaveDecodedToFile(path, [this](PictureSink& sink) { DeliverPicture(Picture_, sink); });
}

void Bitmap::SaveDecodedToFile(const std::string& path, const std::function<void(PictureSink&)>& decode) {
    platform::FileSystem& files = platform::Files();
    const std::string temporary = TemporaryPath(path);
    std::unique_ptr<platform::OutputFile> file = files.CreateOutputFile(temporary);
    if (file == nullptr) throw EFCreateError(path);
    bool complete = false;
    try {
        BmpWriter writer(*file);
        decode(writer);
        complete = writer.Complete();
    } catch (...) {
        file.reset(); // closed first: the system deletes no file that is still open
        files.DeleteFile(temporary);
        throw;
    }
    file.reset();
    if (!complete || !files.ReplaceFile(temporary, path)) {
        files.DeleteFile(temporary);
        throw EFCreateError(path);
    }
}

Bitmap Bitmap::LoadFromFile(const std::string& path) {
    return Bitmap(DecodeBmp(platform::Files().ReadFile(path), path));
}

void Bitmap::CheckFile(const std::string& path) {
    DiscardingSink sink;
    DecodeBmp(platform::Files().ReadFile(path), path, sink);
}

} // namespace corvane::imaging
