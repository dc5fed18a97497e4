#include "config/TextFile.h"

#include <optional>

#include "platform/Errors.h"
#include "platform/Platform.h"
#include "text/AsciiText.h"
#include "text/Utf.h"

namespace corvane {

namespace {

TTextFile::TEncoding EncodingOf(std::string_view bytes, TTextFile::TKind kind) {
    switch (FindByteOrderMark(bytes)) {
    case TByteOrderMark::Utf8:
        return TTextFile::TEncoding::Utf8WithMark;
    case TByteOrderMark::Utf16LE:
        return TTextFile::TEncoding::Utf16LE;
    case TByteOrderMark::Utf16BE:
        return TTextFile::TEncoding::Utf16BE;
    case TByteOrderMark::None:
        break;
    }
    return kind == TTextFile::TKind::Script && IsValidUtf8(bytes) ? TTextFile::TEncoding::Utf8
                                                                 : TTextFile::TEncoding::Legacy;
}

} // namespace

TTextFile::TTextFile(std::string_view bytes, TKind kind, const std::string& path) : Encoding(EncodingOf(bytes, kind)) {
    const std::string_view body = bytes.substr(ByteOrderMarkSize(FindByteOrderMark(bytes)));
    switch (Encoding) {
    case TEncoding::Utf16LE:
    case TEncoding::Utf16BE: {
        std::optional<std::string> text = Utf16ToUtf8(body, Encoding == TEncoding::Utf16BE);
        if (!text) {
            throw EEncodingError("The file " + Quoted(path) +
                                 " is marked as UTF-16 but holds a broken character (an unpaired surrogate or an odd "
                                 "number of bytes)");
        }
        Text = std::move(*text);
        break;
    }
    case TEncoding::Utf8WithMark:
        if (!IsValidUtf8(body)) {
            throw EEncodingError("The file " + Quoted(path) + " is marked as UTF-8 but holds bytes that are no UTF-8");
        }
        [[fallthrough]];
    case TEncoding::Utf8:
        Text = std::string(body);
        break;
    case TEncoding::Legacy:
        Text = platform::System().FromLegacyCodePage(body);
        break;
    }
    UnmarkedBeyondAscii = FindByteOrderMark(bytes) == TByteOrderMark::None && !IsAscii(bytes);
}

} // namespace corvane
