#include "support/FakePlatform.h"

#include "text/NameCase.h"
#include "text/WesternCodePage.h"

namespace corvane::testing {

int FakeSystemInfo::CompareText(const std::string& a, const std::string& b) { return CompareNames(a, b); }

std::string FakeSystemInfo::FromLegacyCodePage(std::string_view bytes) { return WesternToUtf8(bytes); }

FakePlatform::FakePlatform() {
    services.files = &files;
    services.dialogs = &dialogs;
    services.system = &system;
    services.processes = &processes;
    services.security = &security;
    services.eventLog = &eventLog;
    previous_ = platform::Install(services);
    previousRecord_ = TEventRecord::Use(&record);
}

FakePlatform::~FakePlatform() {
    TEventRecord::Use(previousRecord_);
    platform::Install(previous_);
}

void FakePlatform::Reinstall() { platform::Install(services); }

} // namespace corvane::testing
