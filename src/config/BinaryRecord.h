// Records of Corvane's own in the registry, as one binary value each under CorvaneKey: a header
// of "CV", a letter that names the kind of record and a version byte, then the fields as
// little-endian integers, texts as their 32-bit length and bytes, and stored registry values as
// their state (1 byte), type (32 bits) and data. One value is written in one step, so a record
// is whole or absent. Texts, and the data of stored text values, are UTF-8 from version
// Utf8Version of each kind on; the records of earlier versions hold them in the system's legacy
// code page, and a reader of a later version still reads them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/RegistryAccess.h"

namespace corvane {

// Where Corvane keeps its records: this key under the current user's root, or under the
// machine's for what concerns every user.
constexpr const char* CorvaneKey = "Software\\Corvane";

// The kinds of record, by the letter of their header.
enum class TRecordKind : char { PendingRestore = 'J', InstalledOver = 'I' };

// The first version of every kind whose texts are UTF-8.
constexpr std::uint8_t Utf8Version = 2;

class TRecordWriter {
public:
    // Begins the record with its header.
    TRecordWriter(TRecordKind kind, std::uint8_t version);

    void U8(std::uint8_t value) { Out += static_cast<char>(value); }
    void U32(std::uint32_t value);
    void U64(std::uint64_t value);
    void Text(std::string_view text);
    void Stored(const platform::RegistryValue& value);

    std::string Out;
};

// Reads a record's fields in order. Every read checks what is left; after a failed read every
// later one fails too and Ok() is false.
class TRecordReader {
public:
    // The longest text a record holds: far beyond any shell setting or path.
    static constexpr std::size_t LongestText = 1 << 20;

    // Reads the header first: Ok() is false for a record of another kind, or of a version after
    // version (written by a later Corvane).
    TRecordReader(std::string_view data, TRecordKind kind, std::uint8_t version);
    bool Ok() const { return Ok_; }
    bool AtEnd() const { return Data_.empty(); }

    std::uint8_t U8();
    std::uint32_t U32();
    std::uint64_t U64();
    std::string Text();
    platform::RegistryValue Stored();

private:
    bool Take(std::size_t count);
    std::string Bytes();

    std::string_view Data_;
    std::string_view Taken_;
    bool Ok_ = true;
    bool Legacy_ = false; // its texts are in the legacy code page
};

} // namespace corvane
