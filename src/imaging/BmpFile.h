// Windows bitmap (BMP) files.
//
// The writer writes a picture as an uncompressed 24-bit bottom-up bitmap with a
// BITMAPINFOHEADER, the form every Windows version loads as a wallpaper.
//
// The reader accepts the uncompressed forms that the system's bitmap loader reads: the OS/2
// core header and the Windows headers of 40, 52, 56, 108 and 124 bytes; 1, 4 and 8 bits a
// pixel with a colour table, 16 and 32 bits as 5-5-5 / 8-8-8 or with bit-field masks, and 24
// bits; rows from the bottom up or (with a negative height) from the top down. It does not
// read run-length encoded, JPEG or PNG compressed bitmaps. Anything else raises EBitmapError.
#pragma once

#include <string>
#include <string_view>

#include "imaging/ImageErrors.h"
#include "imaging/PixelBuffer.h"

namespace corvane::imaging {

// The complete content of a BMP file showing the picture.
std::string EncodeBmp(const PixelBuffer& picture);

// The picture of a BMP file's content; name (the file's path) appears in error messages.
// Raises EBitmapError when data is not a valid bitmap or has more than maxPixels pixels.
PixelBuffer DecodeBmp(std::string_view data, const std::string& name, std::uint64_t maxPixels = MaxImagePixels);

} // namespace corvane::imaging
