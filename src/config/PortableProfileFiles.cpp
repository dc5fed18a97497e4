#include "config/PortableProfileFiles.h"

#include "platform/Errors.h"
#include "platform/Platform.h"
#include "text/Utf.h"
#include "text/WesternCodePage.h"

namespace corvane {

TPortableProfileFiles::TPortableProfileFiles(std::string windowsFolder) : WindowsFolder_(std::move(windowsFolder)) {}

namespace {
// The text in the bytes of an encoding, with its byte order mark.
std::string Encoded(const std::string& text, TTextFile::TEncoding encoding) {
    switch (encoding) {
    case TTextFile::TEncoding::Utf16LE:
        return "\xFF\xFE" + Utf8ToUtf16(text, false);
    case TTextFile::TEncoding::Utf16BE:
        return "\xFE\xFF" + Utf8ToUtf16(text, true);
    case TTextFile::TEncoding::Utf8WithMark:
        return "\xEF\xBB\xBF" + text;
    case TTextFile::TEncoding::Utf8:
    case TTextFile::TEncoding::Legacy:
        break;
    }
    return WesternFromUtf8(text);
}
} // namespace

// A name without a folder and without a drive lies in the Windows folder.
std::string TPortableProfileFiles::Resolve(const std::string& file) const {
    const bool bare = file.find_first_of("\\/") == std::string::npos && !(file.size() >= 2 && file[1] == ':');
    return bare ? WindowsFolder_ + file : file;
}

// A file that is not there is forgotten, so that one made later is read afresh. A file that
// cannot be read is remembered as such only as long as its stamp stays.
const TProfileText* TPortableProfileFiles::Load(const std::string& path) {
    const std::optional<platform::FileStamp> stamp = platform::Files().Stamp(path);
    if (!stamp) {
        Parsed_.erase(path);
        return &Empty_;
    }
    const auto cached = Parsed_.find(path);
    if (cached != Parsed_.end() && cached->second.Stamp == *stamp) {
        return cached->second.Text ? &*cached->second.Text : nullptr;
    }
    Parsed parsed{*stamp, std::nullopt};
    try {
        const TTextFile file(platform::Files().ReadFile(path), TTextFile::TKind::Profile, path);
        parsed.Text.emplace(file.Text);
        parsed.Encoding = file.Encoding;
    } catch (const EFOpenError&) {
    } catch (const EReadError&) {
    } catch (const EEncodingError&) {
    }
    const Parsed& stored = Parsed_.insert_or_assign(path, std::move(parsed)).first->second;
    return stored.Text ? &*stored.Text : nullptr;
}

std::string TPortableProfileFiles::GetString(const std::string& file, const std::string& section,
                                            const std::string& key, const std::string& defaultValue,
                                            std::size_t bufferSize) {
    const TProfileText* text = Load(Resolve(file));
    if (text == nullptr) return TProfileText::UnreadFileDefault(defaultValue, bufferSize);
    return text->GetString(section, key, defaultValue, bufferSize);
}

std::vector<std::string> TPortableProfileFiles::GetKeyNames(const std::string& file, const std::string& section,
                                                           std::size_t bufferSize) {
    const TProfileText* text = Load(Resolve(file));
    return text != nullptr ? text->GetKeyNames(section, bufferSize) : std::vector<std::string>();
}

std::vector<std::string> TPortableProfileFiles::GetSectionNames(const std::string& file, std::size_t bufferSize) {
    const TProfileText* text = Load(Resolve(file));
    return text != nullptr ? text->GetSectionNames(bufferSize) : std::vector<std::string>();
}

// The whole file is written anew, as the Windows writer does, and only when it changes. The
// parse kept is the text written, under the stamp the file has now.
bool TPortableProfileFiles::WriteString(const std::string& file, const std::string& section, const std::string& key,
                                       const std::optional<std::string>& value) {
    const std::string path = Resolve(file);
    const TProfileText* loaded = Load(path);
    if (loaded == nullptr) return false;
    TProfileText text = *loaded;
    if (!text.SetString(section, key, value)) return true;
    const auto known = Parsed_.find(path);
    const TTextFile::TEncoding encoding = known != Parsed_.end() ? known->second.Encoding : TTextFile::TEncoding::Legacy;
    if (!platform::Files().WriteFile(path, Encoded(text.Text(), encoding))) {
        Parsed_.erase(path);
        return false;
    }
    const std::optional<platform::FileStamp> stamp = platform::Files().Stamp(path);
    if (stamp) {
        Parsed_.insert_or_assign(path, Parsed{*stamp, std::move(text), encoding});
    } else {
        Parsed_.erase(path);
    }
    return true;
}

} // namespace corvane
