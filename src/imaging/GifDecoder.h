// GIF files (GIF87a and GIF89a).
//
// The decoder gives the still picture of a GIF file: its first image drawn onto a canvas of
// the logical screen's size. The canvas starts in the screen's background colour (black when
// the file has no global colour table); the image uses its local colour table, or else the
// global one; interlaced images are put into row order; pixels of the transparent colour named
// by a graphic control extension before the image leave the background showing, and pixels of
// an index beyond the colour table are black. Images after the first, animation and plain-text
// extensions play no part.
//
// Every length, code and index is checked. A damaged or truncated file, a file without image
// or colour table, and a screen or image of more than the allowed pixels raise EGifError.
#pragma once

#include <string>
#include <string_view>

#include "imaging/ImageErrors.h"
#include "imaging/PictureSink.h"
#include "imaging/PixelBuffer.h"

namespace corvane::imaging {

// Decodes a GIF file's content into the sink; name (the file's path) appears in error
// messages. The rows come as the image's data gives them (interlaced images in their four
// passes), the rows that only show the background first. Neither the picture nor the
// file's compressed data is held whole: only one row of the canvas. After an error the sink
// may hold some of the rows.
void DecodeGif(std::string_view data, const std::string& name, PictureSink& sink, std::uint64_t maxPixels = MaxImagePixels);

// The picture of a GIF file's content, whole in memory.
PixelBuffer DecodeGif(std::string_view data, const std::string& name, std::uint64_t maxPixels = MaxImagePixels);

} // namespace corvane::imaging
