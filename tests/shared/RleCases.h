// Run-length encoded bitmaps made by hand, one or more of each instruction and of each kind of
// damage, with the picture the system's bitmap loader reads from each valid one (LoadImage
// with LR_CREATEDIBSECTION, then GetDIBits; checked under Wine). The native unit tests run the
// table against the BMP reader, the Windows test driver against the system's loader and the
// reader side by side. Damaged files, which the loader reads leniently, are the reader's
// errors; each names the file and, from the message, the fault.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvane::rle_table {

// The colour table of every case: entry i is written as the letter 'a' + i in the pictures;
// '.' is black, the colour of an index beyond the table.
struct Rgb {
    std::uint8_t red, green, blue;
};
inline Rgb Entry(unsigned i) {
    return {static_cast<std::uint8_t>(15 * i + 5), static_cast<std::uint8_t>(200 - 11 * i), static_cast<std::uint8_t>(40 + 12 * i)};
}
// The letter of a colour: its table entry, '.' for black, '?' for anything else.
inline char Letter(Rgb c, unsigned entries = 16) {
    for (unsigned i = 0; i < entries; ++i) {
        const Rgb e = Entry(i);
        if (e.red == c.red && e.green == c.green && e.blue == c.blue) return static_cast<char>('a' + i);
    }
    return c.red == 0 && c.green == 0 && c.blue == 0 ? '.' : '?';
}

// The instructions, byte by byte.
inline std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (const int v : values) out.push_back(static_cast<char>(v));
    return out;
}
inline std::string Run(int count, int value) { return Bytes({count, value}); }
inline std::string EndOfLine() { return Bytes({0, 0}); }
inline std::string EndOfBitmap() { return Bytes({0, 1}); }
inline std::string Move(int right, int up) { return Bytes({0, 2, right, up}); }
// An absolute run of 8-bit indexes, padded to an even length.
inline std::string Absolute8(std::initializer_list<int> indexes) {
    std::string out = Bytes({0, static_cast<int>(indexes.size())});
    for (const int i : indexes) out.push_back(static_cast<char>(i));
    if (indexes.size() % 2 != 0) out.push_back('\0');
    return out;
}
// An absolute run of 4-bit indexes, two a byte, padded to an even number of bytes.
inline std::string Absolute4(std::initializer_list<int> indexes) {
    std::string out = Bytes({0, static_cast<int>(indexes.size())});
    int high = -1;
    for (const int i : indexes) {
        if (high < 0) {
            high = i;
        } else {
            out.push_back(static_cast<char>(high << 4 | i));
            high = -1;
        }
    }
    if (high >= 0) out.push_back(static_cast<char>(high << 4));
    if (out.size() % 2 != 0) out.push_back('\0');
    return out;
}

struct RleCase {
    std::string name;
    std::uint16_t bits = 8; // 8: RLE8, 4: RLE4
    std::int32_t width = 6;
    std::int32_t height = 3; // negative: rows from the top down
    std::string runs;
    std::vector<std::string> picture; // rows from the top; empty for a damaged file
    std::string error;                // for a damaged file: the end of the reader's message
    std::uint32_t colours = 16;       // biClrUsed
    std::optional<std::uint32_t> sizeImage; // biSizeImage; the length of runs when not given
    std::uint32_t headerSize = 40;          // 40, 108 or 124
    bool offsetZero = false;                // bfOffBits 0: the data follows the table
    std::uint32_t compression = 0;          // 0: the one that goes with the bits
};

inline void Put16(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8 & 0xFF));
}
inline void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// The whole file of a case.
inline std::string File(const RleCase& c) {
    const std::uint32_t offset = 14 + c.headerSize + c.colours * 4;
    std::string out = "BM";
    Put32(out, offset + static_cast<std::uint32_t>(c.runs.size())); // bfSize
    Put32(out, 0);                                                   // bfReserved1, bfReserved2
    Put32(out, c.offsetZero ? 0 : offset);                           // bfOffBits
    Put32(out, c.headerSize);                                        // biSize
    Put32(out, static_cast<std::uint32_t>(c.width));                 // biWidth
    Put32(out, static_cast<std::uint32_t>(c.height));                // biHeight
    Put16(out, 1);                                                   // biPlanes
    Put16(out, c.bits);                                              // biBitCount
    Put32(out, c.compression != 0 ? c.compression : c.bits == 8 ? 1 : 2); // biCompression
    Put32(out, c.sizeImage.value_or(static_cast<std::uint32_t>(c.runs.size()))); // biSizeImage
    Put32(out, 2835);                                                // biXPelsPerMeter
    Put32(out, 2835);                                                // biYPelsPerMeter
    Put32(out, c.colours);                                           // biClrUsed
    Put32(out, 0);                                                   // biClrImportant
    out.append(c.headerSize - 40, '\0');                             // masks, colour space: unused
    for (unsigned i = 0; i < c.colours; ++i) {
        const Rgb e = Entry(i);
        out += Bytes({e.blue, e.green, e.red, 0});
    }
    return out + c.runs;
}

// A file the system reads, and the picture it reads from it.
inline RleCase Read(std::string name, std::uint16_t bits, std::int32_t width, std::int32_t height, std::string runs,
                    std::vector<std::string> picture) {
    RleCase c;
    c.name = std::move(name);
    c.bits = bits;
    c.width = width;
    c.height = height;
    c.runs = std::move(runs);
    c.picture = std::move(picture);
    return c;
}
// A damaged file, and the end of the reader's message about it.
inline RleCase Damaged(std::string name, std::uint16_t bits, std::int32_t width, std::int32_t height, std::string runs,
                       std::string error) {
    RleCase c = Read(std::move(name), bits, width, height, std::move(runs), {});
    c.error = std::move(error);
    return c;
}
// A case with some of its header fields changed.
template <typename Change> RleCase With(RleCase c, Change change) {
    change(c);
    return c;
}

inline std::vector<RleCase> Cases() {
    const std::string eol = EndOfLine(), eob = EndOfBitmap();
    const std::string runs8 = Run(6, 1) + eol + Run(2, 2) + Run(4, 3) + eol + Run(6, 4) + eob;
    const std::vector<std::string> picture8 = {"eeeeee", "ccdddd", "bbbbbb"};
    const std::string runs4 = Run(6, 0x12) + eol + Run(5, 0x34) + eol + Run(3, 0x67) + eob;
    const std::vector<std::string> picture4 = {"ghgaaa", "dededa", "bcbcbc"};
    const std::string topDown = "it is run-length encoded with its rows from the top down (a negative height), which the system does not read";
    const std::string cutOff = " is cut off by the end of the run-length data";
    return {
        // What the system reads.
        Read("rle8 runs and line ends", 8, 6, 3, runs8, picture8),
        Read("rle8 early line end and early end of bitmap", 8, 6, 4, Run(2, 1) + eol + eol + Run(3, 2) + eob,
             {"aaaaaa", "cccaaa", "aaaaaa", "bbaaaa"}),
        Read("rle8 moves", 8, 6, 4, Run(1, 1) + Move(2, 1) + Run(1, 2) + eol + Run(6, 3) + eol + Run(2, 5) + eob,
             {"ffaaaa", "dddddd", "aaacaa", "baaaaa"}),
        Read("rle8 absolute runs, odd ones padded", 8, 6, 3,
             Absolute8({1, 2, 3}) + Run(3, 5) + eol + Absolute8({4, 5, 6, 7}) + eol + Absolute8({9, 9, 9, 9, 9, 9}) + eob,
             {"jjjjjj", "efghaa", "bcdfff"}),
        Read("rle8 runs into the line's padding (ImageMagick's way)", 8, 6, 2,
             Run(4, 1) + Run(4, 2) + eol + Absolute8({3, 4, 5, 6, 7, 8, 9, 10}) + eob, {"defghi", "bbbbcc"}),
        Read("rle8 a move into the padding", 8, 5, 2, Run(2, 1) + Move(6, 0) + eol + Run(5, 2) + eob, {"ccccc", "bbaaa"}),
        Read("rle8 ends with its last line, without the end mark", 8, 6, 2, Run(6, 1) + eol + Run(6, 2) + eol,
             {"cccccc", "bbbbbb"}),
        Read("rle8 a move to the end of the picture", 8, 6, 2, Run(6, 1) + Move(0, 2) + eob, {"aaaaaa", "bbbbbb"}),
        With(Read("rle8 a short table: skipped pixels take its first entry, indexes beyond it are black", 8, 6, 2,
                  Absolute8({0, 1, 2}) + Run(3, 7) + eol + Move(4, 0) + Run(2, 1) + eob, {"aaaabb", "ab...."}),
             [](RleCase& c) { c.colours = 2; }),
        With(Read("rle8 with bfOffBits 0", 8, 6, 3, runs8, picture8), [](RleCase& c) { c.offsetZero = true; }),
        With(Read("rle8 in a version 5 header", 8, 6, 3, runs8, picture8), [](RleCase& c) { c.headerSize = 124; }),
        With(Read("rle8 a biSizeImage longer than the file", 8, 6, 3, runs8, picture8), [](RleCase& c) { c.sizeImage = 4096; }),
        Read("rle8 anything after the end mark is ignored", 8, 6, 3, runs8 + Run(9, 9) + "\xFF", picture8),
        Read("rle4 runs of alternating indexes", 4, 6, 3, runs4, picture4),
        Read("rle4 absolute runs, odd ones padded", 4, 6, 3,
             Absolute4({1, 2, 3}) + Run(3, 0x45) + eol + Absolute4({4, 5, 6, 7, 8}) + eol + Absolute4({9, 10, 11, 12, 13, 14}) + eob,
             {"jklmno", "efghia", "bcdefe"}),
        Read("rle4 moves and a run into the padding", 4, 6, 3, Run(1, 0x11) + Move(2, 1) + Run(3, 0x23) + eol + Run(8, 0x45) + eob,
             {"efefef", "aaacdc", "baaaaa"}),
        With(Read("rle4 in a version 4 header", 4, 6, 3, runs4, picture4), [](RleCase& c) { c.headerSize = 108; }),
        // Damage: each one the reader's error.
        Damaged("rle8 a run past the padding", 8, 6, 3, Run(9, 1) + eol + eob, "a run at offset 118 passes the end of its line"),
        Damaged("rle8 an absolute run past the padding", 8, 6, 3, Absolute8({1, 2, 3, 4, 5, 6, 7, 8, 9}) + eob,
                "an absolute run at offset 118 passes the end of its line"),
        Damaged("rle4 a run past the padding", 4, 6, 3, Run(6, 0x12) + eol + Run(9, 0x12) + eob,
                "a run at offset 122 passes the end of its line"),
        Damaged("rle8 a move past the padding", 8, 6, 3, Run(2, 1) + Move(7, 0) + eob, "a move at offset 120 passes the end of its line"),
        Damaged("rle8 a move past the last line", 8, 6, 3, Run(2, 1) + Move(0, 4) + eob, "a move at offset 120 passes the last line"),
        Damaged("rle8 a run beyond the last line", 8, 6, 1, Run(6, 1) + eol + Run(1, 1) + eob,
                "a run at offset 122 lies beyond the last line"),
        Damaged("rle8 a line end beyond the last line", 8, 6, 1, eol + eol + eob, "an end of line at offset 120 lies beyond the last line"),
        Damaged("rle8 an escape cut off", 8, 6, 3, Run(6, 1) + Bytes({0}), "a run-length instruction at offset 120" + cutOff),
        Damaged("rle8 a move cut off", 8, 6, 3, Run(6, 1) + Bytes({0, 2, 1}), "a move at offset 120" + cutOff),
        Damaged("rle8 an absolute run cut off", 8, 6, 3, Run(6, 1) + eol + Bytes({0, 5, 1, 2}), "an absolute run at offset 122" + cutOff),
        Damaged("rle8 an absolute run without its padding byte", 8, 6, 3, Bytes({0, 3, 1, 2, 3}), "an absolute run at offset 118" + cutOff),
        Damaged("rle4 an absolute run cut off", 4, 6, 3, Bytes({0, 5, 0x12, 0x34}), "an absolute run at offset 118" + cutOff),
        Damaged("rle8 ends inside the picture", 8, 6, 3, Run(6, 1) + eol + Run(3, 2),
                "the end of the run-length data at offset 124 comes before the end of the bitmap"),
        With(Damaged("rle8 a biSizeImage shorter than the runs", 8, 6, 3, runs8,
                     "the end of the run-length data at offset 122 comes before the end of the bitmap"),
             [](RleCase& c) { c.sizeImage = 4; }),
        With(Damaged("rle8 biSizeImage 0", 8, 6, 3, runs8, "it is run-length encoded but gives no length for its data (biSizeImage is 0)"),
             [](RleCase& c) { c.sizeImage = 0; }),
        With(Damaged("rle8 no data", 8, 6, 3, "", "the file ends inside the run-length data"), [](RleCase& c) { c.sizeImage = 2; }),
        Damaged("rle8 top-down", 8, 6, -3, runs8, topDown),
        Damaged("rle4 top-down", 4, 6, -3, runs4, topDown),
        With(Damaged("compression 1 at 4 bits", 4, 6, 3, runs8, "unsupported compression 1 for 4 bits a pixel"),
             [](RleCase& c) { c.compression = 1; }),
        With(Damaged("compression 2 at 8 bits", 8, 6, 3, runs4, "unsupported compression 2 for 8 bits a pixel"),
             [](RleCase& c) { c.compression = 2; }),
    };
}

} // namespace corvane::rle_table
