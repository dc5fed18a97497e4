#include "imaging/GifDecoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
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

// The bytes of a chain of data sub-blocks (each a length byte and that many bytes, the chain
// ending with an empty block), read in order where they lie in the file.
class SubBlockReader {
public:
    SubBlockReader(std::string_view data, std::size_t pos) : Data_(data), Pos_(pos) {}

    // The next byte of the chain, or -1 at its end or where the file ends inside it.
    int Next() {
        if (Left_ == 0 && !StartBlock()) return -1;
        --Left_;
        return static_cast<std::uint8_t>(Data_[Pos_++]);
    }
    // Passes over the rest of the chain; false when the file ends inside it.
    bool SkipRest() {
        do {
            Pos_ += Left_;
            Left_ = 0;
        } while (StartBlock());
        return !Truncated_;
    }
    // True once the file has been found to end inside the chain.
    bool Truncated() const { return Truncated_; }

private:
    // Reads the next block's length; false at the end of the chain or of the file.
    bool StartBlock() {
        if (Ended_) return false;
        if (Pos_ >= Data_.size()) return End(true);
        Left_ = static_cast<std::uint8_t>(Data_[Pos_++]);
        if (Left_ == 0) return End(false);
        if (Left_ > Data_.size() - Pos_) return End(true);
        return true;
    }
    bool End(bool truncated) {
        Ended_ = true;
        Truncated_ = truncated;
        Left_ = 0;
        return false;
    }

    std::string_view Data_;
    std::size_t Pos_;
    std::size_t Left_ = 0;
    bool Ended_ = false;
    bool Truncated_ = false;
};

// Expands GIF's variable-length LZW codes (least significant bit first, 12 bits at most)
// into rows of colour indexes. Each code's string is written straight into the row being
// filled, from its last index back to its first along the chain of prefixes. The table keeps
// each string's length, which is at most the table's size, so the row buffer holds one such
// string past the row's end, and unwinding takes exactly that many steps.
class LzwDecoder {
public:
    enum class Result { Complete, DataEnded, BadCode };

    LzwDecoder(unsigned minCodeSize, SubBlockReader& data, std::uint32_t rowWidth)
        : Data_(data), MinCodeSize_(minCodeSize), ClearCode_(1u << minCodeSize), EndCode_(ClearCode_ + 1),
          RowWidth_(rowWidth), Row_(std::size_t{rowWidth} + CodeTableSize) {
        for (unsigned code = 0; code < ClearCode_; ++code) {
            Suffix_[code] = static_cast<std::uint8_t>(code);
            Length_[code] = 1;
        }
        Reset();
    }

    // Produces `rows` rows of indexes, handing each to row(const std::uint8_t*) in order.
    template <typename Row> Result Decode(std::uint32_t rows, Row&& row);

private:
    void Reset() {
        CodeSize_ = MinCodeSize_ + 1;
        NextCode_ = ClearCode_ + 2;
    }
    // The next code, or -1 when the data has run out.
    int ReadCode() {
        while (BitCount_ < CodeSize_) {
            const int byte = Data_.Next();
            if (byte < 0) return -1;
            BitBuffer_ |= static_cast<std::uint32_t>(byte) << BitCount_;
            BitCount_ += 8;
        }
        const int code = static_cast<int>(BitBuffer_ & ((1u << CodeSize_) - 1));
        BitBuffer_ >>= CodeSize_;
        BitCount_ -= CodeSize_;
        return code;
    }
    // Writes the first `length` indexes of code's string at target (its whole string when
    // length is its length), last first.
    void Unwind(unsigned code, std::uint8_t* target, std::size_t length) const {
        for (std::size_t i = length; i-- > 1;) {
            target[i] = Suffix_[code];
            code = Prefix_[code];
        }
        target[0] = Suffix_[code];
    }
    void AddEntry(unsigned prefix, std::uint8_t suffix) {
        if (NextCode_ == CodeTableSize) return; // a full table stays as it is until a clear code
        Prefix_[NextCode_] = static_cast<std::uint16_t>(prefix);
        Suffix_[NextCode_] = suffix;
        Length_[NextCode_] = static_cast<std::uint16_t>(Length_[prefix] + 1);
        ++NextCode_;
        if (NextCode_ == (1u << CodeSize_) && CodeSize_ < MaxCodeBits) ++CodeSize_;
    }

    SubBlockReader& Data_;
    std::uint32_t BitBuffer_ = 0;
    unsigned BitCount_ = 0;
    const unsigned MinCodeSize_;
    const unsigned ClearCode_;
    const unsigned EndCode_;
    unsigned CodeSize_ = 0;
    unsigned NextCode_ = 0;
    std::array<std::uint16_t, CodeTableSize> Prefix_{};
    std::array<std::uint8_t, CodeTableSize> Suffix_{};
    std::array<std::uint16_t, CodeTableSize> Length_{};
    const std::uint32_t RowWidth_;
    std::vector<std::uint8_t> Row_; // the row being filled and room for one string beyond it
};

template <typename Row> LzwDecoder::Result LzwDecoder::Decode(std::uint32_t rows, Row&& row) {
    std::size_t filled = 0;
    int previous = -1;
    while (rows > 0) {
        const int read = ReadCode();
        if (read < 0) return Result::DataEnded;
        const auto code = static_cast<unsigned>(read);
        if (code == ClearCode_) {
            Reset();
            previous = -1;
            continue;
        }
        if (code == EndCode_) return Result::DataEnded;
        std::uint8_t* target = Row_.data() + filled;
        std::size_t length = 0;
        if (code < NextCode_) {
            // After a clear code the table holds only the colours, so the first code is one.
            length = Length_[code];
            Unwind(code, target, length);
            if (previous >= 0) AddEntry(static_cast<unsigned>(previous), target[0]);
        } else if (code == NextCode_ && previous >= 0) {
            // The code being defined: the previous string followed by its own first index.
            length = Length_[static_cast<unsigned>(previous)] + std::size_t{1};
            Unwind(static_cast<unsigned>(previous), target, length - 1);
            target[length - 1] = target[0];
            AddEntry(static_cast<unsigned>(previous), target[0]);
        } else {
            return Result::BadCode;
        }
        filled += length;
        previous = static_cast<int>(code);
        std::size_t done = 0;
        for (; filled - done >= RowWidth_ && rows > 0; done += RowWidth_, --rows) row(Row_.data() + done);
        if (done > 0) {
            std::memmove(Row_.data(), Row_.data() + done, filled - done);
            filled -= done;
        }
    }
    return Result::Complete;
}

// Builds the rows of the canvas and hands each to the sink: the rows the image does not reach
// at the start, the image's rows as they are decoded, clipped to the screen, interlaced rows
// put in their place and transparent pixels showing the background.
class CanvasPainter {
public:
    CanvasPainter(PictureSink& sink, std::uint32_t screenWidth, std::uint32_t screenHeight, Colour background,
                  const ImageDescriptor& image, const Palette& palette, std::optional<std::uint8_t> transparent)
        : Sink_(sink), ScreenHeight_(screenHeight), Image_(image),
          Visible_(image.left < screenWidth ? std::min(image.width, screenWidth - image.left) : 0),
          Row_(std::size_t{screenWidth} * 3) {
        for (std::size_t i = 0; i < Colours_.size(); ++i) {
            const Colour c = transparent && i == *transparent ? background : palette.colours[i];
            Colours_[i] = {c.blue, c.green, c.red, 0};
        }
        for (std::size_t x = 0; x < Row_.size(); x += 3) {
            Row_[x] = background.blue;
            Row_[x + 1] = background.green;
            Row_[x + 2] = background.red;
        }
    }

    // Starts the sink and gives it the rows that are all background.
    void Begin(std::uint32_t screenWidth) {
        Sink_.Start(screenWidth, ScreenHeight_);
        const std::uint64_t imageEnd = std::uint64_t{Image_.top} + Image_.height;
        for (std::uint32_t y = 0; y < ScreenHeight_; ++y) {
            if (y < Image_.top || y >= imageEnd) Sink_.PutRow(y, Row_.data());
        }
    }

    // Paints the next of the image's rows, given as its indexes, and hands the canvas row on.
    void PaintRow(const std::uint8_t* indexes) {
        if (Visible_ > 0) {
            // Four bytes a pixel are copied, the fourth overwritten by the next pixel; the last
            // pixel gets its three alone, so that nothing beyond the image changes.
            std::uint8_t* target = Row_.data() + std::size_t{Image_.left} * 3;
            for (std::uint32_t x = 0; x + 1 < Visible_; ++x, target += 3) std::memcpy(target, Colours_[indexes[x]].data(), 4);
            std::memcpy(target, Colours_[indexes[Visible_ - 1]].data(), 3);
        }
        const std::uint64_t y = std::uint64_t{Image_.top} + Y_;
        if (y < ScreenHeight_) Sink_.PutRow(static_cast<std::uint32_t>(y), Row_.data());
        NextRow();
    }

private:
    struct Pass {
        std::uint32_t start, step;
    };
    static constexpr std::array<Pass, 4> InterlacePasses{{{0, 8}, {4, 8}, {2, 4}, {1, 2}}};

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

    PictureSink& Sink_;
    const std::uint32_t ScreenHeight_;
    const ImageDescriptor& Image_;
    // The image's table in the row's byte order, the transparent entry turned to the background.
    std::array<std::array<std::uint8_t, 4>, 256> Colours_{};
    const std::uint32_t Visible_;      // the image's pixels in a row that lie on the screen
    std::vector<std::uint8_t> Row_;   // the canvas row being built, background around the image
    std::uint32_t Y_ = 0;
    std::size_t Pass_ = 0;
};

class GifReader {
public:
    GifReader(std::string_view data, const std::string& name, std::uint64_t maxPixels)
        : Data_(data), Name_(name), MaxPixels_(maxPixels) {}

    void Decode(PictureSink& sink);

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
    void PaintImage(PictureSink& sink);

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

void GifReader::Decode(PictureSink& sink) {
    ReadHeader();
    ReadScreenDescriptor();
    for (;;) {
        switch (Byte("block list")) {
        case ExtensionIntroducer:
            ReadExtension();
            break;
        case ImageSeparator:
            PaintImage(sink);
            return;
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

void GifReader::PaintImage(PictureSink& sink) {
    ImageDescriptor image = ReadImageDescriptor();
    const std::uint8_t flags = Byte("image descriptor");
    image.interlaced = (flags & 0x40) != 0;
    std::optional<Palette> local;
    if (flags & 0x80) local = ReadPalette(flags, "local colour table");
    const Palette* palette = local ? &*local : (Global_ ? &*Global_ : nullptr);
    if (palette == nullptr) Fail("the image has no colour table");

    const unsigned minCodeSize = Byte("image data");
    if (minCodeSize < 2 || minCodeSize > 8) Fail("invalid LZW code size " + std::to_string(minCodeSize));

    const Colour background = Global_ && BackgroundIndex_ < Global_->count ? Global_->colours[BackgroundIndex_] : Colour{};
    CanvasPainter painter(sink, ScreenWidth_, ScreenHeight_, background, image, *palette, Transparent_);
    painter.Begin(ScreenWidth_);
    SubBlockReader codes(Data_, Pos_);
    LzwDecoder lzw(minCodeSize, codes, image.width);
    const auto result = lzw.Decode(image.height, [&](const std::uint8_t* indexes) { painter.PaintRow(indexes); });
    // The whole chain of sub-blocks must be there, also past the codes that were needed.
    if (codes.Truncated() || (result == LzwDecoder::Result::Complete && !codes.SkipRest())) {
        Fail("the file ends inside the image data");
    }
    if (result == LzwDecoder::Result::BadCode) Fail("invalid LZW code in the image data");
    if (result == LzwDecoder::Result::DataEnded) Fail("the image data ends before the image is complete");
}

} // namespace

void DecodeGif(std::string_view data, const std::string& name, PictureSink& sink, std::uint64_t maxPixels) {
    GifReader(data, name, maxPixels).Decode(sink);
}

PixelBuffer DecodeGif(std::string_view data, const std::string& name, std::uint64_t maxPixels) {
    PixelBufferSink sink;
    DecodeGif(data, name, sink, maxPixels);
    return sink.Take();
}

} // namespace corvane::imaging
