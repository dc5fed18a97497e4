// Where a decoder delivers its picture: the size first, then each row once, in any order (an
// interlaced GIF gives its rows out of order, a BMP file from the bottom up). A sink may write
// the rows straight into a file, so that a picture never needs to be held whole in memory, or
// collect them in a PixelBuffer.
#pragma once

#include <cstdint>
#include <utility>

#include "imaging/PixelBuffer.h"

namespace corvane::imaging {

class PictureSink {
public:
    virtual ~PictureSink() = default;

    // The picture's size, both sides at least 1; given once, before any row.
    virtual void Start(std::uint32_t width, std::uint32_t height) = 0;
    // Row y (0 is the top row): width pixels of three bytes, blue-green-red. The sink copies
    // what it keeps; the decoder may reuse the memory at once.
    virtual void PutRow(std::uint32_t y, const std::uint8_t* pixels) = 0;
};

// Collects the rows in a PixelBuffer; rows that never came stay black.
class PixelBufferSink final : public PictureSink {
public:
    void Start(std::uint32_t width, std::uint32_t height) override { Picture_ = PixelBuffer(width, height); }
    void PutRow(std::uint32_t y, const std::uint8_t* pixels) override;

    PixelBuffer Take() { return std::move(Picture_); }

private:
    PixelBuffer Picture_;
};

// Takes the rows of a picture and keeps none of them: for reading a file only to check it.
class DiscardingSink final : public PictureSink {
public:
    void Start(std::uint32_t, std::uint32_t) override {}
    void PutRow(std::uint32_t, const std::uint8_t*) override {}
};

// Hands every row of a picture to a sink, from the top down.
void DeliverPicture(const PixelBuffer& picture, PictureSink& sink);

} // namespace corvane::imaging
