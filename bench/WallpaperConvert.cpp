// Converts a JPEG or GIF file to a BMP file with the launcher's decoders and bitmap writer,
// as the wallpaper conversion does, for timing against other converters.
//
//   wallpaper_convert jpeg|gif INPUT OUTPUT.bmp
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "imaging/BmpFile.h"
#include "imaging/GifDecoder.h"
#include "imaging/JpegDecoder.h"

int main(int argc, char** argv) {
    using namespace corvane::imaging;
    const std::string kind = argc == 4 ? argv[1] : "";
    if (kind != "jpeg" && kind != "gif") {
        std::cerr << "usage: wallpaper_convert jpeg|gif INPUT OUTPUT.bmp\n";
        return 2;
    }
    try {
        std::ifstream in(argv[2], std::ios::binary);
        const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const PixelBuffer picture = kind == "jpeg" ? DecodeJpeg(data, argv[2]) : DecodeGif(data, argv[2]);
        const std::string bmp = EncodeBmp(picture);
        std::FILE* out = std::fopen(argv[3], "wb");
        if (out == nullptr || std::fwrite(bmp.data(), 1, bmp.size(), out) != bmp.size() || std::fclose(out) != 0) {
            std::cerr << "cannot write " << argv[3] << "\n";
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
