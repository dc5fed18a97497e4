// The shell that the user started last, remembered for the user as the text value "LastShell"
// (the shell's name) under the current user's CorvaneKey, so that the next logon can offer it
// in the default shell's place. It is read and written only while the user's settings ask for
// it (RememberLastShell); otherwise nothing of it is touched.
#pragma once

#include <string>

namespace corvane {

class TLastShellIO {
public:
    static constexpr const char* Value = "LastShell";

    // With remember on, reads the remembered name: one registry read. A missing key or value, or
    // a value that is not text, gives no name.
    explicit TLastShellIO(bool remember);

    bool Enabled() const { return Enabled_; }
    // The name as the last launch stored it; empty when there is none or remembering is off.
    const std::string& Remembered() const { return Remembered_; }

    // With remember on, stores name for the next logon. A refusal (a key that the user may only
    // read) gives false and is never raised: the shell has started by then, and a launch must
    // not fail for what only the next logon would have used.
    bool Remember(const std::string& name) const;

private:
    bool Enabled_;
    std::string Remembered_;
};

} // namespace corvane
