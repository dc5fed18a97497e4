// The Windows implementations of the platform interfaces, one class per interface.
#pragma once

#include <string>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/ProfileFiles.h"
#include "platform/SystemInfo.h"

namespace corvane::platform::win32 {

class Win32FileSystem final : public FileSystem {
public:
    std::string ExePath() override;
    std::string LocalAppDataFolder() override;
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    std::optional<FileStamp> Stamp(const std::string& path) override;
    std::string FullPath(const std::string& path) override;
    std::string ReadFile(const std::string& path) override;
    bool CreateEmptyFile(const std::string& path) override;
    bool CreateDirectory(const std::string& path) override;
    bool CopyFile(const std::string& source, const std::string& target, bool failIfExists) override;
    bool WriteFile(const std::string& path, const std::string& data) override;
    std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) override;
    bool ReplaceFile(const std::string& source, const std::string& target) override;
    bool DeleteFile(const std::string& path) override;
};

class Win32Dialogs final : public Dialogs {
public:
    void SetTitle(const std::string& title) override { Title_ = title; }
    void ShowMessage(const std::string& text) override;
    void ShowErrorBox(const std::string& caption, const std::string& text) override;
    void WriteOutput(const std::string& text, Unread unread) override;

private:
    std::string Title_;
};

class Win32SystemInfo final : public SystemInfo {
public:
    std::optional<std::string> UserName() override;
    int PlatformId() override;
    std::uint32_t TickCount() override;
    int CompareText(const std::string& a, const std::string& b) override;
    std::string FromLegacyCodePage(std::string_view bytes) override;
    std::uint32_t SysColor(int index) override;
    bool HighContrast() override;
    std::string ProgramVersion() override;
    std::string WindowsFolder() override;
};

class Win32ProfileFiles final : public ProfileFiles {
public:
    std::string GetString(const std::string& file, const std::string& section, const std::string& key,
                          const std::string& defaultValue, std::size_t bufferSize) override;
    std::vector<std::string> GetKeyNames(const std::string& file, const std::string& section,
                                         std::size_t bufferSize) override;
    std::vector<std::string> GetSectionNames(const std::string& file, std::size_t bufferSize) override;
    bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::optional<std::string>& value) override;
};

} // namespace corvane::platform::win32
