#include "platform/native/NativePlatform.h"

#include "platform/native/NativeFileSecurity.h"
#include "platform/native/NativeServices.h"

namespace corvane::platform::native {

struct NativePlatform::Parts {
    explicit Parts(const std::filesystem::path& folder) : Files(folder), Security(Files) {}
    NativeFileSystem Files;
    NativeFileSecurity Security;
    NativeDialogs Dialogs;
    NativeSystemInfo System;
    NativeShell Shell;
};

NativePlatform::NativePlatform(const std::filesystem::path& folder) : Parts_(std::make_unique<Parts>(folder)) {
    Services_.files = &Parts_->Files;
    Services_.dialogs = &Parts_->Dialogs;
    Services_.system = &Parts_->System;
    Services_.shell = &Parts_->Shell;
    Services_.security = &Parts_->Security;
}

NativePlatform::~NativePlatform() = default;

} // namespace corvane::platform::native
