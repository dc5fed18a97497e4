// A bitmap object: takes over a decoded picture, writes itself as a BMP file and reads a BMP
// file back.
#pragma once

#include <string>

#include "imaging/PixelBuffer.h"

namespace corvane::imaging {

class Bitmap {
public:
    Bitmap() = default;
    explicit Bitmap(PixelBuffer picture) : Picture_(std::move(picture)) {}

    const PixelBuffer& Picture() const { return Picture_; }

    // Writes the bitmap to path, replacing a file that is there. The file is written under a
    // temporary name beside path first and put in place only when complete, so that a failure
    // leaves an earlier file at path as it was. Raises EFCreateError when that fails.
    void SaveToFile(const std::string& path) const;

    // Reads the BMP file at path. Raises EFOpenError when it cannot be read and EBitmapError
    // when it is not a valid bitmap.
    static Bitmap LoadFromFile(const std::string& path);

    // The name of the temporary file that SaveToFile writes first.
    static std::string TemporaryPath(const std::string& path) { return path + ".tmp"; }

private:
    PixelBuffer Picture_;
};

} // namespace corvane::imaging
