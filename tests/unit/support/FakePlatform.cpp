#include "support/FakePlatform.h"

#include <cctype>

namespace corvane::testing {

int FakeSystemInfo::CompareText(const std::string& a, const std::string& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

FakePlatform::FakePlatform() {
    services.files = &files;
    services.dialogs = &dialogs;
    services.system = &system;
    services.processes = &processes;
    previous_ = platform::Install(services);
    previousRecord_ = TEventRecord::Use(&record);
}

FakePlatform::~FakePlatform() {
    TEventRecord::Use(previousRecord_);
    platform::Install(previous_);
}

void FakePlatform::Reinstall() { platform::Install(services); }

} // namespace corvane::testing
