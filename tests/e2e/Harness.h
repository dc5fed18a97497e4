// The end-to-end harness: prepares a program folder with corvane.exe, starts it, finds its
// real windows and message boxes, reads their texts and presses their buttons.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

// Where the driver finds corvane.exe and keeps its program folders and screenshots.
struct Options {
    std::string corvane;
    std::string runs;
    std::string artifacts;
    std::string desktopProbe; // the probe program of the desktop services
    std::string images;       // sample images with their reference pictures, and the example configuration
    std::string fixtures;     // what only the host can make (run-e2e.sh): "unreadable\script.txt" fails to read
    std::string msi;          // the Windows Installer package; none when the build made none
    std::string wineErrors;   // where Wine's debug output of the driver and its children goes (run-e2e.sh)
};
Options& Config();

// Text as the driver carries it, UTF-8, and as the system's W functions take it, UTF-16: every
// name and text of the harness goes through the W functions, so that names beyond the legacy
// code page arrive whole.
std::wstring Wide(const std::string& text);
std::string Utf8(const std::wstring& text);

constexpr DWORD DefaultTimeoutMs = 30000;

// The log-on name the launcher will see; it names the per-user settings file.
std::string CurrentUserName();

// A fresh program folder holding a copy of corvane.exe.
class ProgramFolder {
public:
    explicit ProgramFolder(const std::string& name);

    const std::string& Path() const { return Path_; } // with a trailing "\"
    std::string Exe() const { return Path_ + "corvane.exe"; }
    std::string UserIni() const { return Path_ + CurrentUserName() + ".ini"; }

    void Write(const std::string& relative, const std::string& content) const;
    bool Exists(const std::string& relative) const;
    bool IsDirectory(const std::string& relative) const;
    std::string Read(const std::string& relative) const;
    // Names of the entries directly in the folder, sorted.
    std::vector<std::string> Entries(const std::string& relative = "") const;

private:
    std::string Path_;
};

struct BoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};

// The caption and text of a box on screen.
BoxInfo ReadBox(HWND box);
// The texts of the boxes, in order.
std::vector<std::string> Texts(const std::vector<BoxInfo>& boxes);

// One run of corvane.exe, or of another program. The destructor ends the process if it is
// still running.
class Launcher {
public:
    explicit Launcher(const ProgramFolder& folder);
    // Starts exe with a command-line argument text; with an output file, the program's
    // standard output and error go there.
    Launcher(const std::string& exe, const std::string& arguments, const std::string& outputFile = "");
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    DWORD ProcessId() const { return Info_.dwProcessId; }

    // The next visible top-level dialog (#32770) of the process, or nothing after the timeout.
    std::optional<BoxInfo> WaitForBox(DWORD timeoutMs = DefaultTimeoutMs);
    // A visible top-level window of the process with the given class name.
    HWND WaitForWindow(const std::string& className, DWORD timeoutMs = DefaultTimeoutMs);
    // Presses a dialog's OK button and waits until the dialog is gone.
    static void PressOk(HWND box);
    // Waits for the next box, presses OK and returns it; an empty caption means no box came.
    BoxInfo Dismiss(DWORD timeoutMs = DefaultTimeoutMs);
    // The captions and texts of every box shown until the process ends, each dismissed.
    std::vector<BoxInfo> DismissAllUntilExit(DWORD timeoutMs = DefaultTimeoutMs);
    // The exit code, or nothing when the process did not end in time (it is then ended).
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = DefaultTimeoutMs);
    bool Running() const;
    // Ends the process at once, as the task manager or the end of a session would.
    void Kill();

private:
    DWORD Bounded(DWORD timeoutMs) const;

    PROCESS_INFORMATION Info_{};
    DWORD Started_ = GetTickCount();
};

// The exit code and standard output of a console program run to its end (no windows).
struct ProgramResult {
    std::optional<DWORD> exitCode;
    std::string output;
};
ProgramResult RunToEnd(const std::string& exe, const std::string& arguments);

// The folder of the driver itself, where the helper programs built with it lie (with "\").
std::string DriverFolder();
std::string ReadWholeFile(const std::string& path);
// Writes the bytes to the file at path (UTF-8), replacing it.
void WriteWholeFile(const std::string& path, const std::string& content);

// Text of a window in another process (read through the wide messages, which Wine does not
// truncate across processes).
std::string WindowText(HWND window);
std::string ClassName(HWND window);
// Visible top-level windows of a process.
std::vector<HWND> TopLevelWindows(DWORD processId);
// The ids of the running processes of the program exeName (a file name) that the process of
// this id started.
std::vector<DWORD> ChildProcesses(DWORD parentId, const std::string& exeName);
// Ends a process by its id; false when it cannot be opened.
bool KillProcess(DWORD processId);

// Child windows of a window, optionally only those of one class.
std::vector<HWND> ChildWindows(HWND parent, const std::string& className = "");
// The first child of the class whose text is text (any text when text is empty); null if none.
HWND FindChild(HWND parent, const std::string& className, const std::string& text = "");
// The entries of a list box or combo box in another process.
std::vector<std::string> ListBoxItems(HWND list);
std::vector<std::string> ComboBoxItems(HWND combo);

// What a started stand-in shell recorded: its command line, its working directory and the
// shell setting as system.ini read when it started; one entry per start.
struct ShellStart {
    std::string commandLine, directory, shell;
};
// The starts that the stand-in at exe has recorded so far.
std::vector<ShellStart> StartsOf(const std::string& exe);
// Waits (15 s at most) until the stand-in at exe has recorded `count` starts.
std::vector<ShellStart> WaitForStarts(const std::string& exe, std::size_t count);

// The registry and system.ini as the launcher's shell setting uses them.
namespace registry {
constexpr const char* Winlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* MappingKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\system.ini\\boot";
constexpr const char* SysMapping = "SYS:Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* UsrMapping = "USR:Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// A string value's text (UTF-8), or nothing when the key or the value is missing.
std::optional<std::string> RegText(HKEY root, const char* path, const char* name, DWORD* type = nullptr);
void SetRegValue(HKEY root, const char* path, const char* name, DWORD type, const void* data, DWORD size);
// A text value (REG_SZ, or REG_EXPAND_SZ given so) in UTF-16 with its NUL.
void SetRegText(HKEY root, const char* path, const char* name, const std::string& text, DWORD type = REG_SZ);
// A REG_DWORD value.
void SetRegDword(HKEY root, const char* path, const char* name, DWORD value);
void DeleteRegValue(HKEY root, const char* path, const char* name);
// Removes a key with everything below it; nothing when it is missing.
void DeleteRegKey(HKEY root, const char* path);
std::string WindowsFolder();
// A Windows-like machine: the machine's shell is explorer.exe and system.ini reads are mapped
// to it; no shell of the current user's own.
void WindowsLikeMachine();

// A stored value's text with its type, or nothing.
struct Stored {
    std::optional<std::string> text;
    DWORD type = 0;
    friend bool operator==(const Stored&, const Stored&) = default;
};
Stored Read(HKEY root, const char* path, const char* name);

// The three values of the shell setting: the user's and the machine's Winlogon "Shell" and the
// system.ini mapping.
struct ShellSetting {
    Stored user, machine, mapping;
    friend bool operator==(const ShellSetting&, const ShellSetting&) = default;
};
ShellSetting CurrentSetting();
std::ostream& operator<<(std::ostream& out, const ShellSetting& setting);

// Makes a key readable only, as the machine's keys are for a standard user, until the object
// ends. Wine enforces a key's DACL while its registry server runs, so the driver, which stays
// alive while the launcher runs, holds it.
class ReadOnlyKey {
public:
    ReadOnlyKey(HKEY root, const char* path);
    ~ReadOnlyKey();
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

private:
    void Set(const char* sddl);

    HKEY Key_ = nullptr;
    std::vector<BYTE> Original_;
};
} // namespace registry

// The system's words for an error code, one line, with a "%1" insert made the file's path: what
// the launcher says of a start that failed with that code.
std::string SystemText(DWORD code, const std::string& file);

// Saves the whole screen as a 24-bit BMP file.
bool SaveScreenshot(const std::string& path);

// The screen's DPI for programs started while the holder lives ("LogPixels" under
// HKCU\Control Panel\Desktop); the value that was there before is put back at its end.
class ScreenDpi {
public:
    explicit ScreenDpi(DWORD dpi);
    ~ScreenDpi();
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;

private:
    std::optional<DWORD> Previous_;
};

// A console program's exit code and everything it wrote to its standard output and error,
// with line ends as "\n".
struct ProgramRun {
    DWORD exitCode = 0;
    std::string output;
};
// Runs a console program (arguments quoted) in the runs folder and waits for it; nothing when
// it cannot be started or does not end in time (it is then ended).
std::optional<ProgramRun> RunConsoleProgram(const std::string& exe, const std::vector<std::string>& arguments,
                                            DWORD timeoutMs = DefaultTimeoutMs);
// Where a program's standard output goes: nowhere at all (no handles), or the null device.
enum class NoReader { NoHandles, NullDevice };
// Runs a program whose output nobody reads and waits for it; its exit code, or nothing when it
// does not end in time (it is then ended): a message box that waits for nobody.
std::optional<DWORD> RunUnread(const std::string& exe, const std::vector<std::string>& arguments, NoReader output,
                               DWORD timeoutMs = 5000);

// A picture as the system's bitmap loader reads it: rows from the top, 0x00RRGGBB pixels.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};
// The picture of a BMP file through LoadImageA; nothing when the system cannot load it.
std::optional<Picture> LoadBitmapFile(const std::string& path);
// What the screen shows of a window's client area.
Picture CaptureClient(HWND window);
// Paints the screen in one colour over a window's client area, behind the window's back, so
// that a test sees whether the window paints itself again.
void PaintOverClient(HWND window, COLORREF colour);

// A string value under HKEY_CURRENT_USER; nothing when the key or value is missing.
std::optional<std::string> ReadUserString(const std::string& key, const std::string& value);
void WriteUserString(const std::string& key, const std::string& value, const std::string& text);

} // namespace e2e
