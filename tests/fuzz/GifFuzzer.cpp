// Any bytes given to the GIF decoder give a picture of the screen's size, each row delivered
// once, or EGifError.
#include <cstdlib>

#include "FuzzTarget.h"
#include "imaging/GifDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    try {
        fuzzing::CheckingSink sink;
        imaging::DecodeGif(fuzzing::Bytes(data, size), "fuzz.gif", sink, fuzzing::MaxPixels);
        const imaging::PixelBuffer picture = sink.Complete();
        const auto word = [data](std::size_t at) { return static_cast<std::uint32_t>(data[at] | data[at + 1] << 8); };
        if (size < 10 || picture.Width() != word(6) || picture.Height() != word(8)) {
            std::abort(); // the canvas must have the logical screen's size
        }
    } catch (const EGifError&) {
    }
    return 0;
}
