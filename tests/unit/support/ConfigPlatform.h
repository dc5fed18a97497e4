// The fakes of FakePlatform plus what the configuration reaches: the portable profile reader
// over the fake files (Windows folder C:\Windows\), a fake registry and a fake shell.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/PortableProfileFiles.h"
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
    // With refuseExecute the system reports that the program did not start.
    std::vector<std::string> executed;
    std::function<void()> onExecute;
    bool refuseExecute = false;
    bool Execute(const std::string& path, const std::string& parameters, const std::string& directory) override {
        executed.push_back(path + "|" + parameters + "|" + directory);
        if (onExecute) onExecute();
        return !refuseExecute;
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

    platform::PortableProfileFiles profiles{"C:\\Windows\\"};
    FakeRegistry registry;
    FakeShell shell;
};

} // namespace corvane::testing
