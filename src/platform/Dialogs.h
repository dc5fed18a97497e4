// Modal message boxes, and the output of the command-line options.
#pragma once

#include <string>

namespace corvane::platform {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The application title, the caption of every message box.
    virtual void SetTitle(const std::string& title) = 0;
    // The launcher's message box: centred, the text, one OK button, no icon, captioned with
    // the application title. Returns when the user has dismissed it.
    virtual void ShowMessage(const std::string& text) = 0;
    // The task-modal error box of an error that ends the run.
    virtual void ShowErrorBox(const std::string& caption, const std::string& text) = 0;
    // Where a command-line option's report goes when neither the standard output nor a console
    // takes it: into a message box, or nowhere (a report that nobody needs to read).
    enum class Unread { Box, Dropped };
    // What a command-line option reports: to the standard output when it is a file, a pipe or a
    // character device (the null device, "> NUL"), else to the console of the program that
    // started this one, else as unread says.
    virtual void WriteOutput(const std::string& text, Unread unread) = 0;
};

} // namespace corvane::platform
