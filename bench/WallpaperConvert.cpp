// Converts a JPEG or GIF file to a BMP file with the launcher's decoders and bitmap writer, as
// the wallpaper conversion does (each row written into the file as it is decoded), for timing
// against other converters.
//
//   wallpaper_convert jpeg|gif INPUT OUTPUT.bmp
#include <cstdio>
#include <iostream>
#include <limits>
#include <memory>
#include <string>

#include "imaging/BmpFile.h"
#include "imaging/GifDecoder.h"
#include "imaging/JpegDecoder.h"

namespace {

// The whole file in one block, read into it directly as the launcher's file reading does
// (without first clearing the memory); empty when it cannot be read.
std::unique_ptr<char[]> ReadWhole(const char* path, std::size_t& size) {
    std::unique_ptr<char[]> content;
    std::FILE* in = std::fopen(path, "rb");
    if (in == nullptr) return content;
    const long end = std::fseek(in, 0, SEEK_END) == 0 ? std::ftell(in) : -1;
    if (end >= 0 && std::fseek(in, 0, SEEK_SET) == 0) {
        size = static_cast<std::size_t>(end);
        content.reset(new char[size + 1]);
        if (std::fread(content.get(), 1, size, in) != size) content.reset();
    }
    std::fclose(in);
    return content;
}

// An output file through the C library, written at offsets.
class StdioFile final : public corvane::platform::OutputFile {
public:
    explicit StdioFile(std::FILE* file) : File_(file) {}
    bool WriteAt(std::uint64_t offset, std::string_view data) override {
        return offset <= static_cast<std::uint64_t>(std::numeric_limits<long>::max()) &&
               std::fseek(File_, static_cast<long>(offset), SEEK_SET) == 0 &&
               std::fwrite(data.data(), 1, data.size(), File_) == data.size();
    }

private:
    std::FILE* File_;
};

} // namespace

int main(int argc, char** argv) {
    using namespace corvane::imaging;
    const std::string kind = argc == 4 ? argv[1] : "";
    if (kind != "jpeg" && kind != "gif") {
        std::cerr << "usage: wallpaper_convert jpeg|gif INPUT OUTPUT.bmp\n";
        return 2;
    }
    std::size_t size = 0;
    const std::unique_ptr<char[]> content = ReadWhole(argv[2], size);
    if (content == nullptr) {
        std::cerr << "cannot read " << argv[2] << "\n";
        return 1;
    }
    const std::string_view data(content.get(), size);
    std::FILE* out = std::fopen(argv[3], "wb");
    if (out == nullptr) {
        std::cerr << "cannot write " << argv[3] << "\n";
        return 1;
    }
    bool written = false;
    try {
        StdioFile file(out);
        BmpWriter writer(file);
        if (kind == "jpeg") {
            DecodeJpeg(data, argv[2], writer);
        } else {
            DecodeGif(data, argv[2], writer);
        }
        written = writer.Complete();
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
    }
    if (std::fclose(out) != 0) written = false;
    if (!written) {
        std::cerr << "cannot convert " << argv[2] << " to " << argv[3] << "\n";
        return 1;
    }
    return 0;
}
