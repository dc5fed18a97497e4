// The one file that includes jpeglib.h: its definitions clash with windows.h.
//
// libjpeg reports errors through a callback that must not return. The callback here jumps
// back (longjmp) to the stage that called into the library; the stages are written so that
// neither they nor anything between them and the library holds an object with a destructor,
// and the caller turns the failure into EJpegError after jpeg_destroy_decompress has run.
#include "imaging/JpegDecoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <limits>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace corvane::imaging {

namespace {

// The most memory libjpeg may take for its own buffers (progressive files keep all
// coefficients): 1 GiB.
constexpr long MaxLibraryMemory = 1L << 30;
// libjpeg hands out at most this many rows a call (its largest vertical sampling factor).
constexpr int MaxRowsPerCall = 4;

// libjpeg's error manager, extended by the way back into the running stage and the text of
// the error.
struct ErrorManager {
    jpeg_error_mgr base; // first member: libjpeg's pointer to it is a pointer to this
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// Warnings after which the picture is still whole.
bool IsHarmless(int messageCode) {
    switch (messageCode) {
    case JWRN_ADOBE_XFORM:
    case JWRN_BOGUS_ICC:
    case JWRN_JFIF_MAJOR:
    case JWRN_EXTRANEOUS_DATA:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void OnError(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Level -1 is a warning, higher levels are trace messages.
void OnMessage(j_common_ptr info, int level) {
    if (level >= 0) return;
    if (!IsHarmless(info->err->msg_code)) OnError(info);
    ++info->err->num_warnings;
}

void OnOutput(j_common_ptr) {}

struct Decompressor {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    bool created = false;

    Decompressor() = default;
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
    ~Decompressor() {
        if (created) jpeg_destroy_decompress(&info);
    }
};

enum class Samples { Colour, Gray, Cmyk, InvertedCmyk };

// Stage 1: creates the decompressor and reads the header. False after a libjpeg error.
bool ReadHeader(Decompressor& d, const unsigned char* data, unsigned long size) {
    d.info.err = jpeg_std_error(&d.errors.base);
    d.errors.base.error_exit = OnError;
    d.errors.base.emit_message = OnMessage;
    d.errors.base.output_message = OnOutput;
    if (setjmp(d.errors.jump) != 0) return false;
    d.created = true;
    jpeg_create_decompress(&d.info);
    d.info.mem->max_memory_to_use = MaxLibraryMemory;
    jpeg_mem_src(&d.info, data, size);
    jpeg_read_header(&d.info, TRUE);
    return true;
}

// Picks the colour space libjpeg delivers; returns how its samples become 24-bit colour.
Samples ChooseOutput(jpeg_decompress_struct& info) {
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        info.out_color_space = JCS_GRAYSCALE;
        return Samples::Gray;
    case JCS_CMYK:
    case JCS_YCCK:
        info.out_color_space = JCS_CMYK;
        return info.saw_Adobe_marker ? Samples::InvertedCmyk : Samples::Cmyk;
    default:
#ifdef JCS_EXTENSIONS
        info.out_color_space = JCS_EXT_BGR; // libjpeg-turbo writes the bitmap order directly
#else
        info.out_color_space = JCS_RGB;
#endif
        return Samples::Colour;
    }
}

// One row of libjpeg's samples in blue-green-red: colour rows are that already (or become it
// in place), gray and CMYK rows are converted into `converted`.
const std::uint8_t* ConvertRow(Samples samples, JSAMPLE* source, std::uint8_t* converted, std::uint32_t width) {
    switch (samples) {
    case Samples::Colour:
#ifndef JCS_EXTENSIONS
        for (std::uint32_t x = 0; x < width; ++x) std::swap(source[x * 3], source[x * 3 + 2]);
#endif
        return source;
    case Samples::Gray:
        for (std::uint32_t x = 0; x < width; ++x) converted[x * 3] = converted[x * 3 + 1] = converted[x * 3 + 2] = source[x];
        return converted;
    case Samples::Cmyk:
    case Samples::InvertedCmyk: {
        // Inverted samples hold 255 minus the ink, which is what the product below needs.
        const unsigned flip = samples == Samples::Cmyk ? 255 : 0;
        std::uint8_t* target = converted;
        for (std::uint32_t x = 0; x < width; ++x, source += 4, target += 3) {
            const unsigned k = source[3] ^ flip;
            target[0] = static_cast<std::uint8_t>(((source[2] ^ flip) * k + 127) / 255);
            target[1] = static_cast<std::uint8_t>(((source[1] ^ flip) * k + 127) / 255);
            target[2] = static_cast<std::uint8_t>(((source[0] ^ flip) * k + 127) / 255);
        }
        return converted;
    }
    }
    return converted;
}

// Room for the rows of one call to libjpeg (up to four samples a pixel) and for one converted row.
struct RowBuffers {
    std::vector<JSAMPLE> samples;
    std::vector<std::uint8_t> converted;
    std::size_t rowSize = 0;

    explicit RowBuffers(std::uint32_t width)
        : samples(std::size_t{width} * 4 * MaxRowsPerCall), converted(std::size_t{width} * 3), rowSize(std::size_t{width} * 4) {}
};

// Stage 2: decodes every row and hands it to the sink. False after a libjpeg error.
bool ReadPixels(Decompressor& d, Samples samples, PictureSink& sink, RowBuffers& buffers) {
    jpeg_decompress_struct& info = d.info;
    if (setjmp(d.errors.jump) != 0) return false;
    jpeg_start_decompress(&info);
    if (info.output_width != info.image_width || info.output_height != info.image_height) ERREXIT(&info, JERR_NOTIMPL);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[MaxRowsPerCall];
        const JDIMENSION first = info.output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(info.output_height - first, MaxRowsPerCall);
        for (JDIMENSION i = 0; i < count; ++i) rows[i] = buffers.samples.data() + i * buffers.rowSize;
        const JDIMENSION read = jpeg_read_scanlines(&info, rows, count);
        if (read == 0) ERREXIT(&info, JERR_INPUT_EMPTY); // cannot happen with a memory source
        for (JDIMENSION i = 0; i < read; ++i) {
            sink.PutRow(first + i, ConvertRow(samples, rows[i], buffers.converted.data(), info.output_width));
        }
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

void DecodeJpeg(std::string_view data, const std::string& name, PictureSink& sink, std::uint64_t maxPixels) {
    const std::string prefix = "Cannot decode JPEG image " + name + ": ";
    if (data.size() > std::numeric_limits<unsigned long>::max()) throw EJpegError(prefix + "the file is too large");
    Decompressor d;
    if (!ReadHeader(d, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()))) {
        throw EJpegError(prefix + d.errors.message);
    }
    const std::uint32_t width = d.info.image_width;
    const std::uint32_t height = d.info.image_height;
    if (std::uint64_t{width} * height > maxPixels) {
        throw EJpegError(prefix + "its " + std::to_string(width) + " x " + std::to_string(height) +
                         " pixels exceed the limit of " + std::to_string(maxPixels));
    }
    const Samples samples = ChooseOutput(d.info);
    RowBuffers buffers(width);
    sink.Start(width, height);
    if (!ReadPixels(d, samples, sink, buffers)) throw EJpegError(prefix + d.errors.message);
}

PixelBuffer DecodeJpeg(std::string_view data, const std::string& name, std::uint64_t maxPixels) {
    PixelBufferSink sink;
    DecodeJpeg(data, name, sink, maxPixels);
    return sink.Take();
}

} // namespace corvane::imaging
