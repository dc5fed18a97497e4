// The fakes of FakePlatform plus what the configuration reaches: the portable profile reader
// over the fake files (Windows folder C:\Windows\), a fake registry and a fake shell.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "config/PortableProfileFiles.h"
#include "platform/ShellServices.h"
#include "support/FakePlatform.h"
#include "support/FakeRegistry.h"

namespace corvane::testing {

// Icon indexes from a table, 0 for any other path; remembers every path asked about.
class FakeShell : public platform::ShellServices {
public:
    std::map<std::string, int> icons;
    std::vector<std::string> iconRequests;

    int SysIconIndex(const std::string& path) override {
        iconRequests.push_back(path);
        const auto found = icons.find(path);
        return found == icons.end() ? 0 : found->second;
    }
    // Every start, as "path|parameters|directory"; onExecute runs at the start (it may throw).
    // A path in failures fails with that reason, and with refuseExecute every start fails; any
    // other start gets a process of its own.
    std::vector<std::string> executed;
    std::function<void()> onExecute;
    std::map<std::string, std::string> failures;
    bool refuseExecute = false;
    bool withoutProcess = false; // starts give no process of their own (documents opened by a running program)
    std::uint32_t nextProcessId = 1000;
    platform::ProgramStart Execute(const std::string& path, const std::string& parameters,
                                   const std::string& directory) override {
        executed.push_back(path + "|" + parameters + "|" + directory);
        if (onExecute) onExecute();
        const auto failure = failures.find(path);
        if (failure != failures.end()) return {false, failure->second, nullptr};
        if (refuseExecute) return {false, "The system cannot find the file specified.", nullptr};
        if (withoutProcess) return {true, {}, nullptr};
        return {true, {}, std::make_shared<FakeProcesses::Held>(platform::ProcessIdentity{nextProcessId++, 1})};
    }
};

class ConfigPlatform : public FakePlatform {
public:
    ConfigPlatform() {
        services.profiles = &profiles;
        services.registry = &registry;
        services.shell = &shell;
        Reinstall();
    }

    TPortableProfileFiles profiles{"C:\\Windows\\"};
    FakeRegistry registry;
    FakeShell shell;
};

} // namespace corvane::testing
