// The text of a configuration file, in UTF-8, from its bytes as the system reads the file:
//   - a byte order mark (UTF-8, or UTF-16 in either byte order) says how it is encoded;
//   - without one, a script that is well-formed UTF-8 is UTF-8 (what today's editors save);
//   - anything else is in the system's legacy code page, as the profile reader reads every INI
//     file without a UTF-16 mark, and as the launcher always read its files.
// A UTF-8 mark in an INI file is taken as Wine's profile reader takes it; Windows' own does not
// recognise it, which the check says.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

class TTextFile {
public:
    enum class TKind { Script, Profile };
    enum class TEncoding { Utf8WithMark, Utf16LE, Utf16BE, Utf8, Legacy };

    // Decodes the bytes of the file at path (named in the error). Raises EEncodingError when
    // UTF-16 text holds an unpaired surrogate or an odd number of bytes, or text marked as UTF-8
    // is not.
    TTextFile(std::string_view bytes, TKind kind, const std::string& path);

    TEncoding Encoding;
    std::string Text; // without the byte order mark
    // Text without a byte order mark that holds bytes beyond ASCII: the system reads it in its
    // legacy code page when it reads it as an INI file.
    bool UnmarkedBeyondAscii = false;
};

} // namespace corvane
