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

// Collects a picture; aborts when a decoder starts it twice or gives a row before the start,
// beyond the picture or twice, or (at Complete) not at all. Copying a row reads all of it, so
// a short row buffer shows under AddressSanitizer. Rows are kept as they come: most inputs fail
// a few rows into a large picture, and clearing memory for all of it took most of the time.
class CheckingSink final : public imaging::PictureSink {
public:
    void Start(std::uint32_t width, std::uint32_t height) override {
        if (!Rows_.empty()) std::abort();
        Width_ = width;
        Rows_.resize(height);
    }
    void PutRow(std::uint32_t y, const std::uint8_t* pixels) override {
        if (y >= Rows_.size() || !Rows_[y].empty()) std::abort();
        Rows_[y].assign(pixels, pixels + std::size_t{Width_} * 3);
    }
    imaging::PixelBuffer Complete() {
        imaging::PixelBufferSink picture;
        picture.Start(Width_, static_cast<std::uint32_t>(Rows_.size())); // throws, uncaught, for no picture
        for (std::uint32_t y = 0; y < Rows_.size(); ++y) {
            if (Rows_[y].empty()) std::abort();
            picture.PutRow(y, Rows_[y].data());
        }
        return picture.Take();
    }

private:
    std::uint32_t Width_ = 0;
    std::vector<std::vector<std::uint8_t>> Rows_;
};

} // namespace corvane::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
