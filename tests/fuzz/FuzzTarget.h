// What the fuzz targets share: the entry point libFuzzer calls, and a picture size limit low
// enough that one input cannot take seconds or gigabytes (the decoders' checks work the same
// at any limit).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace corvane::fuzzing {

constexpr std::uint64_t MaxPixels = std::uint64_t{1} << 22;

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace corvane::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
