// JPEG files, decoded by libjpeg.
//
// Decodes baseline, extended, progressive and (where the library supports it)
// arithmetic-coded JPEG files with 8-bit samples, at full size, into 24-bit colour:
// grayscale, YCbCr and RGB pictures, and CMYK or YCCK ones (taken as Adobe's inverted CMYK when
// the file carries an Adobe marker, as Adobe's programs write them).
//
// libjpeg's errors raise EJpegError carrying the library's message. So do its warnings about
// damaged data (a truncated file, a corrupt entropy-coded segment): the picture decoded from
// such a file would be partly grey or garbled. Notices that leave the picture intact (an unknown
// JFIF revision or Adobe transform, a bad ICC marker, stray bytes between segments) are ignored.
// The library prints nothing and never ends the program.
#pragma once

#include <string>
#include <string_view>

#include "imaging/ImageErrors.h"
#include "imaging/PictureSink.h"
#include "imaging/PixelBuffer.h"

namespace corvane::imaging {

// Decodes a JPEG file's content into the sink, row by row from the top; name (the file's path)
// appears in error messages. A picture of more than maxPixels pixels raises EJpegError before
// the sink is started. After an error the sink may hold some of the rows.
void DecodeJpeg(std::string_view data, const std::string& name, PictureSink& sink, std::uint64_t maxPixels = MaxImagePixels);

// The picture of a JPEG file's content, whole in memory.
PixelBuffer DecodeJpeg(std::string_view data, const std::string& name, std::uint64_t maxPixels = MaxImagePixels);

} // namespace corvane::imaging
