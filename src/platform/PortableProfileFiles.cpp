#include "platform/PortableProfileFiles.h"

#include "platform/Errors.h"
#include "platform/Platform.h"

namespace corvane::platform {

PortableProfileFiles::PortableProfileFiles(std::string windowsFolder) : WindowsFolder_(std::move(windowsFolder)) {}

// A name without a folder and without a drive lies in the Windows folder.
std::string PortableProfileFiles::Resolve(const std::string& file) const {
    const bool bare = file.find_first_of("\\/") == std::string::npos && !(file.size() >= 2 && file[1] == ':');
    return bare ? WindowsFolder_ + file : file;
}

std::optional<ProfileText> PortableProfileFiles::Load(const std::string& path) const {
    if (!Files().FileExists(path)) return ProfileText("");
    try {
        return ProfileText(Files().ReadFile(path));
    } catch (const EFOpenError&) {
        return std::nullopt;
    }
}

std::string PortableProfileFiles::GetString(const std::string& file, const std::string& section,
                                            const std::string& key, const std::string& defaultValue,
                                            std::size_t bufferSize) {
    const std::optional<ProfileText> text = Load(Resolve(file));
    if (!text) return ProfileText::UnreadFileDefault(defaultValue, bufferSize);
    return text->GetString(section, key, defaultValue, bufferSize);
}

std::vector<std::string> PortableProfileFiles::GetKeyNames(const std::string& file, const std::string& section,
                                                           std::size_t bufferSize) {
    const std::optional<ProfileText> text = Load(Resolve(file));
    return text ? text->GetKeyNames(section, bufferSize) : std::vector<std::string>();
}

// The whole file is written anew, as the Windows writer does, and only when it changes.
bool PortableProfileFiles::WriteString(const std::string& file, const std::string& section, const std::string& key,
                                       const std::optional<std::string>& value) {
    const std::string path = Resolve(file);
    std::optional<ProfileText> text = Load(path);
    if (!text) return false;
    if (!text->SetString(section, key, value)) return true;
    return Files().WriteFile(path, text->Text());
}

} // namespace corvane::platform
