#include "shell/EventSource.h"

#include "config/RegistryWrites.h"
#include "config/ShellCommand.h"
#include "platform/Platform.h"
#include "platform/RegistryAccess.h"

namespace corvane {

using platform::RegistryRoot;

bool TEventSource::Register(const std::string& exePath) {
    platform::RegistryAccess& registry = platform::Registry();
    const std::string key = Key();
    if (registry.CreateKey(RegistryRoot::LocalMachine, key) != platform::RegistryResult::Done) return false;
    const bool written =
        registry.SetValue(RegistryRoot::LocalMachine, key, MessageFileValue, platform::RegExpandString, StringData(exePath)) ==
            platform::RegistryWrite::Written &&
        registry.SetValue(RegistryRoot::LocalMachine, key, TypesValue, platform::RegDword, DwordData(Types)) ==
            platform::RegistryWrite::Written;
    if (!written) registry.DeleteKey(RegistryRoot::LocalMachine, key); // no half registration
    return written;
}

bool TEventSource::Unregister(const std::string& exePath) {
    platform::RegistryAccess& registry = platform::Registry();
    const std::string key = Key();
    const platform::RegistryValue file = registry.ReadValue(RegistryRoot::LocalMachine, key, MessageFileValue);
    if (file.state == platform::RegistryValue::State::NoKey) return true;
    const bool ours = file.state == platform::RegistryValue::State::Present
                          ? TShellCommand::Starts(TShellCommand::For(TextOf(file.data)), exePath)
                          : registry.ValueNames(RegistryRoot::LocalMachine, key).empty();
    if (!ours) return true;
    return registry.DeleteKey(RegistryRoot::LocalMachine, key) == platform::RegistryResult::Done;
}

} // namespace corvane
