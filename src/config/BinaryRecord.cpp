#include "config/BinaryRecord.h"

#include "platform/Platform.h"

namespace corvane {

namespace {
constexpr std::string_view Magic = "CV";
} // namespace

TRecordWriter::TRecordWriter(TRecordKind kind, std::uint8_t version) {
    Out = Magic;
    Out += static_cast<char>(kind);
    U8(version);
}

TRecordReader::TRecordReader(std::string_view data, TRecordKind kind, std::uint8_t version) : Data_(data) {
    const bool magic = Take(Magic.size()) && Taken_ == Magic;
    const bool ofKind = Take(1) && Taken_[0] == static_cast<char>(kind);
    const std::uint8_t given = U8();
    if (!magic || !ofKind || given == 0 || given > version) Ok_ = false;
    Legacy_ = given < Utf8Version;
}

void TRecordWriter::U32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) U8(static_cast<std::uint8_t>(value >> shift));
}

void TRecordWriter::U64(std::uint64_t value) {
    U32(static_cast<std::uint32_t>(value));
    U32(static_cast<std::uint32_t>(value >> 32));
}

void TRecordWriter::Text(std::string_view text) {
    U32(static_cast<std::uint32_t>(text.size()));
    Out += text;
}

void TRecordWriter::Stored(const platform::RegistryValue& value) {
    U8(static_cast<std::uint8_t>(value.state));
    U32(value.type);
    Text(value.data);
}

bool TRecordReader::Take(std::size_t count) {
    if (!Ok_ || Data_.size() < count) {
        Ok_ = false;
        return false;
    }
    Taken_ = Data_.substr(0, count);
    Data_.remove_prefix(count);
    return true;
}

std::uint8_t TRecordReader::U8() { return Take(1) ? static_cast<std::uint8_t>(Taken_[0]) : 0; }

std::uint32_t TRecordReader::U32() {
    std::uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= static_cast<std::uint32_t>(U8()) << shift;
    return value;
}

std::uint64_t TRecordReader::U64() {
    const std::uint64_t low = U32();
    return low | static_cast<std::uint64_t>(U32()) << 32;
}

std::string TRecordReader::Bytes() {
    const std::uint32_t length = U32();
    if (length > LongestText) Ok_ = false;
    if (!Ok_ || !Take(length)) return {};
    return std::string(Taken_);
}

std::string TRecordReader::Text() {
    std::string text = Bytes();
    return Legacy_ ? platform::System().FromLegacyCodePage(text) : text;
}

platform::RegistryValue TRecordReader::Stored() {
    platform::RegistryValue value;
    const std::uint8_t state = U8();
    if (state > static_cast<std::uint8_t>(platform::RegistryValue::State::Present)) Ok_ = false;
    value.state = static_cast<platform::RegistryValue::State>(state);
    value.type = U32();
    const bool text = value.type == platform::RegString || value.type == platform::RegExpandString ||
                      value.type == platform::RegMultiString;
    value.data = text ? Text() : Bytes();
    return value;
}

} // namespace corvane
