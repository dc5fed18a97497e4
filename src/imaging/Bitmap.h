// A bitmap object: takes over a decoded picture, writes itself as a BMP file and reads a BMP
// file back; and writes a picture that a decoder delivers into a BMP file row by row, without
// holding it whole.
#pragma once

#include <functional>
#include <string>

#include "imaging/PictureSink.h"
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

    // Writes the picture that decode delivers to the sink it is given into a BMP file at path,
    // each row as it comes, with the same care as SaveToFile. An error that decode raises passes
    // on, after the temporary file is removed; path is then as it was.
    static void SaveDecodedToFile(const std::string& path, const std::function<void(PictureSink&)>& decode);

    // Reads the BMP file at path. Raises EFOpenError when it cannot be read and EBitmapError
    // when it is not a valid bitmap.
    static Bitmap LoadFromFile(const std::string& path);

    // Reads the BMP file at path as LoadFromFile does, with the same errors, but keeps none of
    // its picture: only whether it is a valid bitmap matters.
    static void CheckFile(const std::string& path);

    // The name of the temporary file that SaveToFile writes first.
    static std::string TemporaryPath(const std::string& path) { return path + ".tmp"; }

private:
    PixelBuffer Picture_;
};

} // namespace corvane::imaging
