// Any bytes given to the BMP reader give a picture or EBitmapError, and a picture that was
// read comes back unchanged through the writer and the reader.
#include <cstdlib>

#include "FuzzTarget.h"
#include "imaging/BmpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    imaging::PixelBuffer picture;
    try {
        picture = imaging::DecodeBmp(fuzzing::Bytes(data, size), "fuzz.bmp", fuzzing::MaxPixels);
    } catch (const EBitmapError&) {
        return 0;
    }
    if (imaging::DecodeBmp(imaging::EncodeBmp(picture), "again.bmp", fuzzing::MaxPixels) != picture) std::abort();
    return 0;
}
