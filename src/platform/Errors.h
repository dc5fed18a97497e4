// The error kinds that operations raise and that nothing in the launcher catches:
// each one ends the run through the top-level handler, which names the kind.
#pragma once

#include <stdexcept>
#include <string>

namespace corvane {

// Base of every error the launcher raises itself. Kind() is the class name
// shown in the "Application Error" box.
class ECorvaneError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    virtual const char* Kind() const noexcept = 0;
};

// A list read at a position it does not hold.
class EListError final : public ECorvaneError {
public:
    explicit EListError(int index);
    const char* Kind() const noexcept override { return "EListError"; }
};

// A text that cannot be converted, such as a shell entry's crash protected field that is no boolean.
class EConvertError final : public ECorvaneError {
public:
    using ECorvaneError::ECorvaneError;
    const char* Kind() const noexcept override { return "EConvertError"; }
};

// A text that cannot be carried between the system's UTF-16 and the launcher's UTF-8 (an
// unpaired surrogate in a file or a name): the message names the file or the value.
class EEncodingError final : public ECorvaneError {
public:
    using ECorvaneError::ECorvaneError;
    const char* Kind() const noexcept override { return "EEncodingError"; }
};

// A file that exists but cannot be opened: "Cannot open file %s".
class EFOpenError final : public ECorvaneError {
public:
    explicit EFOpenError(const std::string& path);
    const char* Kind() const noexcept override { return "EFOpenError"; }
};

// A file that opened but could not be read to its end: "Cannot read file %s: <the system's reason>".
class EReadError final : public ECorvaneError {
public:
    EReadError(const std::string& path, const std::string& reason);
    const char* Kind() const noexcept override { return "EReadError"; }
};

// A file that cannot be created or written: "Cannot create file %s".
class EFCreateError final : public ECorvaneError {
public:
    explicit EFCreateError(const std::string& path);
    const char* Kind() const noexcept override { return "EFCreateError"; }
};

// A registry key or value that cannot be created, written or read as text.
class ERegistryException final : public ECorvaneError {
public:
    using ECorvaneError::ECorvaneError;
    const char* Kind() const noexcept override { return "ERegistryException"; }
};

// A system call that failed, such as the creation of a window: "System Error.  Code: %d.\r\n%s",
// with the system's error code and its description.
class EOSError final : public ECorvaneError {
public:
    EOSError(unsigned long code, const std::string& description);
    unsigned long Code() const noexcept { return Code_; }
    const char* Kind() const noexcept override { return "EOSError"; }

private:
    unsigned long Code_;
};

// The text of the "Application Error" box for an error that ended the run.
std::string ErrorBoxText(const std::exception& error);
// The same on one line, "<kind>: <message>", for the output of the command line.
std::string ErrorLine(const std::exception& error);

} // namespace corvane
