// A decoded picture in memory: 24 bits a pixel in the blue-green-red byte order of Windows
// bitmaps, rows from the top down, each row padded with zero bytes to a multiple of four
// bytes (the row layout of a BMP file, so rows can be written out unchanged).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvane::imaging {

// The largest picture the decoders accept: 64 Mi pixels (8192 x 8192), 192 MiB in memory.
constexpr std::uint64_t MaxImagePixels = std::uint64_t{1} << 26;

struct Colour {
    std::uint8_t blue = 0, green = 0, red = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

class PixelBuffer {
public:
    static constexpr std::size_t BytesPerPixel = 3;

    PixelBuffer() = default;
    // A black picture; both sides must be at least 1.
    PixelBuffer(std::uint32_t width, std::uint32_t height);

    std::uint32_t Width() const { return Width_; }
    std::uint32_t Height() const { return Height_; }
    std::size_t Stride() const { return Stride_; }
    bool Empty() const { return Pixels_.empty(); }

    std::uint8_t* Row(std::uint32_t y) { return Pixels_.data() + y * Stride_; }
    const std::uint8_t* Row(std::uint32_t y) const { return Pixels_.data() + y * Stride_; }

    Colour Pixel(std::uint32_t x, std::uint32_t y) const;
    void SetPixel(std::uint32_t x, std::uint32_t y, Colour colour);
    void Fill(Colour colour);

    // The row length in bytes, padded to a multiple of four.
    static std::size_t StrideFor(std::uint32_t width) { return (std::size_t{width} * BytesPerPixel + 3) & ~std::size_t{3}; }

    friend bool operator==(const PixelBuffer&, const PixelBuffer&) = default;

private:
    std::uint32_t Width_ = 0;
    std::uint32_t Height_ = 0;
    std::size_t Stride_ = 0;
    std::vector<std::uint8_t> Pixels_;
};

} // namespace corvane::imaging
