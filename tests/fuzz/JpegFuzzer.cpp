// Any bytes given to the JPEG decoder give a picture, each row delivered once, or EJpegError
// (never a libjpeg exit, leak or stray write), and the picture survives the way to a bitmap
// file and back.
#include <cstdlib>

#include "FuzzTarget.h"
#include "imaging/BmpFile.h"
#include "imaging/JpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    fuzzing::CheckingSink sink;
    try {
        imaging::DecodeJpeg(fuzzing::Bytes(data, size), "fuzz.jpg", sink, fuzzing::MaxPixels);
    } catch (const EJpegError&) {
        return 0;
    }
    const imaging::PixelBuffer picture = sink.Complete();
    if (imaging::DecodeBmp(imaging::EncodeBmp(picture), "fuzz.bmp", fuzzing::MaxPixels) != picture) std::abort();
    return 0;
}
