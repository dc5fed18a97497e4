#include "platform/win32/Win32SystemMessage.h"

namespace corvane::platform::win32 {

std::string SystemMessage(DWORD code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
                                        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length > 0 && buffer != nullptr ? std::string(buffer, length) : std::string();
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text.empty() ? "error " + std::to_string(code) : text;
}

} // namespace corvane::platform::win32
