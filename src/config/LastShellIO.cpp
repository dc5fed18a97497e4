#include "config/LastShellIO.h"

#include "config/BinaryRecord.h"
#include "config/RegistryWrites.h"
#include "platform/Errors.h"

namespace corvane {

namespace {
constexpr platform::RegistryRoot User = platform::RegistryRoot::CurrentUser;
} // namespace

TLastShellIO::TLastShellIO(bool remember) : Enabled_(remember) {
    if (!Enabled_) return;
    try {
        Remembered_ = ReadRegistryText(User, CorvaneKey, Value, "");
    } catch (const ERegistryException&) { // data of another type: nothing that names a shell
    }
}

bool TLastShellIO::Remember(const std::string& name) const {
    if (!Enabled_) return false;
    try {
        WriteRegistryText(User, CorvaneKey, Value, name);
        return true;
    } catch (const ERegistryException&) {
        return false;
    }
}

} // namespace corvane
