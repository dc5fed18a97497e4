// Any bytes given to the BMP reader give a picture, each row delivered once, or EBitmapError,
// and a picture that was read comes back unchanged through the writer and the reader.
#include <cstdlib>

#include "FuzzTarget.h"
#include "imaging/BmpFile.h"

namespace {
// Lower than the shared limit: a few bytes of run-length data (an early end of bitmap) make a
// picture of any size, and at the shared limit such inputs took most of the time. The limit
// check itself works the same at any value.
constexpr std::uint64_t MaxBmpPixels = std::uint64_t{1} << 16;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    fuzzing::CheckingSink sink;
    try {
        imaging::DecodeBmp(fuzzing::Bytes(data, size), "fuzz.bmp", sink, MaxBmpPixels);
    } catch (const EBitmapError&) {
        return 0;
    }
    const imaging::PixelBuffer picture = sink.Complete();
    if (imaging::DecodeBmp(imaging::EncodeBmp(picture), "again.bmp", MaxBmpPixels) != picture) std::abort();
    return 0;
}
