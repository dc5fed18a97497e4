// The Windows shell: the icons of files and the start of programs.
#pragma once

#include <memory>
#include <string>

#include "platform/Processes.h"

namespace corvane::platform {

// How a start went.
struct ProgramStart {
    bool Started = false;
    // When the start failed: the system's words for why ("The system cannot find the file
    // specified.").
    std::string Reason;
    // The process of the started program; none when the system started none of its own (a
    // document handed to a program that already runs).
    std::shared_ptr<HeldProcess> Process;
};

class ShellServices {
public:
    virtual ~ShellServices() = default;

    // The index of the file's icon in the system's list of large file icons; 0 when the
    // shell finds no icon for the path.
    virtual int SysIconIndex(const std::string& path) = 0;
    // Starts the program at path (or opens the document there with its program) with a
    // parameter string, in directory (empty: the system chooses), shown normally, and returns
    // without waiting for it. The system shows no box of its own when the start fails.
    virtual ProgramStart Execute(const std::string& path, const std::string& parameters, const std::string& directory) = 0;
};

} // namespace corvane::platform
