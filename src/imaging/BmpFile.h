// Windows bitmap (BMP) files.
//
// The writer writes a picture as an uncompressed 24-bit bottom-up bitmap with a
// BITMAPINFOHEADER, the form every Windows version loads as a wallpaper.
//
// The reader accepts the forms that the system's bitmap loader reads: the OS/2 core header and
// the Windows headers of 40, 108 and 124 bytes (and those of 52 and 56 bytes between them,
// though Wine's loader refuses them); 1, 4 and 8 bits a pixel with a colour
// table, 16 and 32 bits as 5-5-5 / 8-8-8 or with bit-field masks, and 24 bits, rows from the
// bottom up or (with a negative height) from the top down; and run-length encoded bitmaps of 8
// (RLE8) and 4 (RLE4) bits a pixel, which are always stored from the bottom up (see
// BmpRunLength.h for how their pixels are drawn). A bfOffBits of 0 means the pixels follow the
// colour table, as the system's loader takes it. It does not read JPEG or PNG compressed
// bitmaps, run-length encoded ones with a negative height (the system refuses them too), or the
// OS/2 2.x headers. Anything else, and any damage, raises EBitmapError.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "imaging/ImageErrors.h"
#include "imaging/PictureSink.h"
#include "imaging/PixelBuffer.h"
#include "platform/FileSystem.h"

namespace corvane::imaging {

// Writes the picture given to it as a BMP file: the headers when the picture starts, then each
// row, as it comes, at its place counted from the end of the file. Only one row is held.
class BmpWriter final : public PictureSink {
public:
    explicit BmpWriter(platform::OutputFile& file) : File_(file) {}

    // Raises EBitmapError when the picture is too large for a BMP file.
    void Start(std::uint32_t width, std::uint32_t height) override;
    void PutRow(std::uint32_t y, const std::uint8_t* pixels) override;

    // True when the picture was started, every row was written and no write failed.
    bool Complete() const { return Height_ > 0 && RowsWritten_ == Height_ && !Failed_; }
    // The size of the file for a picture of that many pixels.
    static std::uint64_t FileSize(std::uint32_t width, std::uint32_t height);

private:
    void Write(std::uint64_t offset, std::string_view data);

    platform::OutputFile& File_;
    std::uint32_t Width_ = 0;
    std::uint32_t Height_ = 0;
    std::vector<char> Row_; // one row with its padding
    std::uint64_t RowsWritten_ = 0;
    bool Failed_ = false;
};

// The error for the bitmap file `name` that is not valid, saying why.
EBitmapError InvalidBitmap(const std::string& name, const std::string& why);

// The complete content of a BMP file showing the picture.
std::string EncodeBmp(const PixelBuffer& picture);

// Reads a BMP file's content into the sink, in the order the file holds the rows; name (the
// file's path) appears in error messages. Raises EBitmapError when data is not a valid bitmap
// or has more than maxPixels pixels; the sink may then hold some of the rows.
void DecodeBmp(std::string_view data, const std::string& name, PictureSink& sink, std::uint64_t maxPixels = MaxImagePixels);

// The picture of a BMP file's content, whole in memory.
PixelBuffer DecodeBmp(std::string_view data, const std::string& name, std::uint64_t maxPixels = MaxImagePixels);

} // namespace corvane::imaging
