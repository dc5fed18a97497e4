// The application object and the program entry: set the title, put back a shell setting that an
// earlier launch left switched, then run a command-line option or the script once, and turn an
// error that escapes the run into the "Application Error" box and exit code 1.
#pragma once

#include <string>
#include <vector>

namespace corvane {

constexpr const char* ApplicationTitle = "Corvane v3 Launcher";

class TApplication {
public:
    void Initialize();
    void SetTitle(const std::string& title);
    const std::string& Title() const { return Title_; }
    // The launcher never creates a main window; this only records that it must not.
    bool ShowMainForm = true;
    // The message loop of the application. With no main window there is nothing to run,
    // so it returns at once.
    void Run();

private:
    std::string Title_;
};

// The whole program: from the application's set-up to the process's exit code. arguments are
// the command line's, without the program's own name.
int RunProgram(const std::vector<std::string>& arguments = {});

} // namespace corvane
