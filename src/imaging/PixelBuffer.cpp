#include "imaging/PixelBuffer.h"

#include <cstring>
#include <stdexcept>

#include "imaging/PictureSink.h"

namespace corvane::imaging {

PixelBuffer::PixelBuffer(std::uint32_t width, std::uint32_t height)
    : Width_(width), Height_(height), Stride_(StrideFor(width)) {
    if (width == 0 || height == 0) {
        throw std::invalid_argument("a picture needs at least one pixel");
    }
    Pixels_.resize(Stride_ * height);
}

Colour PixelBuffer::Pixel(std::uint32_t x, std::uint32_t y) const {
    const std::uint8_t* p = Row(y) + std::size_t{x} * BytesPerPixel;
    return Colour{p[0], p[1], p[2]};
}

void PixelBuffer::SetPixel(std::uint32_t x, std::uint32_t y, Colour colour) {
    std::uint8_t* p = Row(y) + std::size_t{x} * BytesPerPixel;
    p[0] = colour.blue;
    p[1] = colour.green;
    p[2] = colour.red;
}

// Paints the first row pixel by pixel and copies it into the others.
void PixelBuffer::Fill(Colour colour) {
    if (Empty()) return;
    for (std::uint32_t x = 0; x < Width_; ++x) SetPixel(x, 0, colour);
    for (std::uint32_t y = 1; y < Height_; ++y) std::memcpy(Row(y), Row(0), Stride_);
}

void PixelBufferSink::PutRow(std::uint32_t y, const std::uint8_t* pixels) {
    std::memcpy(Picture_.Row(y), pixels, std::size_t{Picture_.Width()} * PixelBuffer::BytesPerPixel);
}

void DeliverPicture(const PixelBuffer& picture, PictureSink& sink) {
    sink.Start(picture.Width(), picture.Height());
    for (std::uint32_t y = 0; y < picture.Height(); ++y) sink.PutRow(y, picture.Row(y));
}

} // namespace corvane::imaging
