// Texts that the system writes into a buffer of the caller's: the read is tried again with a
// larger buffer while the text does not fit, so no text is ever cut short or lost because a
// first guess of its size was too small.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace corvane::platform {

// What one try of a read into a buffer of some capacity found.
struct BufferRead {
    enum class Outcome { Fit, TooSmall, Failed };
    Outcome outcome = Outcome::Failed;
    // Fit: the text's length. TooSmall: the capacity it needs; 0 when the system does not say,
    // and then the next try doubles the capacity.
    std::size_t size = 0;
};

// The text that read(buffer, capacity) writes, with capacity firstCapacity first (in characters
// of the type Char); nothing when a try fails, or when the text still does not fit after a few
// tries (a size that keeps growing).
template <typename Char = char, typename Read>
std::optional<std::basic_string<Char>> ReadGrowingBuffer(std::size_t firstCapacity, Read read) {
    constexpr int Tries = 8;
    std::vector<Char> buffer(firstCapacity > 0 ? firstCapacity : 1);
    for (int attempt = 0; attempt < Tries; ++attempt) {
        const BufferRead result = read(buffer.data(), buffer.size());
        if (result.outcome == BufferRead::Outcome::Failed) return std::nullopt;
        if (result.outcome == BufferRead::Outcome::Fit && result.size <= buffer.size()) {
            return std::basic_string<Char>(buffer.data(), result.size);
        }
        const std::size_t larger = result.size > buffer.size() ? result.size : buffer.size() * 2;
        buffer.assign(larger, Char{});
    }
    return std::nullopt;
}

} // namespace corvane::platform
