// The pixel data of run-length encoded BMP files: RLE8 (8 bits a pixel, compression 1) and
// RLE4 (4 bits a pixel, compression 2). Used by the BMP reader once it has read the headers.
//
// The data is a series of two-byte instructions that draw the picture from its bottom line up,
// each line from the left:
//   n c      (n > 0) a run of n pixels of index c; in RLE4 the byte's two indexes alternate,
//            the high one first
//   0 0      end of line: on to the start of the next line up
//   0 1      end of bitmap
//   0 2 x y  a move x pixels right and y lines up
//   0 n ...  (n >= 3) an absolute run: n indexes as they are (RLE4: two a byte, the high one
//            first), padded to an even number of bytes
// Pixels that no instruction reaches (skipped by a move, or left by an early end of line or of
// the bitmap) take the colour of the colour table's first entry, as the system's bitmap loader
// leaves them in the device-independent bitmap it makes (LoadImage with LR_CREATEDIBSECTION,
// which is how the desktop reads its wallpaper). Indexes beyond the table are black.
//
// A line may be drawn into its padding (up to the 32-bit boundary an uncompressed line would
// end at), as encoders that compress the padded line do; those pixels are dropped, as the
// system drops them. Beyond that the system's loader clips and quietly stops at damage, where
// this reader is strict: a run or move that passes the end of its line's padding, a pixel,
// line end or move beyond the last line, an instruction cut off by the end of the data, and
// data that ends before the bitmap is complete (neither an end-of-bitmap mark nor the end of
// the last line) raise EBitmapError naming the file and the offset of the instruction at fault.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/PictureSink.h"
#include "imaging/PixelBuffer.h"

namespace corvane::imaging {

struct RunLengthLayout {
    std::uint32_t width = 0;  // at least 1
    std::uint32_t height = 0; // at least 1
    unsigned bits = 8;        // 8 (RLE8) or 4 (RLE4)
    const std::array<Colour, 256>* palette = nullptr;
    std::uint64_t offset = 0; // where the data lies in the file, for the messages
};

// Draws the picture that data (exactly the run-length data, as long as the header says) gives
// into the sink, the bottom row first; name is the file's path for the messages.
void DecodeRunLength(std::string_view data, const RunLengthLayout& layout, const std::string& name, PictureSink& sink);

} // namespace corvane::imaging
