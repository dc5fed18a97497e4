#include "platform/Errors.h"

#include <new>

namespace corvane {

EListError::EListError(int index)
    : ECorvaneError("List index out of bounds (" + std::to_string(index) + ")") {}

EFOpenError::EFOpenError(const std::string& path) : ECorvaneError("Cannot open file " + path) {}

EOSError::EOSError(unsigned long code, const std::string& description)
    : ECorvaneError("System Error.  Code: " + std::to_string(code) + ".\r\n" + description), Code_(code) {}

EFCreateError::EFCreateError(const std::string& path) : ECorvaneError("Cannot create file " + path) {}

std::string ErrorBoxText(const std::exception& error) {
    std::string kind = "Exception";
    std::string message = error.what();
    if (const auto* own = dynamic_cast<const ECorvaneError*>(&error)) {
        kind = own->Kind();
    } else if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        kind = "EOutOfMemory";
        message = "Out of memory";
    }
    return "Exception " + kind + ":\r\n" + message;
}

} // namespace corvane
