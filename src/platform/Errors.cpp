#include "platform/Errors.h"

#include <new>
#include <utility>

namespace corvane {

EListError::EListError(int index)
    : ECorvaneError("List index out of bounds (" + std::to_string(index) + ")") {}

EFOpenError::EFOpenError(const std::string& path) : ECorvaneError("Cannot open file " + path) {}

EReadError::EReadError(const std::string& path, const std::string& reason)
    : ECorvaneError("Cannot read file " + path + ": " + reason) {}

EOSError::EOSError(unsigned long code, const std::string& description)
    : ECorvaneError("System Error.  Code: " + std::to_string(code) + ".\r\n" + description), Code_(code) {}

EFCreateError::EFCreateError(const std::string& path) : ECorvaneError("Cannot create file " + path) {}

namespace {
// The kind of an error as the error box names it, and its message.
std::pair<std::string, std::string> KindAndMessage(const std::exception& error) {
    if (const auto* own = dynamic_cast<const ECorvaneError*>(&error)) return {own->Kind(), error.what()};
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return {"EOutOfMemory", "Out of memory"};
    return {"Exception", error.what()};
}
} // namespace

std::string ErrorBoxText(const std::exception& error) {
    const auto [kind, message] = KindAndMessage(error);
    return "Exception " + kind + ":\r\n" + message;
}

std::string ErrorLine(const std::exception& error) {
    auto [kind, message] = KindAndMessage(error);
    for (char& c : message) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return kind + ": " + message;
}

} // namespace corvane
