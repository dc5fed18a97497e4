// The Windows shell: the icons of files and the start of programs.
#pragma once

#include <string>

namespace corvane::platform {

class ShellServices {
public:
    virtual ~ShellServices() = default;

    // The index of the file's icon in the system's list of large file icons; 0 when the
    // shell finds no icon for the path.
    virtual int SysIconIndex(const std::string& path) = 0;
    // Starts the program at path with a parameter string, in directory (empty: the system
    // chooses), shown normally, and returns without waiting for it; false when the start failed.
    virtual bool Execute(const std::string& path, const std::string& parameters, const std::string& directory) = 0;
};

} // namespace corvane::platform
