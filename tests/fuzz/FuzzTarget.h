// What the fuzz targets share: the entry point libFuzzer calls, a picture size limit low
// enough that one input cannot take seconds or gigabytes (the decoders' checks work the same
// at any limit), and a sink that holds the decoders to their side of the sink's contract.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "imaging/PictureSink.h"

namespace corvane::fuzzing {

constexpr std::uint64_t MaxPixels = std::uint64_t{1} << 22;

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Collects a picture and aborts when a decoder starts it twice, gives a row before the start,
// beyond the picture or twice, or (at Complete) has left a row out. Copying each row reads all
// of it, so a row buffer shorter than the picture's width shows under AddressSanitizer.
class CheckingSink final : public imaging::PictureSink {
public:
    void Start(std::uint32_t width, std::uint32_t height) override {
        if (Started_ || width == 0 || height == 0) std::abort();
        Started_ = true;
        Seen_.assign(height, false);
        Buffer_.Start(width, height);
    }
    void PutRow(std::uint32_t y, const std::uint8_t* pixels) override {
        if (!Started_ || y >= Seen_.size() || Seen_[y]) std::abort();
        Seen_[y] = true;
        Buffer_.PutRow(y, pixels);
    }
    // The picture, once every row has come.
    imaging::PixelBuffer Complete() {
        for (const bool seen : Seen_) {
            if (!seen) std::abort();
        }
        if (!Started_) std::abort();
        return Buffer_.Take();
    }

private:
    bool Started_ = false;
    std::vector<bool> Seen_;
    imaging::PixelBufferSink Buffer_;
};

} // namespace corvane::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
