#include "support/ImageSamples.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace corvane::testing {

std::string ReadSample(const std::string& name) {
    const std::string path = std::string(CORVANE_TEST_DATA) + "/images/" + name;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("missing sample " + path);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

namespace {
// The next blank-separated number of a PNM header.
unsigned PnmNumber(std::string_view data, std::size_t& pos) {
    while (pos < data.size() && (data[pos] == ' ' || data[pos] == '\n' || data[pos] == '\r' || data[pos] == '\t')) ++pos;
    unsigned value = 0;
    while (pos < data.size() && data[pos] >= '0' && data[pos] <= '9') value = value * 10 + static_cast<unsigned>(data[pos++] - '0');
    return value;
}
} // namespace

PixelBuffer ReadPnm(std::string_view data) {
    const bool colour = data.substr(0, 2) == "P6";
    if (!colour && data.substr(0, 2) != "P5") throw std::runtime_error("not a binary PGM or PPM file");
    std::size_t pos = 2;
    const unsigned width = PnmNumber(data, pos);
    const unsigned height = PnmNumber(data, pos);
    if (PnmNumber(data, pos) != 255) throw std::runtime_error("not an 8-bit PNM file");
    ++pos; // the one blank before the samples
    const std::size_t channels = colour ? 3 : 1;
    if (data.size() - pos < std::size_t{width} * height * channels) throw std::runtime_error("short PNM file");
    PixelBuffer picture(width, height);
    for (unsigned y = 0; y < height; ++y) {
        for (unsigned x = 0; x < width; ++x, pos += channels) {
            const auto sample = [&](std::size_t i) { return static_cast<std::uint8_t>(data[pos + (colour ? i : 0)]); };
            picture.SetPixel(x, y, Colour{sample(2), sample(1), sample(0)});
        }
    }
    return picture;
}

PixelBuffer MakePicture(std::uint32_t width, std::uint32_t height, const std::function<Colour(std::uint32_t, std::uint32_t)>& colourAt) {
    PixelBuffer picture(width, height);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) picture.SetPixel(x, y, colourAt(x, y));
    }
    return picture;
}

int LargestDifference(const PixelBuffer& a, const PixelBuffer& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return 256;
    int largest = 0;
    for (std::uint32_t y = 0; y < a.Height(); ++y) {
        for (std::uint32_t x = 0; x < a.Width() * 3; ++x) largest = std::max(largest, std::abs(a.Row(y)[x] - b.Row(y)[x]));
    }
    return largest;
}

// --- GIF ---------------------------------------------------------------------------------

std::string PackCodes(const std::vector<std::pair<unsigned, unsigned>>& codesAndSizes) {
    std::string out;
    std::uint32_t buffer = 0;
    unsigned count = 0;
    for (const auto& [code, size] : codesAndSizes) {
        buffer |= code << count;
        count += size;
        while (count >= 8) {
            out.push_back(static_cast<char>(buffer & 0xFF));
            buffer >>= 8;
            count -= 8;
        }
    }
    if (count > 0) out.push_back(static_cast<char>(buffer & 0xFF));
    return out;
}

// Follows the decoder's table: every literal after the first one since a clear code adds an
// entry, and the code size grows when the next free code needs another bit.
std::string LiteralCodes(const std::vector<std::uint8_t>& indexes, unsigned minCodeSize, std::size_t clearEvery) {
    const unsigned clear = 1u << minCodeSize;
    std::vector<std::pair<unsigned, unsigned>> codes{{clear, minCodeSize + 1}};
    unsigned size = minCodeSize + 1, next = clear + 2;
    std::size_t sinceClear = 0;
    for (const std::uint8_t index : indexes) {
        if (clearEvery != 0 && sinceClear == clearEvery) {
            codes.emplace_back(clear, size);
            size = minCodeSize + 1;
            next = clear + 2;
            sinceClear = 0;
        }
        codes.emplace_back(index, size);
        if (sinceClear++ > 0 && next < 4096) {
            ++next;
            if (next == (1u << size) && size < 12) ++size;
        }
    }
    codes.emplace_back(clear + 1, size);
    return PackCodes(codes);
}

std::string SubBlocks(std::string_view data) {
    std::string out;
    while (!data.empty()) {
        const std::size_t part = std::min<std::size_t>(data.size(), 255);
        out.push_back(static_cast<char>(part));
        out.append(data.substr(0, part));
        data.remove_prefix(part);
    }
    out.push_back('\0');
    return out;
}

namespace {
void PutWord(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

// The flag bits that give a table's size: 2^(n+1) entries.
std::uint8_t TableSizeBits(const std::vector<Colour>& table) {
    std::uint8_t n = 0;
    while ((2u << n) < table.size()) ++n;
    return n;
}

void PutTable(std::string& out, const std::vector<Colour>& table) {
    for (const Colour& c : table) {
        out.push_back(static_cast<char>(c.red));
        out.push_back(static_cast<char>(c.green));
        out.push_back(static_cast<char>(c.blue));
    }
}
} // namespace

std::string BuildGif(const GifLayout& gif) {
    std::string out = gif.signature;
    PutWord(out, gif.screenWidth);
    PutWord(out, gif.screenHeight);
    out.push_back(static_cast<char>(gif.globalTable.empty() ? 0 : 0x80 | TableSizeBits(gif.globalTable)));
    out.push_back(static_cast<char>(gif.background));
    out.push_back('\0'); // aspect ratio
    PutTable(out, gif.globalTable);
    out += std::string("\x21\xFE") + SubBlocks("made for a test"); // a comment to skip
    if (gif.transparent) {
        out += std::string("\x21\xF9\x04\x01\x00\x00", 6) + static_cast<char>(*gif.transparent) + '\0';
    }
    out.push_back('\x2C');
    PutWord(out, gif.left);
    PutWord(out, gif.top);
    PutWord(out, gif.width);
    PutWord(out, gif.height);
    out.push_back(static_cast<char>((gif.localTable.empty() ? 0 : 0x80 | TableSizeBits(gif.localTable)) |
                                    (gif.interlaced ? 0x40 : 0)));
    PutTable(out, gif.localTable);
    out.push_back(static_cast<char>(gif.minCodeSize));
    out += SubBlocks(gif.codes ? *gif.codes : LiteralCodes(gif.indexes, gif.minCodeSize, (1u << gif.minCodeSize) - 2));
    out.push_back('\x3B');
    return out;
}

// --- BMP ---------------------------------------------------------------------------------

void Poke16(std::string& data, std::size_t offset, std::uint16_t value) {
    data[offset] = static_cast<char>(value & 0xFF);
    data[offset + 1] = static_cast<char>(value >> 8);
}

void Poke32(std::string& data, std::size_t offset, std::uint32_t value) {
    Poke16(data, offset, static_cast<std::uint16_t>(value & 0xFFFF));
    Poke16(data, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

namespace {
std::vector<Colour> ColoursOf(const PixelBuffer& picture) {
    std::vector<Colour> colours;
    for (std::uint32_t y = 0; y < picture.Height(); ++y) {
        for (std::uint32_t x = 0; x < picture.Width(); ++x) {
            const Colour c = picture.Pixel(x, y);
            if (std::find(colours.begin(), colours.end(), c) == colours.end()) colours.push_back(c);
        }
    }
    return colours;
}

std::uint32_t MaskValue(std::uint8_t value, std::uint32_t mask) {
    const int shift = __builtin_ctz(mask);
    const std::uint64_t maximum = mask >> shift;
    return static_cast<std::uint32_t>((value * maximum + 127) / 255) << shift;
}

// One row in the file's form, padded to four bytes.
std::string EncodeRow(const PixelBuffer& picture, std::uint32_t y, const BmpForm& form, const std::vector<Colour>& table) {
    std::string row;
    std::uint32_t bitsUsed = 0, pending = 0;
    for (std::uint32_t x = 0; x < picture.Width(); ++x) {
        const Colour c = picture.Pixel(x, y);
        if (form.bits <= 8) {
            const auto index = static_cast<std::uint32_t>(std::find(table.begin(), table.end(), c) - table.begin());
            pending = pending << form.bits | index;
            bitsUsed += form.bits;
            if (bitsUsed == 8) {
                row.push_back(static_cast<char>(pending));
                pending = bitsUsed = 0;
            }
        } else if (form.bits == 24) {
            row += std::string{static_cast<char>(c.blue), static_cast<char>(c.green), static_cast<char>(c.red)};
        } else {
            const std::array<std::uint32_t, 3> masks =
                form.compression == 3 ? form.masks
                : form.bits == 16     ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                      : std::array<std::uint32_t, 3>{0xFF0000, 0xFF00, 0xFF};
            const std::uint32_t value = MaskValue(c.red, masks[0]) | MaskValue(c.green, masks[1]) | MaskValue(c.blue, masks[2]);
            for (unsigned i = 0; i < form.bits / 8u; ++i) row.push_back(static_cast<char>(value >> (8 * i)));
        }
    }
    if (bitsUsed > 0) row.push_back(static_cast<char>(pending << (8 - bitsUsed)));
    while (row.size() % 4 != 0) row.push_back('\0');
    return row;
}
} // namespace

std::string BuildBmp(const PixelBuffer& picture, const BmpForm& form) {
    const std::vector<Colour> table = form.bits <= 8 ? ColoursOf(picture) : std::vector<Colour>{};
    const bool core = form.headerSize == 12;
    const bool masksAfter = form.compression == 3 && form.headerSize == 40;
    std::string header(form.headerSize, '\0');
    Poke32(header, 0, form.headerSize);
    if (core) {
        Poke16(header, 4, static_cast<std::uint16_t>(picture.Width()));
        Poke16(header, 6, static_cast<std::uint16_t>(picture.Height()));
        Poke16(header, 8, 1);
        Poke16(header, 10, form.bits);
    } else {
        Poke32(header, 4, picture.Width());
        Poke32(header, 8, form.topDown ? static_cast<std::uint32_t>(-static_cast<std::int32_t>(picture.Height())) : picture.Height());
        Poke16(header, 12, 1);
        Poke16(header, 14, form.bits);
        Poke32(header, 16, form.compression);
        Poke32(header, 32, static_cast<std::uint32_t>(table.size()));
        if (form.compression == 3 && form.headerSize >= 52) {
            for (int i = 0; i < 3; ++i) Poke32(header, 40 + 4 * i, form.masks[i]);
        }
    }
    if (masksAfter) {
        for (const std::uint32_t mask : form.masks) {
            header.append(4, '\0');
            Poke32(header, header.size() - 4, mask);
        }
    }
    for (const Colour& c : table) {
        header += std::string{static_cast<char>(c.blue), static_cast<char>(c.green), static_cast<char>(c.red)};
        if (!core) header.push_back('\0');
    }
    if (core && form.bits <= 8) header.append(((1u << form.bits) - table.size()) * 3, '\0'); // always a full table
    std::string pixels;
    for (std::uint32_t i = 0; i < picture.Height(); ++i) {
        pixels += EncodeRow(picture, form.topDown ? i : picture.Height() - 1 - i, form, table);
    }
    std::string file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    Poke32(file, 2, static_cast<std::uint32_t>(14 + header.size() + pixels.size()));
    Poke32(file, 10, static_cast<std::uint32_t>(14 + header.size()));
    return file + header + pixels;
}

} // namespace corvane::testing
