// Run-length encoded bitmaps made by hand, each instruction and each kind of damage, with the
// picture the system's bitmap loader reads from each valid one (LoadImage with
// LR_CREATEDIBSECTION, then GetDIBits; checked under Wine). The native unit tests run the
// table against the BMP reader, the Windows test driver against the loader and the reader side
// by side. Damaged files, which the loader reads leniently, are the reader's errors.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace corvane::rle_table {

// Entry i of every case's colour table is written as the letter 'a' + i in the pictures; '.'
// is black, the colour of an index beyond the table.
struct Rgb {
    std::uint8_t red, green, blue;
};
inline Rgb Entry(unsigned i) {
    return {static_cast<std::uint8_t>(15 * i + 5), static_cast<std::uint8_t>(200 - 11 * i), static_cast<std::uint8_t>(40 + 12 * i)};
}
inline char Letter(Rgb c) {
    for (unsigned i = 0; i < 16; ++i) {
        if (Entry(i).red == c.red && Entry(i).green == c.green && Entry(i).blue == c.blue) return static_cast<char>('a' + i);
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
inline std::string Move(int right, int up) { return Bytes({0, 2, right, up}); }
const std::string EndOfLine = Bytes({0, 0}), EndOfBitmap = Bytes({0, 1});
// An absolute run of indexes of 8 or 4 bits (two a byte, the first high), padded to an even
// number of bytes.
inline std::string Absolute(int bits, std::initializer_list<int> indexes) {
    std::string out = Bytes({0, static_cast<int>(indexes.size())});
    int i = 0;
    for (const int index : indexes) {
        if (bits == 8 || i++ % 2 == 0) out.push_back(static_cast<char>(bits == 8 ? index : index << 4));
        else out.back() = static_cast<char>(out.back() | index);
    }
    if (out.size() % 2 != 0) out.push_back('\0');
    return out;
}

struct RleCase {
    std::string name{};
    std::uint16_t bits = 8; // 8: RLE8, 4: RLE4
    std::int32_t width = 6;
    std::int32_t height = 3; // negative: rows from the top down
    std::string runs{};
    std::vector<std::string> picture{}; // rows from the top; none for a damaged file
    std::string error{};                // for a damaged file: the end of the reader's message
    std::uint32_t colours = 16;       // biClrUsed
    std::int64_t sizeImage = -1;      // biSizeImage; -1: the length of runs
    std::uint32_t headerSize = 40;    // 40, 108 or 124
    bool offsetZero = false;          // bfOffBits 0: the data follows the table
    std::uint32_t compression = 0;    // 0: the one that goes with the bits
};

// The whole file of a case.
inline std::string File(const RleCase& c) {
    std::string out = "BM";
    const auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
    };
    const std::uint32_t offset = 14 + c.headerSize + c.colours * 4;
    put(offset + static_cast<std::uint32_t>(c.runs.size()), 4); // bfSize
    put(0, 4);                                                  // bfReserved1, bfReserved2
    put(c.offsetZero ? 0 : offset, 4);                          // bfOffBits
    put(c.headerSize, 4);                                       // biSize
    put(static_cast<std::uint32_t>(c.width), 4);                // biWidth
    put(static_cast<std::uint32_t>(c.height), 4);               // biHeight
    put(1, 2);                                                  // biPlanes
    put(c.bits, 2);                                             // biBitCount
    put(c.compression != 0 ? c.compression : c.bits == 8 ? 1 : 2, 4); // biCompression
    put(static_cast<std::uint32_t>(c.sizeImage < 0 ? static_cast<std::int64_t>(c.runs.size()) : c.sizeImage), 4); // biSizeImage
    put(0, 4);                                                  // biXPelsPerMeter
    put(0, 4);                                                  // biYPelsPerMeter
    put(c.colours, 4);                                          // biClrUsed
    put(0, 4);                                                  // biClrImportant
    out.append(c.headerSize - 40, '\0');                        // masks and colour space: unused
    for (unsigned i = 0; i < c.colours; ++i) out += Bytes({Entry(i).blue, Entry(i).green, Entry(i).red, 0});
    return out + c.runs;
}

inline std::vector<RleCase> Cases() {
    const std::string &eol = EndOfLine, &eob = EndOfBitmap;
    const std::string runs8 = Run(6, 1) + eol + Run(2, 2) + Run(4, 3) + eol + Run(6, 4) + eob;
    const std::vector<std::string> picture8 = {"eeeeee", "ccdddd", "bbbbbb"};
    const std::string cutOff = " is cut off by the end of the run-length data";
    return {
        // What the system reads: a skipped pixel takes the table's first entry ('a').
        {.name = "rle8 runs and line ends", .runs = runs8, .picture = picture8},
        {.name = "rle8 early line end and end of bitmap", .height = 4, .runs = Run(2, 1) + eol + eol + Run(3, 2) + eob,
         .picture = {"aaaaaa", "cccaaa", "aaaaaa", "bbaaaa"}},
        {.name = "rle8 moves", .height = 4, .runs = Run(1, 1) + Move(2, 1) + Run(1, 2) + eol + Run(6, 3) + eol + Run(2, 5) + eob,
         .picture = {"ffaaaa", "dddddd", "aaacaa", "baaaaa"}},
        {.name = "rle8 absolute runs, odd ones padded",
         .runs = Absolute(8, {1, 2, 3}) + Run(3, 5) + eol + Absolute(8, {4, 5, 6, 7}) + eol + Absolute(8, {9, 9, 9, 9, 9, 9}) + eob,
         .picture = {"jjjjjj", "efghaa", "bcdfff"}},
        {.name = "rle8 runs into the line's padding, as ImageMagick writes them", .height = 2,
         .runs = Run(4, 1) + Run(4, 2) + eol + Absolute(8, {3, 4, 5, 6, 7, 8, 9, 10}) + eob, .picture = {"defghi", "bbbbcc"}},
        {.name = "rle8 a move into the padding, one past the last line", .width = 5,
         .runs = Run(2, 1) + Move(6, 0) + eol + Run(5, 2) + Move(0, 2) + eob, .picture = {"aaaaa", "ccccc", "bbaaa"}},
        {.name = "rle8 ends with its last line, without the end mark", .height = 2, .runs = Run(6, 1) + eol + Run(6, 2) + eol,
         .picture = {"cccccc", "bbbbbb"}},
        {.name = "rle8 a short table: indexes beyond it are black", .height = 2,
         .runs = Absolute(8, {0, 1, 2}) + Run(3, 7) + eol + Move(4, 0) + Run(2, 1) + eob, .picture = {"aaaabb", "ab...."}, .colours = 2},
        {.name = "rle8 version 5 header, bfOffBits 0, biSizeImage past the end, bytes after the end mark", .runs = runs8 + Run(9, 9),
         .picture = picture8, .sizeImage = 4096, .headerSize = 124, .offsetZero = true},
        {.name = "rle4 runs of alternating indexes", .bits = 4, .runs = Run(6, 0x12) + eol + Run(5, 0x34) + eol + Run(3, 0x67) + eob,
         .picture = {"ghgaaa", "dededa", "bcbcbc"}},
        {.name = "rle4 absolute runs, odd ones padded", .bits = 4,
         .runs = Absolute(4, {1, 2, 3}) + Run(3, 0x45) + eol + Absolute(4, {4, 5, 6, 7, 8}) + eol + Absolute(4, {9, 10, 11, 12, 13, 14}) + eob,
         .picture = {"jklmno", "efghia", "bcdefe"}},
        {.name = "rle4 version 4 header, moves, a run into the padding", .bits = 4,
         .runs = Run(1, 0x11) + Move(2, 1) + Run(3, 0x23) + eol + Run(8, 0x45) + eob, .picture = {"efefef", "aaacdc", "baaaaa"},
         .headerSize = 108},
        // Damage: each the reader's error.
        {.name = "rle8 a run past the padding", .runs = Run(9, 1) + eob, .error = "a run at offset 118 passes the end of its line"},
        {.name = "rle4 a run past the padding", .bits = 4, .runs = Run(6, 0x12) + eol + Run(9, 0x12) + eob,
         .error = "a run at offset 122 passes the end of its line"},
        {.name = "rle8 a move past the padding", .runs = Run(2, 1) + Move(7, 0) + eob, .error = "a move at offset 120 passes the end of its line"},
        {.name = "rle8 a move past the last line", .runs = Run(2, 1) + Move(0, 4) + eob, .error = "a move at offset 120 passes the last line"},
        {.name = "rle8 a run beyond the last line", .height = 1, .runs = Run(6, 1) + eol + Run(1, 1) + eob,
         .error = "a run at offset 122 lies beyond the last line"},
        {.name = "rle8 a line end beyond the last line", .height = 1, .runs = eol + eol + eob,
         .error = "an end of line at offset 120 lies beyond the last line"},
        {.name = "rle8 an escape cut off", .runs = Run(6, 1) + Bytes({0}), .error = "a run-length instruction at offset 120" + cutOff},
        {.name = "rle4 an absolute run cut off", .bits = 4, .runs = Bytes({0, 5, 0x12, 0x34}), .error = "an absolute run at offset 118" + cutOff},
        {.name = "rle8 a biSizeImage shorter than the runs", .runs = runs8,
         .error = "the end of the run-length data at offset 122 comes before the end of the bitmap", .sizeImage = 4},
        {.name = "rle8 biSizeImage 0", .runs = runs8, .error = "it is run-length encoded but gives no length for its data (biSizeImage is 0)",
         .sizeImage = 0},
        {.name = "rle8 top-down", .height = -3, .runs = runs8,
         .error = "it is run-length encoded with its rows from the top down (a negative height), which the system does not read"},
        {.name = "compression 1 at 4 bits", .bits = 4, .runs = runs8, .error = "unsupported compression 1 for 4 bits a pixel", .compression = 1},
    };
}

} // namespace corvane::rle_table
