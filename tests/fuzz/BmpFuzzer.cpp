// Any bytes given to the BMP reader give a picture, each row delivered once, or EBitmapError,
// and a picture that was read comes back unchanged through the writer and the reader.
#include <cstdlib>

#include "FuzzTarget.h"
#include "imaging/BmpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    fuzzing::CheckingSink sink;
    try {
        imaging::DecodeBmp(fuzzing::Bytes(data, size), "fuzz.bmp", sink, fuzzing::MaxPixels);
    } catch (const EBitmapError&) {
        return 0;
    }
    const imaging::PixelBuffer picture = sink.Complete();
    if (imaging::DecodeBmp(imaging::EncodeBmp(picture), "again.bmp", fuzzing::MaxPixels) != picture) std::abort();
    return 0;
}
