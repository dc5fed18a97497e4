#include "imaging/Bitmap.h"

#include "imaging/BmpFile.h"
#include "platform/Platform.h"

namespace corvane::imaging {

void Bitmap::SaveToFile(const std::string& path) const {
    const std::string content = EncodeBmp(Picture_);
    platform::FileSystem& files = platform::Files();
    const std::string temporary = TemporaryPath(path);
    if (!files.WriteFile(temporary, content) || !files.ReplaceFile(temporary, path)) {
        files.DeleteFile(temporary);
        throw EFCreateError(path);
    }
}

Bitmap Bitmap::LoadFromFile(const std::string& path) {
    return Bitmap(DecodeBmp(platform::Files().ReadFile(path), path));
}

} // namespace corvane::imaging
