// The platform services of the native configuration checker, corvane-check, on a system
// without Windows. They see one folder of the host, the checked program folder, in place of
// the program folder of corvane.exe: a path relative to it (without drive, root or "..") names
// the file at that place in the folder, its names matched without regard to ASCII letter case
// as Windows matches them. Any other path (C:\..., \\server\...) names nothing here. The
// services never change a file: every write is refused. There is no registry, no icon and no
// program start.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/ShellServices.h"
#include "platform/SystemInfo.h"

namespace corvane::platform::native {

class NativeFileSystem final : public FileSystem {
public:
    explicit NativeFileSystem(std::filesystem::path folder);

    // The host file that a path of the configuration stands for; nothing when the path lies
    // outside the folder or cannot be told here.
    std::optional<std::filesystem::path> Map(const std::string& path) const;

    std::string ExePath() override { return "corvane.exe"; }
    std::string LocalAppDataFolder() override { return {}; }
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    std::optional<FileStamp> Stamp(const std::string& path) override;
    std::string FullPath(const std::string& path) override { return path; }
    std::string ReadFile(const std::string& path) override;
    bool CreateEmptyFile(const std::string&) override { return false; }
    bool CreateDirectory(const std::string&) override { return false; }
    bool CopyFile(const std::string&, const std::string&, bool) override { return false; }
    bool WriteFile(const std::string&, const std::string&) override { return false; }
    std::unique_ptr<OutputFile> CreateOutputFile(const std::string&) override { return nullptr; }
    bool ReplaceFile(const std::string&, const std::string&) override { return false; }
    bool DeleteFile(const std::string&) override { return false; }

private:
    std::filesystem::path Folder_;
};

// Output to the standard output; a message that the launcher would show in a box goes to the
// standard error (the checker shows none).
class NativeDialogs final : public Dialogs {
public:
    void SetTitle(const std::string& title) override { Title_ = title; }
    void ShowMessage(const std::string& text) override;
    void ShowErrorBox(const std::string& caption, const std::string& text) override;
    void WriteOutput(const std::string& text, Unread unread) override;

private:
    std::string Title_;
};

// The user from the environment (USER, else LOGNAME); texts compared ignoring ASCII letter case;
// no system colours and no high-contrast mode.
class NativeSystemInfo final : public SystemInfo {
public:
    std::optional<std::string> UserName() override;
    int PlatformId() override { return 2; }
    std::uint32_t TickCount() override;
    int CompareText(const std::string& a, const std::string& b) override;
    std::string FromLegacyCodePage(std::string_view bytes) override;
    std::uint32_t SysColor(int) override { return 0; }
    bool HighContrast() override { return false; }
    std::string ProgramVersion() override { return {}; }
    std::string WindowsFolder() override { return "C:\\Windows\\"; }
};

// No icons and no program start.
class NativeShell final : public ShellServices {
public:
    int SysIconIndex(const std::string&) override { return 0; }
    platform::ProgramStart Execute(const std::string&, const std::string&, const std::string&) override { return {}; }
};

} // namespace corvane::platform::native
