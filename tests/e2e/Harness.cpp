#include "Harness.h"

#include <sddl.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace e2e {

Options& Config() {
    static Options options;
    return options;
}

namespace {

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

// The exit code of the process once it has ended; nothing when it runs past the timeout, and it
// is then ended.
std::optional<DWORD> ExitCodeWithin(HANDLE process, DWORD timeoutMs) {
    if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return code;
}

} // namespace

std::vector<std::string> Texts(const std::vector<BoxInfo>& boxes) {
    std::vector<std::string> texts;
    for (const auto& box : boxes) texts.push_back(box.text);
    return texts;
}

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

std::string CurrentUserName() {
    wchar_t buffer[256] = {};
    DWORD size = sizeof buffer / sizeof buffer[0];
    GetUserNameW(buffer, &size);
    return Utf8(buffer);
}

ProgramFolder::ProgramFolder(const std::string& name) {
    Path_ = Config().runs + "\\" + name;
    // The guard of a launcher that has just ended may still run from the folder for a moment,
    // and its corvane.exe cannot go before it has.
    bool created = false;
    for (int attempt = 0; attempt < 50 && !created; ++attempt) {
        if (attempt > 0) Sleep(100);
        RemoveTree(Wide(Path_));
        created = CreateDirectoryW(Wide(Path_).c_str(), nullptr) != FALSE;
    }
    if (!created) throw std::runtime_error("cannot create program folder " + Path_);
    Path_ += "\\";
    if (!CopyFileW(Wide(Config().corvane).c_str(), Wide(Exe()).c_str(), FALSE)) {
        throw std::runtime_error("cannot copy corvane.exe to " + Path_);
    }
}

void WriteWholeFile(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool wrote = file != INVALID_HANDLE_VALUE &&
                       WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                       written == content.size();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!wrote) throw std::runtime_error("cannot write " + path);
}

void ProgramFolder::Write(const std::string& relative, const std::string& content) const {
    WriteWholeFile(Path_ + relative, content);
}

bool ProgramFolder::Exists(const std::string& relative) const {
    return GetFileAttributesW(Wide(Path_ + relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ProgramFolder::IsDirectory(const std::string& relative) const {
    const DWORD attributes = GetFileAttributesW(Wide(Path_ + relative).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadWholeFile(const std::string& path) {
    std::string content;
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return content;
    char chunk[65536];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) content.append(chunk, read);
    CloseHandle(file);
    return content;
}

std::string ProgramFolder::Read(const std::string& relative) const { return ReadWholeFile(Path_ + relative); }

std::vector<std::string> ProgramFolder::Entries(const std::string& relative) const {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Wide(Path_ + relative + (relative.empty() ? "*" : "\\*")).c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = Utf8(found.cFileName);
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    return names;
}

Launcher::Launcher(const ProgramFolder& folder) : Launcher(folder.Exe(), "") {}

// Programs start in the runs folder, not their own: the current directory must play no part.
Launcher::Launcher(const std::string& exe, const std::string& arguments, const std::string& outputFile) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    HANDLE output = INVALID_HANDLE_VALUE;
    if (!outputFile.empty()) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        output = CreateFileW(Wide(outputFile).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (output == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + outputFile);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    std::wstring commandLine = L"\"" + Wide(exe) + L"\"" + (arguments.empty() ? L"" : L" " + Wide(arguments));
    // Right after a process of the same program was killed while Wine was still creating it, a
    // start can fail for a moment.
    BOOL started = FALSE;
    DWORD error = 0;
    for (int attempt = 0; attempt < 20 && !started; ++attempt) {
        if (attempt > 0) Sleep(250);
        std::wstring line = commandLine; // CreateProcessW may change it
        started = CreateProcessW(Wide(exe).c_str(), line.data(), nullptr, nullptr, output != INVALID_HANDLE_VALUE, 0, nullptr,
                                 Wide(Config().runs).c_str(), &startup, &Info_);
        if (!started) error = GetLastError();
    }
    if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
    if (!started) throw std::runtime_error("cannot start " + exe + " (error " + std::to_string(error) + ")");
    WaitForInputIdle(Info_.hProcess, 5000);
}

ProgramResult RunToEnd(const std::string& exe, const std::string& arguments) {
    const std::string outputFile = Config().runs + "\\program-output.txt";
    ProgramResult result;
    {
        Launcher program(exe, arguments, outputFile);
        result.exitCode = program.WaitForExit();
    }
    result.output = ReadWholeFile(outputFile);
    return result;
}

std::vector<ShellStart> StartsOf(const std::string& exe) {
    std::vector<ShellStart> starts;
    const std::string log = ReadWholeFile(exe + ".log");
    std::size_t pos = 0;
    ShellStart start;
    while (pos < log.size()) {
        const std::size_t end = log.find('\n', pos);
        const std::string line = log.substr(pos, end - pos);
        pos = end == std::string::npos ? log.size() : end + 1;
        if (line.rfind("cmd=", 0) == 0) start.commandLine = line.substr(4);
        if (line.rfind("cwd=", 0) == 0) start.directory = line.substr(4);
        if (line.rfind("shell=", 0) == 0) {
            start.shell = line.substr(6);
            starts.push_back(start);
        }
    }
    return starts;
}

std::vector<ShellStart> WaitForStarts(const std::string& exe, std::size_t count) {
    const DWORD begin = GetTickCount();
    std::vector<ShellStart> starts = StartsOf(exe);
    while (starts.size() < count && GetTickCount() - begin < 15000) {
        Sleep(100);
        starts = StartsOf(exe);
    }
    return starts;
}

std::string DriverFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string exe = Utf8(std::wstring(path, length));
    return exe.substr(0, exe.find_last_of('\\') + 1);
}

Launcher::~Launcher() {
    if (Running()) {
        TerminateProcess(Info_.hProcess, 99);
        WaitForSingleObject(Info_.hProcess, 5000);
    }
    CloseHandle(Info_.hThread);
    CloseHandle(Info_.hProcess);
}

bool Launcher::Running() const { return WaitForSingleObject(Info_.hProcess, 0) == WAIT_TIMEOUT; }

void Launcher::Kill() {
    TerminateProcess(Info_.hProcess, 99);
    WaitForSingleObject(Info_.hProcess, 5000);
}

namespace {
// When the process of this id started; 0 when it cannot be asked.
ULONGLONG CreationTime(DWORD processId) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return 0;
    FILETIME created{}, exited{}, kernel{}, user{};
    const bool known = GetProcessTimes(process, &created, &exited, &kernel, &user) != FALSE;
    CloseHandle(process);
    return known ? (static_cast<ULONGLONG>(created.dwHighDateTime) << 32 | created.dwLowDateTime) : 0;
}
} // namespace

// Process ids are used again once their process is gone: a process that an earlier holder of the
// parent's id started is older than the parent, and no child of it.
std::vector<DWORD> ChildProcesses(DWORD parentId, const std::string& exeName) {
    std::vector<DWORD> children;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return children;
    const ULONGLONG parentStart = CreationTime(parentId);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID == parentId && lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0 &&
            (parentStart == 0 || CreationTime(entry.th32ProcessID) >= parentStart)) {
            children.push_back(entry.th32ProcessID);
        }
    }
    CloseHandle(snapshot);
    return children;
}

bool KillProcess(DWORD processId) {
    const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (process == nullptr) return false;
    TerminateProcess(process, 99);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
    return true;
}

std::string WindowText(HWND window) {
    wchar_t buffer[8192] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, sizeof buffer / sizeof buffer[0], reinterpret_cast<LPARAM>(buffer),
                             SMTO_ABORTIFHUNG, 5000, &length)) {
        return {};
    }
    return Utf8(std::wstring(buffer, length));
}

std::string ClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && IsWindowVisible(window)) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Every wait ends by the run's deadline at the latest, so a launcher that hangs fails its
// test within DefaultTimeoutMs of its start.
DWORD Launcher::Bounded(DWORD timeoutMs) const {
    const DWORD used = GetTickCount() - Started_;
    const DWORD left = used >= DefaultTimeoutMs ? 0 : DefaultTimeoutMs - used;
    return timeoutMs < left ? timeoutMs : left;
}

HWND Launcher::WaitForWindow(const std::string& className, DWORD timeoutMs) {
    timeoutMs = Bounded(timeoutMs);
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND window : TopLevelWindows(ProcessId())) {
            if (ClassName(window) == className) return window;
        }
        if (GetTickCount() - start >= timeoutMs || !Running()) return nullptr;
        Sleep(50);
    }
}

std::optional<BoxInfo> Launcher::WaitForBox(DWORD timeoutMs) {
    HWND box = WaitForWindow("#32770", timeoutMs);
    if (box == nullptr) return std::nullopt;
    return ReadBox(box);
}

BoxInfo ReadBox(HWND box) {
    Sleep(100); // let the box finish laying out its text
    BoxInfo info;
    info.window = box;
    info.caption = WindowText(box);
    HWND label = GetDlgItem(box, 0xFFFF);
    info.text = label != nullptr ? WindowText(label) : std::string();
    return info;
}

void Launcher::PressOk(HWND box) {
    HWND button = GetDlgItem(box, IDOK);
    if (button == nullptr) button = GetDlgItem(box, IDCANCEL);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button ? GetDlgCtrlID(button) : IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    const DWORD start = GetTickCount();
    while (IsWindow(box) && IsWindowVisible(box) && GetTickCount() - start < 10000) Sleep(20);
}

BoxInfo Launcher::Dismiss(DWORD timeoutMs) {
    auto box = WaitForBox(timeoutMs);
    if (!box) return {};
    PressOk(box->window);
    return *box;
}

std::vector<BoxInfo> Launcher::DismissAllUntilExit(DWORD timeoutMs) {
    timeoutMs = Bounded(timeoutMs);
    std::vector<BoxInfo> boxes;
    const DWORD start = GetTickCount();
    while (Running() && GetTickCount() - start < timeoutMs) {
        auto box = WaitForBox(200);
        if (box) {
            PressOk(box->window);
            boxes.push_back(*box);
        }
    }
    return boxes;
}

std::optional<DWORD> Launcher::WaitForExit(DWORD timeoutMs) {
    return ExitCodeWithin(Info_.hProcess, Bounded(timeoutMs));
}

std::vector<HWND> ChildWindows(HWND parent, const std::string& className) {
    struct Search {
        std::string className;
        std::vector<HWND> found;
    } search{className, {}};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (s->className.empty() || _stricmp(ClassName(window).c_str(), s->className.c_str()) == 0) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindChild(HWND parent, const std::string& className, const std::string& text) {
    for (HWND child : ChildWindows(parent, className)) {
        if (text.empty() || WindowText(child) == text) return child;
    }
    return nullptr;
}

namespace {
std::vector<std::string> Items(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage) {
    std::vector<std::string> items;
    const LRESULT count = SendMessageW(control, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(control, lengthMessage, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(control, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
        items.push_back(Utf8(text));
    }
    return items;
}
} // namespace

std::vector<std::string> ListBoxItems(HWND list) { return Items(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }
std::vector<std::string> ComboBoxItems(HWND combo) {
    return Items(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

namespace registry {

// The stored UTF-16 text up to its first NUL, in UTF-8.
std::optional<std::string> RegText(HKEY root, const char* path, const char* name, DWORD* type) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, Wide(path).c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
    wchar_t data[4096] = {};
    DWORD size = sizeof data - sizeof data[0];
    DWORD found = 0;
    const LONG status = RegQueryValueExW(key, Wide(name).c_str(), nullptr, &found, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    if (type != nullptr) *type = found;
    return Utf8(data);
}

void SetRegValue(HKEY root, const char* path, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, Wide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error(std::string("cannot create registry key ") + path);
    }
    const LONG status = RegSetValueExW(key, Wide(name).c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) throw std::runtime_error(std::string("cannot set registry value ") + name);
}

void SetRegText(HKEY root, const char* path, const char* name, const std::string& text, DWORD type) {
    const std::wstring wide = Wide(text);
    SetRegValue(root, path, name, type, wide.c_str(), static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

void SetRegDword(HKEY root, const char* path, const char* name, DWORD value) {
    SetRegValue(root, path, name, REG_DWORD, &value, sizeof value);
}

void DeleteRegKey(HKEY root, const char* path) {
    RegDeleteTreeW(root, Wide(path).c_str());
    RegDeleteKeyW(root, Wide(path).c_str());
}

void DeleteRegValue(HKEY root, const char* path, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, Wide(path).c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, Wide(name).c_str());
    RegCloseKey(key);
}

void WindowsLikeMachine() {
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, Wide(MappingKey).c_str());
    SetRegText(HKEY_LOCAL_MACHINE, MappingKey, "shell", SysMapping);
    SetRegText(HKEY_LOCAL_MACHINE, Winlogon, "Shell", "explorer.exe");
    DeleteRegValue(HKEY_CURRENT_USER, Winlogon, "Shell");
}

Stored Read(HKEY root, const char* path, const char* name) {
    Stored stored;
    stored.text = RegText(root, path, name, &stored.type);
    return stored;
}

ShellSetting CurrentSetting() {
    return {Read(HKEY_CURRENT_USER, Winlogon, "Shell"), Read(HKEY_LOCAL_MACHINE, Winlogon, "Shell"),
            Read(HKEY_LOCAL_MACHINE, MappingKey, "shell")};
}

ReadOnlyKey::ReadOnlyKey(HKEY root, const char* path) {
    if (RegOpenKeyExA(root, path, 0, READ_CONTROL | WRITE_DAC, &Key_) != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot open " << path;
        Key_ = nullptr;
        return;
    }
    DWORD size = 0;
    RegGetKeySecurity(Key_, DACL_SECURITY_INFORMATION, nullptr, &size);
    Original_.resize(size);
    if (size == 0 || RegGetKeySecurity(Key_, DACL_SECURITY_INFORMATION, Original_.data(), &size) != ERROR_SUCCESS) {
        Original_.clear();
    }
    Set("D:P(A;;KR;;;WD)");
}

ReadOnlyKey::~ReadOnlyKey() {
    if (Key_ == nullptr) return;
    if (!Original_.empty()) {
        RegSetKeySecurity(Key_, DACL_SECURITY_INFORMATION, Original_.data());
    } else {
        Set("D:P(A;;KA;;;WD)");
    }
    RegCloseKey(Key_);
}

void ReadOnlyKey::Set(const char* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr));
    EXPECT_EQ(RegSetKeySecurity(Key_, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
    LocalFree(descriptor);
}

std::ostream& operator<<(std::ostream& out, const ShellSetting& setting) {
    const auto show = [&out](const char* label, const Stored& stored) {
        out << label << "=" << stored.text.value_or("(none)") << " (" << stored.type << ") ";
    };
    show("user", setting.user);
    show("machine", setting.machine);
    show("mapping", setting.mapping);
    return out;
}

std::string WindowsFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetWindowsDirectoryW(folder, MAX_PATH);
    return Utf8(folder);
}

} // namespace registry

bool SaveScreenshot(const std::string& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
        const DWORD imageSize = stride * static_cast<DWORD>(height);
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + imageSize;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
        out.write(static_cast<const char*>(bits), imageSize);
        saved = static_cast<bool>(out);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

namespace {
// Closes a kernel handle when it goes out of scope.
struct OwnedHandle {
    HANDLE handle;
    ~OwnedHandle() {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

// Starts exe with the arguments (each quoted) in the runs folder, handing it the standard
// handles of startup when it names them, and waits for it: its exit code, or nothing when it
// cannot be started or does not end in time (it is then ended).
std::optional<DWORD> RunToExit(const std::string& exe, const std::vector<std::string>& arguments, STARTUPINFOW& startup,
                               DWORD flags, DWORD timeoutMs) {
    std::wstring commandLine = L"\"" + Wide(exe) + L"\"";
    for (const std::string& argument : arguments) commandLine += L" \"" + Wide(argument) + L"\"";
    PROCESS_INFORMATION process{};
    const BOOL inherit = (startup.dwFlags & STARTF_USESTDHANDLES) != 0;
    if (!CreateProcessW(Wide(exe).c_str(), commandLine.data(), nullptr, nullptr, inherit, flags, nullptr,
                        Wide(Config().runs).c_str(), &startup, &process)) {
        return std::nullopt;
    }
    OwnedHandle thread{process.hThread};
    OwnedHandle child{process.hProcess};
    return ExitCodeWithin(child.handle, timeoutMs);
}
} // namespace


std::optional<ProgramRun> RunConsoleProgram(const std::string& exe, const std::vector<std::string>& arguments, DWORD timeoutMs) {
    static int runs = 0;
    const std::string outputPath = Config().runs + "\\console-output-" + std::to_string(++runs) + ".txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    OwnedHandle output{CreateFileW(Wide(outputPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (output.handle == INVALID_HANDLE_VALUE) return std::nullopt;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output.handle;
    startup.hStdError = output.handle;
    const std::optional<DWORD> code = RunToExit(exe, arguments, startup, 0, timeoutMs);
    if (!code) return std::nullopt;
    ProgramRun run;
    run.exitCode = *code;
    for (const char c : ReadWholeFile(outputPath)) {
        if (c != '\r') run.output.push_back(c); // CR LF from the console runtime becomes LF
    }
    return run;
}

std::optional<DWORD> RunUnread(const std::string& exe, const std::vector<std::string>& arguments, NoReader output,
                               DWORD timeoutMs) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    OwnedHandle null{output == NoReader::NullDevice
                         ? CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr)
                         : INVALID_HANDLE_VALUE};
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output == NoReader::NullDevice) {
        if (null.handle == INVALID_HANDLE_VALUE) return std::nullopt;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = null.handle;
        startup.hStdError = null.handle;
    }
    // DETACHED_PROCESS: no console of the driver's to write to either.
    return RunToExit(exe, arguments, startup, DETACHED_PROCESS, timeoutMs);
}

std::optional<Picture> LoadBitmapFile(const std::string& path) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(nullptr, Wide(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (bitmap == nullptr) return std::nullopt;
    BITMAP shape{};
    GetObjectA(bitmap, sizeof shape, &shape);
    Picture picture;
    picture.width = shape.bmWidth;
    picture.height = shape.bmHeight;
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height; // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(picture.height), picture.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    if (rows != picture.height) return std::nullopt;
    for (std::uint32_t& pixel : picture.pixels) pixel &= 0xFFFFFF;
    return picture;
}

std::optional<std::string> ReadUserString(const std::string& key, const std::string& value) {
    wchar_t buffer[4096] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, Wide(key).c_str(), Wide(value).c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return Utf8(buffer);
}

void WriteUserString(const std::string& key, const std::string& value, const std::string& text) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, Wide(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS) {
        throw std::runtime_error("cannot create HKCU\\" + key);
    }
    const std::wstring wide = Wide(text);
    const LONG written = RegSetValueExW(handle, Wide(value).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                                        static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    if (written != ERROR_SUCCESS) throw std::runtime_error("cannot write HKCU\\" + key + " " + value);
}

namespace {
constexpr const char* DesktopKey = "Control Panel\\Desktop";
} // namespace

ScreenDpi::ScreenDpi(DWORD dpi) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, DesktopKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        DWORD value = 0;
        DWORD size = sizeof value;
        DWORD type = 0;
        if (RegQueryValueExA(key, "LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
                ERROR_SUCCESS &&
            type == REG_DWORD) {
            Previous_ = value;
        }
        RegCloseKey(key);
    }
    registry::SetRegValue(HKEY_CURRENT_USER, DesktopKey, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

ScreenDpi::~ScreenDpi() {
    if (Previous_) {
        const DWORD value = *Previous_;
        registry::SetRegValue(HKEY_CURRENT_USER, DesktopKey, "LogPixels", REG_DWORD, &value, sizeof value);
    } else {
        registry::DeleteRegValue(HKEY_CURRENT_USER, DesktopKey, "LogPixels");
    }
}

Picture CaptureClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    Picture picture;
    picture.width = client.right;
    picture.height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr && bits != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, picture.width, picture.height, screen, origin.x, origin.y, SRCCOPY);
        GdiFlush();
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        picture.pixels.assign(pixels, pixels + static_cast<std::size_t>(picture.width) * picture.height);
        for (auto& pixel : picture.pixels) pixel &= 0xFFFFFF;
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

void PaintOverClient(HWND window, COLORREF colour) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    HDC screen = GetDC(nullptr);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(screen, &client, brush);
    DeleteObject(brush);
    ReleaseDC(nullptr, screen);
}

std::string SystemText(DWORD code, const std::string& file) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
                                        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = length > 0 && buffer != nullptr ? Utf8(std::wstring(buffer, length)) : std::string();
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\n')) text.pop_back();
    const std::size_t insert = text.find("%1");
    if (insert != std::string::npos) text.replace(insert, 2, file);
    return text;
}

} // namespace e2e
