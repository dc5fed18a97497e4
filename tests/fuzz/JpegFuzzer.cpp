// Any bytes given to the JPEG decoder give a picture, each row delivered once, or EJpegError
// (never a libjpeg exit, leak or stray write), and the picture survives the way to a bitmap
// file and back.
#include <cstdlib>

#include "FuzzTarget.h"
#include "imaging/BmpFile.h"
#include "imaging/JpegDecoder.h"

namespace {
// Lower than the other targets' limit: a few header bytes make libjpeg decode a large picture
// of nothing (an arithmetic-coded scan without data decodes to grey), and at the shared limit
// such inputs took most of the time. The limit check itself works the same at any value.
constexpr std::uint64_t MaxJpegPixels = std::uint64_t{1} << 18;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    fuzzing::CheckingSink sink;
    try {
        imaging::DecodeJpeg(fuzzing::Bytes(data, size), "fuzz.jpg", sink, MaxJpegPixels);
    } catch (const EJpegError&) {
        return 0;
    }
    const imaging::PixelBuffer picture = sink.Complete();
    if (imaging::DecodeBmp(imaging::EncodeBmp(picture), "fuzz.bmp", MaxJpegPixels) != picture) std::abort();
    return 0;
}
