// Text across the edge of the system: the launcher carries UTF-8, the system's "W" functions
// take and give UTF-16. Every conversion goes through here, and none of them is lossy: a text
// that cannot be carried (an unpaired surrogate in a file name, say) raises EEncodingError
// naming what it is, never a silent "?". The legacy code page is only ever read, never written,
// so its best-fit mapping plays no part.
#pragma once

#include <string>
#include <string_view>

namespace corvane::platform::win32 {

// UTF-8 as UTF-16. Raises EEncodingError when text is no well-formed UTF-8.
std::wstring Wide(std::string_view text);
// UTF-16 as UTF-8. Raises EEncodingError naming what (such as "the file name \"...\"") when
// text holds an unpaired surrogate.
std::string Utf8(std::wstring_view text, std::string_view what = "a text of the system's");
// UTF-16 as UTF-8 with an unpaired surrogate shown as U+FFFD: for messages only.
std::string Utf8Shown(std::wstring_view text);
// Bytes of the system's legacy code page (CP_ACP) as UTF-8.
std::string LegacyToUtf8(std::string_view bytes);

} // namespace corvane::platform::win32
