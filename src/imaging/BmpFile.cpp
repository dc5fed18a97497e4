#include "imaging/BmpFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "imaging/BmpRunLength.h"

namespace corvane::imaging {

namespace {

constexpr std::uint16_t BmpSignature = 0x4D42; // "BM"
constexpr std::uint32_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiRle8 = 1;
constexpr std::uint32_t BiRle4 = 2;
constexpr std::uint32_t BiBitfields = 3;
constexpr std::uint32_t MaxBmpFileSize = 0xFFFFFFFFu;

void Put16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

std::uint16_t Get16(std::string_view data, std::uint64_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(data[at]) | static_cast<std::uint8_t>(data[at + 1]) << 8);
}

std::uint32_t Get32(std::string_view data, std::uint64_t at) {
    return Get16(data, at) | static_cast<std::uint32_t>(Get16(data, at + 2)) << 16;
}

} // namespace

std::uint64_t BmpWriter::FileSize(std::uint32_t width, std::uint32_t height) {
    return FileHeaderSize + InfoHeaderSize + std::uint64_t{PixelBuffer::StrideFor(width)} * height;
}

void BmpWriter::Start(std::uint32_t width, std::uint32_t height) {
    const std::uint64_t fileSize = FileSize(width, height);
    if (width == 0 || height == 0 || fileSize > MaxBmpFileSize) {
        throw EBitmapError("A picture of " + std::to_string(width) + " x " + std::to_string(height) +
                           " pixels cannot be stored as a bitmap");
    }
    const std::uint32_t offset = FileHeaderSize + InfoHeaderSize;
    const auto imageSize = static_cast<std::uint32_t>(fileSize - offset);
    std::string out;
    // BITMAPFILEHEADER
    Put16(out, BmpSignature);                             // bfType
    Put32(out, static_cast<std::uint32_t>(fileSize));     // bfSize
    Put16(out, 0);                                        // bfReserved1
    Put16(out, 0);                                        // bfReserved2
    Put32(out, offset);                                   // bfOffBits
    // BITMAPINFOHEADER
    Put32(out, InfoHeaderSize);                           // biSize
    Put32(out, width);                                    // biWidth
    Put32(out, height);                                   // biHeight: positive, bottom-up
    Put16(out, 1);                                        // biPlanes
    Put16(out, 24);                                       // biBitCount
    Put32(out, BiRgb);                                    // biCompression
    Put32(out, imageSize);                                // biSizeImage
    Put32(out, 0);                                        // biXPelsPerMeter
    Put32(out, 0);                                        // biYPelsPerMeter
    Put32(out, 0);                                        // biClrUsed
    Put32(out, 0);                                        // biClrImportant
    Width_ = width;
    Height_ = height;
    Row_.assign(PixelBuffer::StrideFor(width), '\0'); // the padding bytes stay zero
    Write(0, out);
}

// The file holds the rows from the bottom up: row y is the (height - 1 - y)th after the headers.
void BmpWriter::PutRow(std::uint32_t y, const std::uint8_t* pixels) {
    if (y >= Height_) { // a row the picture does not have: nothing is written, and the file is not complete
        Failed_ = true;
        return;
    }
    std::memcpy(Row_.data(), pixels, std::size_t{Width_} * PixelBuffer::BytesPerPixel);
    const std::uint64_t offset = FileHeaderSize + InfoHeaderSize + std::uint64_t{Height_ - 1 - y} * Row_.size();
    Write(offset, std::string_view(Row_.data(), Row_.size()));
    ++RowsWritten_;
}

void BmpWriter::Write(std::uint64_t offset, std::string_view data) {
    if (!Failed_ && !File_.WriteAt(offset, data)) Failed_ = true;
}

namespace {

// A file in memory.
class StringFile final : public platform::OutputFile {
public:
    explicit StringFile(std::string& content) : Content_(content) {}
    bool WriteAt(std::uint64_t offset, std::string_view data) override {
        if (Content_.size() < offset + data.size()) Content_.resize(offset + data.size());
        Content_.replace(offset, data.size(), data);
        return true;
    }

private:
    std::string& Content_;
};

} // namespace

std::string EncodeBmp(const PixelBuffer& picture) {
    std::string content;
    if (!picture.Empty() && BmpWriter::FileSize(picture.Width(), picture.Height()) <= MaxBmpFileSize) {
        content.reserve(BmpWriter::FileSize(picture.Width(), picture.Height()));
    }
    StringFile file(content);
    BmpWriter writer(file);
    DeliverPicture(picture, writer);
    return content;
}

namespace {

// One colour channel of a bit-field pixel: where its bits are and how to widen them to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int length = 8; // bits in the mask

    // As the system widens a field: its bits at the top of the byte (the highest 8 of a longer
    // field), then the same bits once more below them, so 5 bits v give v << 3 | v >> 2.
    std::uint8_t Value(std::uint32_t pixel) const {
        const std::uint32_t raw = (pixel & mask) >> shift;
        std::uint32_t value = length >= 8 ? raw >> (length - 8) : raw << (8 - length);
        value |= value >> length;
        return static_cast<std::uint8_t>(value & 0xFF);
    }
};

// What the headers say about the picture, checked.
struct Layout {
    std::uint32_t headerSize = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool topDown = false;
    std::uint16_t bits = 0;
    std::uint32_t compression = BiRgb;
    std::uint32_t imageSize = 0; // biSizeImage: the length of run-length data
    std::uint32_t coloursUsed = 0;
    std::array<Channel, 3> channels; // red, green, blue
    std::array<Colour, 256> palette{};
    std::uint64_t tableEnd = 0;   // where the headers, masks and colour table end
    std::uint64_t dataOffset = 0; // bfOffBits
    std::uint64_t stride = 0;

    bool RunLength() const { return compression == BiRle8 || compression == BiRle4; }
};

class BmpParser {
public:
    BmpParser(std::string_view data, const std::string& name, std::uint64_t maxPixels)
        : Data_(data), Name_(name), MaxPixels_(maxPixels) {}

    void Decode(PictureSink& sink);

private:
    [[noreturn]] void Fail(const std::string& why) const { throw InvalidBitmap(Name_, why); }
    void Need(std::uint64_t end, const char* what) const {
        if (end > Data_.size()) Fail(std::string("the file ends inside the ") + what);
    }

    void ReadFileHeader();
    void ReadCoreHeader();
    void ReadInfoHeader();
    void CheckFormat();
    void ReadMasks(std::uint64_t at);
    void SetMask(Channel& channel, std::uint32_t mask, const char* name);
    void ReadPalette(std::uint64_t at, std::uint32_t entrySize);
    void CheckPixelData();
    void DecodeRow(const std::uint8_t* source, std::uint8_t* target) const;
    void DecodeIndexedRow(const std::uint8_t* source, std::uint8_t* target) const;
    void DecodeMaskedRow(const std::uint8_t* source, std::uint8_t* target) const;

    std::string_view Data_;
    const std::string& Name_;
    std::uint64_t MaxPixels_;
    Layout Layout_;
};

void BmpParser::Decode(PictureSink& sink) {
    ReadFileHeader();
    if (Layout_.headerSize == CoreHeaderSize) {
        ReadCoreHeader();
    } else {
        ReadInfoHeader();
    }
    CheckPixelData();
    if (Layout_.RunLength()) {
        const RunLengthLayout runs{Layout_.width, Layout_.height, Layout_.bits, &Layout_.palette, Layout_.dataOffset};
        const std::uint64_t length = std::min<std::uint64_t>(Layout_.imageSize, Data_.size() - Layout_.dataOffset);
        DecodeRunLength(Data_.substr(Layout_.dataOffset, length), runs, Name_, sink);
        return;
    }
    sink.Start(Layout_.width, Layout_.height);
    std::vector<std::uint8_t> row(std::size_t{Layout_.width} * PixelBuffer::BytesPerPixel);
    const auto* pixels = reinterpret_cast<const std::uint8_t*>(Data_.data()) + Layout_.dataOffset;
    for (std::uint32_t line = 0; line < Layout_.height; ++line) {
        DecodeRow(pixels + line * Layout_.stride, row.data());
        sink.PutRow(Layout_.topDown ? line : Layout_.height - 1 - line, row.data());
    }
}

// BITMAPFILEHEADER and the size field that says which info header follows.
void BmpParser::ReadFileHeader() {
    Need(FileHeaderSize + 4, "file header");
    if (Get16(Data_, 0) != BmpSignature) Fail("it does not begin with \"BM\"");
    Layout_.dataOffset = Get32(Data_, 10); // bfOffBits
    Layout_.headerSize = Get32(Data_, FileHeaderSize);
    switch (Layout_.headerSize) {
    case CoreHeaderSize:
    case InfoHeaderSize:
    case 52:  // BITMAPV2INFOHEADER: with the red, green and blue masks
    case 56:  // BITMAPV3INFOHEADER: and the alpha mask
    case 108: // BITMAPV4HEADER
    case 124: // BITMAPV5HEADER
        break;
    default:
        Fail("unknown header size " + std::to_string(Layout_.headerSize));
    }
    Need(std::uint64_t{FileHeaderSize} + Layout_.headerSize, "bitmap header");
}

// BITMAPCOREHEADER (OS/2): 16-bit sides, always bottom-up, three-byte colour table entries.
void BmpParser::ReadCoreHeader() {
    Layout_.width = Get16(Data_, 18);  // bcWidth
    Layout_.height = Get16(Data_, 20); // bcHeight
    if (Get16(Data_, 22) != 1) Fail("the number of planes is not 1");
    Layout_.bits = Get16(Data_, 24); // bcBitCount
    if (Layout_.bits != 1 && Layout_.bits != 4 && Layout_.bits != 8 && Layout_.bits != 24) {
        Fail("unsupported bit count " + std::to_string(Layout_.bits));
    }
    CheckFormat();
    Layout_.tableEnd = FileHeaderSize + CoreHeaderSize;
    if (Layout_.bits <= 8) {
        ReadPalette(Layout_.tableEnd, 3);
        Layout_.tableEnd += 3u << Layout_.bits;
    }
}

// BITMAPINFOHEADER and its longer versions.
void BmpParser::ReadInfoHeader() {
    const auto width = static_cast<std::int32_t>(Get32(Data_, 18));  // biWidth
    const auto height = static_cast<std::int32_t>(Get32(Data_, 22)); // biHeight
    if (width <= 0) Fail("the width is " + std::to_string(width));
    if (height == 0 || height == INT32_MIN) Fail("the height is " + std::to_string(height));
    Layout_.width = static_cast<std::uint32_t>(width);
    Layout_.topDown = height < 0;
    Layout_.height = Layout_.topDown ? static_cast<std::uint32_t>(-height) : static_cast<std::uint32_t>(height);
    if (Get16(Data_, 26) != 1) Fail("the number of planes is not 1");
    Layout_.bits = Get16(Data_, 28);          // biBitCount
    Layout_.compression = Get32(Data_, 30);   // biCompression
    Layout_.imageSize = Get32(Data_, 34);     // biSizeImage
    Layout_.coloursUsed = Get32(Data_, 46);   // biClrUsed
    CheckFormat();
    std::uint64_t tableAt = FileHeaderSize + Layout_.headerSize;
    if (Layout_.compression == BiBitfields) {
        if (Layout_.headerSize == InfoHeaderSize) {
            ReadMasks(tableAt);
            tableAt += 12;
        } else {
            ReadMasks(FileHeaderSize + InfoHeaderSize);
        }
    } else if (Layout_.bits == 16) {
        ReadMasks(0); // the 5-5-5 masks of an uncompressed 16-bit bitmap
    }
    if (Layout_.bits <= 8) ReadPalette(tableAt, 4);
    // As the system's loader counts the table: biClrUsed entries up to 256 (also before the
    // pixels of 16, 24 and 32 bits), or 2^bits when biClrUsed is 0.
    const std::uint64_t entries = Layout_.coloursUsed != 0 ? std::min<std::uint32_t>(Layout_.coloursUsed, 256)
                                  : Layout_.bits <= 8   ? std::uint64_t{1} << Layout_.bits
                                                        : 0;
    Layout_.tableEnd = tableAt + entries * 4;
}

void BmpParser::CheckFormat() {
    switch (Layout_.bits) {
    case 1: case 4: case 8: case 24:
        if (Layout_.compression != BiRgb && !(Layout_.bits == 8 && Layout_.compression == BiRle8) &&
            !(Layout_.bits == 4 && Layout_.compression == BiRle4)) {
            Fail("unsupported compression " + std::to_string(Layout_.compression) + " for " + std::to_string(Layout_.bits) +
                 " bits a pixel");
        }
        if (Layout_.RunLength() && Layout_.topDown) {
            Fail("it is run-length encoded with its rows from the top down (a negative height), which the system does not read");
        }
        break;
    case 16: case 32:
        if (Layout_.compression != BiRgb && Layout_.compression != BiBitfields) {
            Fail("unsupported compression " + std::to_string(Layout_.compression));
        }
        break;
    default:
        Fail("unsupported bit count " + std::to_string(Layout_.bits));
    }
    if (Layout_.width == 0 || Layout_.height == 0) Fail("it has no pixels");
    const std::uint64_t pixels = std::uint64_t{Layout_.width} * Layout_.height;
    if (pixels > MaxPixels_) {
        Fail("its " + std::to_string(Layout_.width) + " x " + std::to_string(Layout_.height) + " pixels exceed the limit of " +
             std::to_string(MaxPixels_));
    }
    Layout_.stride = (std::uint64_t{Layout_.width} * Layout_.bits + 31) / 32 * 4;
}

// The red, green and blue masks at the given offset; offset 0 means the default 5-5-5 masks.
void BmpParser::ReadMasks(std::uint64_t at) {
    if (at == 0) {
        SetMask(Layout_.channels[0], 0x7C00, "red");
        SetMask(Layout_.channels[1], 0x03E0, "green");
        SetMask(Layout_.channels[2], 0x001F, "blue");
        return;
    }
    Need(at + 12, "colour masks");
    SetMask(Layout_.channels[0], Get32(Data_, at), "red");
    SetMask(Layout_.channels[1], Get32(Data_, at + 4), "green");
    SetMask(Layout_.channels[2], Get32(Data_, at + 8), "blue");
    const std::uint32_t all = Layout_.channels[0].mask | Layout_.channels[1].mask | Layout_.channels[2].mask;
    if (Layout_.bits == 16 && all > 0xFFFF) Fail("a colour mask lies outside the 16-bit pixel");
    if ((Layout_.channels[0].mask & Layout_.channels[1].mask) != 0 || (Layout_.channels[0].mask & Layout_.channels[2].mask) != 0 ||
        (Layout_.channels[1].mask & Layout_.channels[2].mask) != 0) {
        Fail("the colour masks overlap");
    }
}

// A mask must be one unbroken run of set bits.
void BmpParser::SetMask(Channel& channel, std::uint32_t mask, const char* name) {
    if (mask == 0) Fail(std::string("the ") + name + " mask is empty");
    const int shift = std::countr_zero(mask);
    const std::uint32_t run = mask >> shift;
    if ((run & (run + 1)) != 0) Fail(std::string("the ") + name + " mask is not contiguous");
    channel.mask = mask;
    channel.shift = shift;
    channel.length = std::popcount(run);
}

// The colour table: biClrUsed entries (all 2^bits when 0; never more than 2^bits are used).
// Pixels whose index lies beyond the table are black, as the system draws them.
void BmpParser::ReadPalette(std::uint64_t at, std::uint32_t entrySize) {
    const std::uint32_t full = 1u << Layout_.bits;
    const std::uint32_t count = (Layout_.coloursUsed == 0 || Layout_.coloursUsed > full) ? full : Layout_.coloursUsed;
    Need(at + std::uint64_t{count} * entrySize, "colour table");
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t entry = at + std::uint64_t{i} * entrySize;
        Layout_.palette[i] = Colour{static_cast<std::uint8_t>(Data_[entry]), static_cast<std::uint8_t>(Data_[entry + 1]),
                               static_cast<std::uint8_t>(Data_[entry + 2])};
    }
}

// The pixels lie at bfOffBits, after the headers and masks, or (when bfOffBits is 0, as the
// system's loader takes it) right after the colour table. Uncompressed rows must all be there,
// though the last may lack its padding; run-length data is biSizeImage bytes long, or as much
// of it as the file holds.
void BmpParser::CheckPixelData() {
    const bool masksFollow = Layout_.compression == BiBitfields && Layout_.headerSize == InfoHeaderSize;
    if (Layout_.dataOffset == 0) {
        Layout_.dataOffset = Layout_.tableEnd;
    } else if (Layout_.dataOffset < FileHeaderSize + Layout_.headerSize + (masksFollow ? 12 : 0)) {
        Fail("the pixel data offset " + std::to_string(Layout_.dataOffset) + " points into the header");
    }
    if (Layout_.RunLength()) {
        if (Layout_.imageSize == 0) Fail("it is run-length encoded but gives no length for its data (biSizeImage is 0)");
        Need(Layout_.dataOffset + 1, "run-length data");
        return;
    }
    const std::uint64_t lastRow = (std::uint64_t{Layout_.width} * Layout_.bits + 7) / 8;
    Need(Layout_.dataOffset + (Layout_.height - 1) * Layout_.stride + lastRow, "pixel data");
}

void BmpParser::DecodeRow(const std::uint8_t* source, std::uint8_t* target) const {
    if (Layout_.bits <= 8) {
        DecodeIndexedRow(source, target);
    } else if (Layout_.bits == 24) {
        std::memcpy(target, source, std::size_t{Layout_.width} * 3);
    } else if (Layout_.bits == 32 && Layout_.compression == BiRgb) {
        for (std::uint32_t x = 0; x < Layout_.width; ++x, source += 4, target += 3) {
            target[0] = source[0];
            target[1] = source[1];
            target[2] = source[2];
        }
    } else {
        DecodeMaskedRow(source, target);
    }
}

// 1, 4 or 8 bits a pixel, the leftmost pixel in the highest bits of each byte.
void BmpParser::DecodeIndexedRow(const std::uint8_t* source, std::uint8_t* target) const {
    const unsigned bits = Layout_.bits;
    const unsigned perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (std::uint32_t x = 0; x < Layout_.width; ++x, target += 3) {
        const unsigned shift = 8 - bits * (x % perByte + 1);
        const Colour& c = Layout_.palette[(source[x / perByte] >> shift) & mask];
        target[0] = c.blue;
        target[1] = c.green;
        target[2] = c.red;
    }
}

// 16 or 32 bits a pixel, little-endian, split by the channel masks.
void BmpParser::DecodeMaskedRow(const std::uint8_t* source, std::uint8_t* target) const {
    const unsigned bytes = Layout_.bits / 8;
    for (std::uint32_t x = 0; x < Layout_.width; ++x, source += bytes, target += 3) {
        std::uint32_t pixel = static_cast<std::uint32_t>(source[0]) | static_cast<std::uint32_t>(source[1]) << 8;
        if (bytes == 4) pixel |= static_cast<std::uint32_t>(source[2]) << 16 | static_cast<std::uint32_t>(source[3]) << 24;
        target[0] = Layout_.channels[2].Value(pixel);
        target[1] = Layout_.channels[1].Value(pixel);
        target[2] = Layout_.channels[0].Value(pixel);
    }
}

} // namespace

EBitmapError InvalidBitmap(const std::string& name, const std::string& why) {
    return EBitmapError("Bitmap image " + name + " is not valid: " + why);
}

void DecodeBmp(std::string_view data, const std::string& name, PictureSink& sink, std::uint64_t maxPixels) {
    BmpParser(data, name, maxPixels).Decode(sink);
}

PixelBuffer DecodeBmp(std::string_view data, const std::string& name, std::uint64_t maxPixels) {
    PixelBufferSink sink;
    DecodeBmp(data, name, sink, maxPixels);
    return sink.Take();
}

} // namespace corvane::imaging
