#include "imaging/BmpRunLength.h"

#include <algorithm>
#include <vector>

#include "imaging/BmpFile.h"

namespace corvane::imaging {

namespace {

// Follows the instructions with a cursor: X_ pixels into line Line_, lines counted from the
// bottom; Line_ equals the height once the cursor has passed the last line. The line being
// drawn is held in Row_ and handed to the sink when the cursor leaves it.
//
// A line may be drawn up to the end of its padding, the whole 32-bit words that an
// uncompressed line would take: encoders such as ImageMagick compress the padded line, so
// its last run passes the picture's edge. Those pixels are dropped, as the system drops them.
class RunLengthDecoder {
public:
    RunLengthDecoder(std::string_view data, const RunLengthLayout& layout, const std::string& name, PictureSink& sink)
        : Data_(data), Layout_(layout), Name_(name), Sink_(sink),
          PaddedWidth_(static_cast<std::uint32_t>((std::uint64_t{layout.width} * layout.bits + 31) / 32 * 32 / layout.bits)),
          Blank_(std::size_t{layout.width} * 3) {
        const Colour first = (*layout.palette)[0];
        for (std::size_t x = 0; x < Blank_.size(); x += 3) {
            Blank_[x] = first.blue;
            Blank_[x + 1] = first.green;
            Blank_[x + 2] = first.red;
        }
        Row_ = Blank_;
    }

    void Decode();

private:
    [[noreturn]] void Fail(const std::string& what, const std::string& why) const {
        throw InvalidBitmap(Name_, what + " at offset " + std::to_string(Layout_.offset + Instruction_) + " " + why);
    }
    // The next byte of an instruction that begins at Instruction_.
    std::uint8_t Byte(const char* what) {
        if (Pos_ == Data_.size()) Fail(what, "is cut off by the end of the run-length data");
        return static_cast<std::uint8_t>(Data_[Pos_++]);
    }
    // Checks that `count` pixels fit on the cursor's line, its padding included.
    void CheckRoom(const char* what, std::uint32_t count) const {
        if (Line_ == Layout_.height) Fail(what, "lies beyond the last line");
        if (count > PaddedWidth_ - X_) Fail(what, "passes the end of its line");
    }
    // Paints the pixel at the cursor and moves on; a pixel in the padding is dropped.
    void Paint(std::uint8_t index) {
        if (X_ < Layout_.width) {
            const Colour& c = (*Layout_.palette)[index];
            std::uint8_t* target = Row_.data() + std::size_t{X_} * 3;
            target[0] = c.blue;
            target[1] = c.green;
            target[2] = c.red;
        }
        ++X_;
    }

    void DrawRun(std::uint32_t count, std::uint8_t value);
    void DrawAbsolute(std::uint32_t count);
    void Move(std::uint32_t right, std::uint32_t up);
    void NextLine();
    void Finish();

    std::string_view Data_;
    const RunLengthLayout& Layout_;
    const std::string& Name_;
    PictureSink& Sink_;
    const std::uint32_t PaddedWidth_; // the pixels a line holds with its padding
    std::size_t Pos_ = 0;
    std::size_t Instruction_ = 0; // where the instruction being read begins in the data
    std::uint32_t X_ = 0;
    std::uint32_t Line_ = 0;
    std::vector<std::uint8_t> Blank_; // a line in the first table entry's colour
    std::vector<std::uint8_t> Row_;
};

void RunLengthDecoder::Decode() {
    for (;;) {
        Instruction_ = Pos_;
        if (Pos_ == Data_.size()) {
            if (Line_ == Layout_.height) return; // every line ended: complete without the end mark
            Fail("the end of the run-length data", "comes before the end of the bitmap");
        }
        const std::uint8_t count = Byte("a run-length instruction");
        const std::uint8_t value = Byte("a run-length instruction");
        if (count > 0) {
            DrawRun(count, value);
            continue;
        }
        switch (value) {
        case 0:
            if (Line_ == Layout_.height) Fail("an end of line", "lies beyond the last line");
            NextLine();
            break;
        case 1:
            Finish();
            return;
        case 2: {
            const std::uint8_t right = Byte("a move");
            Move(right, Byte("a move"));
            break;
        }
        default:
            DrawAbsolute(value);
        }
    }
}

// n pixels of one index (RLE8), or of two alternating ones (RLE4).
void RunLengthDecoder::DrawRun(std::uint32_t count, std::uint8_t value) {
    CheckRoom("a run", count);
    if (Layout_.bits == 8) {
        for (std::uint32_t i = 0; i < count; ++i) Paint(value);
    } else {
        const std::uint8_t pair[2] = {static_cast<std::uint8_t>(value >> 4), static_cast<std::uint8_t>(value & 0x0F)};
        for (std::uint32_t i = 0; i < count; ++i) Paint(pair[i % 2]);
    }
}

void RunLengthDecoder::DrawAbsolute(std::uint32_t count) {
    CheckRoom("an absolute run", count);
    const std::size_t bytes = Layout_.bits == 8 ? count : (count + 1) / 2;
    const std::size_t padded = bytes + bytes % 2;
    if (padded > Data_.size() - Pos_) Fail("an absolute run", "is cut off by the end of the run-length data");
    const auto* indexes = reinterpret_cast<const std::uint8_t*>(Data_.data()) + Pos_;
    for (std::uint32_t i = 0; i < count; ++i) {
        Paint(Layout_.bits == 8 ? indexes[i] : static_cast<std::uint8_t>(i % 2 == 0 ? indexes[i / 2] >> 4 : indexes[i / 2] & 0x0F));
    }
    Pos_ += padded;
}

// The lines moved over keep the first entry's colour, as does the line the cursor left from
// its old place on.
void RunLengthDecoder::Move(std::uint32_t right, std::uint32_t up) {
    if (right > PaddedWidth_ - X_) Fail("a move", "passes the end of its line");
    if (up > Layout_.height - Line_) Fail("a move", "passes the last line");
    const std::uint32_t x = X_ + right;
    for (std::uint32_t i = 0; i < up; ++i) NextLine();
    X_ = x;
}

void RunLengthDecoder::NextLine() {
    Sink_.PutRow(Layout_.height - 1 - Line_, Row_.data());
    std::copy(Blank_.begin(), Blank_.end(), Row_.begin());
    X_ = 0;
    ++Line_;
}

// The end of the bitmap: the lines not yet handed on, the cursor's own first.
void RunLengthDecoder::Finish() {
    while (Line_ < Layout_.height) NextLine();
}

} // namespace

void DecodeRunLength(std::string_view data, const RunLengthLayout& layout, const std::string& name, PictureSink& sink) {
    sink.Start(layout.width, layout.height);
    RunLengthDecoder(data, layout, name, sink).Decode();
}

} // namespace corvane::imaging
