#include "imaging/GifDecoder.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <vector>

namespace corvane::imaging {

namespace {

constexpr unsigned MaxCodeBits = 12;
constexpr std::size_t CodeTableSize = std::size_t{1} << MaxCodeBits; // 4096 entries at most

constexpr std::uint8_t ExtensionIntroducer = 0x21;
constexpr std::uint8_t ImageSeparator = 0x2C;
constexpr std::uint8_t Trailer = 0x3B;
constexpr std::uint8_t GraphicControlLabel = 0xF9;

struct Palette {
    std::array<Colour, 256> colours{}; // entries beyond the file's table stay black
    unsigned count = 0;
};

struct ImageDescriptor {
    std::uint32_t left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
};

// Expands GIF's variable-length LZW codes (least significant bit first, 12 bits at most)
// into colour indexes. Strings are unwound on a fixed-size stack; every table entry points to
// an older one, so unwinding ends within CodeTableSize steps.
class LzwDecoder {
public:
    enum class Result { Complete, DataEnded, BadCode };

    LzwDecoder(unsigned minCodeSize, std::span<const std::uint8_t> data)
        : Data_(data), MinCodeSize_(minCodeSize), ClearCode_(1u << minCodeSize), EndCode_(ClearCode_ + 1) {
        for (unsigned code = 0; code < ClearCode_; ++code) {
            Suffix_[code] = First_[code] = static_cast<std::uint8_t>(code);
        }
        Reset();
    }

    // Produces `pixels` indexes, handing them to put(const std::uint8_t*, std::size_t) in order.
    template <typename Put> Result Decode(std::uint64_t pixels, Put&& put);

private:
    void Reset() {
        CodeSize_ = MinCodeSize_ + 1;
        NextCode_ = ClearCode_ + 2;
    }
    // The next code, or -1 when the data has run out.
    int ReadCode() {
        while (BitCount_ < CodeSize_) {
            if (BytePos_ == Data_.size()) return -1;
            BitBuffer_ |= std::uint32_t{Data_[BytePos_++]} << BitCount_;
            BitCount_ += 8;
        }
        const int code = static_cast<int>(BitBuffer_ & ((1u << CodeSize_) - 1));
        BitBuffer_ >>= CodeSize_;
        BitCount_ -= CodeSize_;
        return code;
    }
    // Writes the string of code so that it ends before `end` on the stack; returns its start,
    // or 0 if the chain were longer than the stack (which a table built here cannot be).
    std::size_t Unwind(unsigned code, std::size_t end) {
        while (code >= ClearCode_) {
            if (end <= 1) return 0;
            Stack_[--end] = Suffix_[code];
            code = Prefix_[code];
        }
        Stack_[--end] = static_cast<std::uint8_t>(code);
        return end;
    }
    void AddEntry(unsigned prefix, std::uint8_t suffix) {
        if (NextCode_ == CodeTableSize) return; // a full table stays as it is until a clear code
        Prefix_[NextCode_] = static_cast<std::uint16_t>(prefix);
        Suffix_[NextCode_] = suffix;
        First_[NextCode_] = First_[prefix];
        ++NextCode_;
        if (NextCode_ == (1u << CodeSize_) && CodeSize_ < MaxCodeBits) ++CodeSize_;
    }

    std::span<const std::uint8_t> Data_;
    std::size_t BytePos_ = 0;
    std::uint32_t BitBuffer_ = 0;
    unsigned BitCount_ = 0;
    const unsigned MinCodeSize_;
    const unsigned ClearCode_;
    const unsigned EndCode_;
    unsigned CodeSize_ = 0;
    unsigned NextCode_ = 0;
    std::array<std::uint16_t, CodeTableSize> Prefix_{};
    std::array<std::uint8_t, CodeTableSize> Suffix_{};
    std::array<std::uint8_t, CodeTableSize> First_{};
    std::array<std::uint8_t, CodeTableSize + 1> Stack_{};
};

template <typename Put> LzwDecoder::Result LzwDecoder::Decode(std::uint64_t pixels, Put&& put) {
    constexpr std::size_t StackEnd = CodeTableSize + 1;
    int previous = -1;
    while (pixels > 0) {
        const int read = ReadCode();
        if (read < 0) return Result::DataEnded;
        const auto code = static_cast<unsigned>(read);
        if (code == ClearCode_) {
            Reset();
            previous = -1;
            continue;
        }
        if (code == EndCode_) return Result::DataEnded;
        std::size_t start = 0;
        if (previous < 0) {
            if (code > ClearCode_) return Result::BadCode; // the first code must be a colour
            start = Unwind(code, StackEnd);
        } else if (code < NextCode_) {
            start = Unwind(code, StackEnd);
            AddEntry(static_cast<unsigned>(previous), Stack_[start]);
        } else if (code == NextCode_) {
            // The code being defined: the previous string followed by its own first index.
            Stack_[StackEnd - 1] = First_[static_cast<unsigned>(previous)];
            start = Unwind(static_cast<unsigned>(previous), StackEnd - 1);
            AddEntry(static_cast<unsigned>(previous), Stack_[StackEnd - 1]);
        } else {
            return Result::BadCode;
        }
        if (start == 0) return Result::BadCode;
        const std::size_t length = std::min<std::uint64_t>(StackEnd - start, pixels);
        put(Stack_.data() + start, length);
        pixels -= length;
        previous = static_cast<int>(code);
    }
    return Result::Complete;
}

// Collects the image's indexes row by row and paints each finished row onto the canvas:
// clipped to the screen, interlaced rows put in their place, transparent pixels skipped.
class ImagePainter {
public:
    ImagePainter(PixelBuffer& canvas, const ImageDescriptor& image, const Palette& palette,
                 std::optional<std::uint8_t> transparent)
        : Canvas_(canvas), Image_(image), Palette_(palette), Transparent_(transparent), Row_(image.width) {}

    void Put(const std::uint8_t* indexes, std::size_t count) {
        while (count > 0) {
            const std::size_t part = std::min<std::size_t>(count, Row_.size() - Filled_);
            std::copy(indexes, indexes + part, Row_.begin() + static_cast<std::ptrdiff_t>(Filled_));
            Filled_ += part;
            indexes += part;
            count -= part;
            if (Filled_ == Row_.size()) PaintRow();
        }
    }

private:
    struct Pass {
        std::uint32_t start, step;
    };
    static constexpr std::array<Pass, 4> InterlacePasses{{{0, 8}, {4, 8}, {2, 4}, {1, 2}}};

    void PaintRow() {
        const std::uint64_t y = std::uint64_t{Image_.top} + Y_;
        if (y < Canvas_.Height() && Image_.left < Canvas_.Width()) {
            const std::uint32_t visible = std::min(Image_.width, Canvas_.Width() - Image_.left);
            std::uint8_t* target = Canvas_.Row(static_cast<std::uint32_t>(y)) + std::size_t{Image_.left} * 3;
            for (std::uint32_t x = 0; x < visible; ++x, target += 3) {
                const std::uint8_t index = Row_[x];
                if (Transparent_ && index == *Transparent_) continue;
                const Colour& c = Palette_.colours[index];
                target[0] = c.blue;
                target[1] = c.green;
                target[2] = c.red;
            }
        }
        Filled_ = 0;
        NextRow();
    }

    void NextRow() {
        if (!Image_.interlaced) {
            ++Y_;
            return;
        }
        Y_ += InterlacePasses[Pass_].step;
        while (Y_ >= Image_.height && Pass_ + 1 < InterlacePasses.size()) {
            Y_ = InterlacePasses[++Pass_].start;
        }
    }

    PixelBuffer& Canvas_;
    const ImageDescriptor& Image_;
    const Palette& Palette_;
    std::optional<std::uint8_t> Transparent_;
    std::vector<std::uint8_t> Row_;
    std::size_t Filled_ = 0;
    std::uint32_t Y_ = 0;
    std::size_t Pass_ = 0;
};

class GifReader {
public:
    GifReader(std::string_view data, const std::string& name, std::uint64_t maxPixels)
        : Data_(data), Name_(name), MaxPixels_(maxPixels) {}

    PixelBuffer Decode();

private:
    [[noreturn]] void Fail(const std::string& why) const {
        throw EGifError("Cannot decode GIF image " + Name_ + ": " + why);
    }
    std::string_view Take(std::size_t count, const char* what);
    std::uint8_t Byte(const char* what) { return static_cast<std::uint8_t>(Take(1, what)[0]); }
    std::uint16_t Word(const char* what) {
        const std::string_view b = Take(2, what);
        return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[0]) | static_cast<std::uint8_t>(b[1]) << 8);
    }
    std::string_view SubBlock(const char* what) { return Take(Byte(what), what); }
    void CheckSize(std::uint32_t width, std::uint32_t height, const char* what) const;

    void ReadHeader();
    void ReadScreenDescriptor();
    Palette ReadPalette(std::uint8_t flags, const char* what);
    void ReadExtension();
    ImageDescriptor ReadImageDescriptor();
    std::vector<std::uint8_t> ReadImageData();
    void PaintImage(PixelBuffer& canvas);

    std::string_view Data_;
    std::size_t Pos_ = 0;
    const std::string& Name_;
    std::uint64_t MaxPixels_;
    std::uint32_t ScreenWidth_ = 0, ScreenHeight_ = 0;
    std::uint8_t BackgroundIndex_ = 0;
    std::optional<Palette> Global_;
    std::optional<std::uint8_t> Transparent_;
};

std::string_view GifReader::Take(std::size_t count, const char* what) {
    if (count > Data_.size() - Pos_) Fail(std::string("the file ends inside the ") + what);
    const std::string_view part = Data_.substr(Pos_, count);
    Pos_ += count;
    return part;
}

void GifReader::CheckSize(std::uint32_t width, std::uint32_t height, const char* what) const {
    if (width == 0 || height == 0) Fail(std::string("the ") + what + " has no pixels");
    if (std::uint64_t{width} * height > MaxPixels_) {
        Fail(std::string("the ") + what + " of " + std::to_string(width) + " x " + std::to_string(height) +
             " pixels exceeds the limit of " + std::to_string(MaxPixels_));
    }
}

PixelBuffer GifReader::Decode() {
    ReadHeader();
    ReadScreenDescriptor();
    for (;;) {
        switch (Byte("block list")) {
        case ExtensionIntroducer:
            ReadExtension();
            break;
        case ImageSeparator: {
            PixelBuffer canvas(ScreenWidth_, ScreenHeight_);
            if (Global_ && BackgroundIndex_ < Global_->count) canvas.Fill(Global_->colours[BackgroundIndex_]);
            PaintImage(canvas);
            return canvas;
        }
        case Trailer:
            Fail("it contains no image");
        default:
            Fail("unknown block type at offset " + std::to_string(Pos_ - 1));
        }
    }
}

void GifReader::ReadHeader() {
    const std::string_view signature = Take(6, "header");
    if (signature != "GIF87a" && signature != "GIF89a") Fail("it is not a GIF87a or GIF89a file");
}

// Logical screen descriptor: the canvas size, the global colour table and the background.
void GifReader::ReadScreenDescriptor() {
    ScreenWidth_ = Word("screen descriptor");
    ScreenHeight_ = Word("screen descriptor");
    const std::uint8_t flags = Byte("screen descriptor");
    BackgroundIndex_ = Byte("screen descriptor");
    Byte("screen descriptor"); // pixel aspect ratio
    CheckSize(ScreenWidth_, ScreenHeight_, "logical screen");
    if (flags & 0x80) Global_ = ReadPalette(flags, "global colour table");
}

// A colour table of 2^(n+1) red-green-blue entries, n being the low three bits of flags.
Palette GifReader::ReadPalette(std::uint8_t flags, const char* what) {
    Palette palette;
    palette.count = 2u << (flags & 0x07);
    const std::string_view table = Take(std::size_t{palette.count} * 3, what);
    for (unsigned i = 0; i < palette.count; ++i) {
        palette.colours[i] = Colour{static_cast<std::uint8_t>(table[i * 3 + 2]), static_cast<std::uint8_t>(table[i * 3 + 1]),
                                    static_cast<std::uint8_t>(table[i * 3])};
    }
    return palette;
}

// An extension's sub-blocks; only a graphic control extension matters here, for the
// transparent colour of the image that follows it.
void GifReader::ReadExtension() {
    const std::uint8_t label = Byte("extension");
    std::string_view block = SubBlock("extension");
    if (label == GraphicControlLabel && block.size() >= 4) {
        Transparent_.reset();
        if (block[0] & 0x01) Transparent_ = static_cast<std::uint8_t>(block[3]);
    }
    while (!block.empty()) block = SubBlock("extension");
}

ImageDescriptor GifReader::ReadImageDescriptor() {
    ImageDescriptor image;
    image.left = Word("image descriptor");
    image.top = Word("image descriptor");
    image.width = Word("image descriptor");
    image.height = Word("image descriptor");
    CheckSize(image.width, image.height, "image");
    return image;
}

// The LZW data: sub-blocks up to the empty one, joined.
std::vector<std::uint8_t> GifReader::ReadImageData() {
    std::vector<std::uint8_t> codes;
    for (std::string_view block = SubBlock("image data"); !block.empty(); block = SubBlock("image data")) {
        codes.insert(codes.end(), block.begin(), block.end());
    }
    return codes;
}

void GifReader::PaintImage(PixelBuffer& canvas) {
    ImageDescriptor image = ReadImageDescriptor();
    const std::uint8_t flags = Byte("image descriptor");
    image.interlaced = (flags & 0x40) != 0;
    std::optional<Palette> local;
    if (flags & 0x80) local = ReadPalette(flags, "local colour table");
    const Palette* palette = local ? &*local : (Global_ ? &*Global_ : nullptr);
    if (palette == nullptr) Fail("the image has no colour table");

    const unsigned minCodeSize = Byte("image data");
    if (minCodeSize < 2 || minCodeSize > 8) Fail("invalid LZW code size " + std::to_string(minCodeSize));
    const std::vector<std::uint8_t> codes = ReadImageData();

    ImagePainter painter(canvas, image, *palette, Transparent_);
    LzwDecoder lzw(minCodeSize, codes);
    const auto result = lzw.Decode(std::uint64_t{image.width} * image.height,
                                   [&](const std::uint8_t* indexes, std::size_t count) { painter.Put(indexes, count); });
    if (result == LzwDecoder::Result::BadCode) Fail("invalid LZW code in the image data");
    if (result == LzwDecoder::Result::DataEnded) Fail("the image data ends before the image is complete");
}

} // namespace

PixelBuffer DecodeGif(std::string_view data, const std::string& name, std::uint64_t maxPixels) {
    return GifReader(data, name, maxPixels).Decode();
}

} // namespace corvane::imaging
