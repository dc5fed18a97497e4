// The services of the native configuration checker over one folder of the host.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/Platform.h"

namespace corvane::platform::native {

// The services over folder, and the objects behind them, which live as long as this does.
class NativePlatform {
public:
    explicit NativePlatform(const std::filesystem::path& folder);
    ~NativePlatform();
    NativePlatform(const NativePlatform&) = delete;
    NativePlatform& operator=(const NativePlatform&) = delete;

    // Files, output, the user's name and a shell without icons; no profile reader (the
    // program entry installs the portable one), registry, windows, desktop or processes.
    const Services& Get() const { return Services_; }

private:
    struct Parts;
    std::unique_ptr<Parts> Parts_;
    Services Services_;
};

} // namespace corvane::platform::native
