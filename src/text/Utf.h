// Unicode text as the launcher carries it: UTF-8 throughout, and the UTF-16 of files saved as
// Unicode, with the byte order marks that say which a file holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// What the first bytes of a file say of its encoding.
enum class TByteOrderMark { None, Utf8, Utf16LE, Utf16BE };

TByteOrderMark FindByteOrderMark(std::string_view bytes);
// The bytes that the mark takes at the start of the file.
std::size_t ByteOrderMarkSize(TByteOrderMark mark);

// True when every byte is below 0x80.
bool IsAscii(std::string_view text);
// True when text is well-formed UTF-8: no stray or missing continuation bytes, no overlong forms,
// no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(std::string_view text);

// The UTF-16 text of bytes (two per code unit, in the order given) as UTF-8; nothing when a
// surrogate is unpaired or the bytes are odd in number.
std::optional<std::string> Utf16ToUtf8(std::string_view bytes, bool bigEndian);

// The UTF-8 text as UTF-16 bytes in the order given; text must be well-formed UTF-8.
std::string Utf8ToUtf16(std::string_view text, bool bigEndian);

// The code point that starts at text[at] in well-formed UTF-8; at moves past it.
std::uint32_t NextCodePoint(std::string_view text, std::size_t& at);

// Appends the UTF-8 form of a code point (below U+110000, no surrogate) to out.
void AppendUtf8(std::string& out, std::uint32_t codePoint);

} // namespace corvane
