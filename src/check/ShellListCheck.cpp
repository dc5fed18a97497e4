#include "check/ShellListCheck.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "commands/scrObjLoadShell.h"
#include "config/CorvaneInfo.h"
#include "config/ShellListItem.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "shell/ShellWatcher.h"
#include "text/AsciiText.h"
#include "text/DelimitedText.h"
#include "ui/ApplyWallpaper.h"

namespace corvane {

namespace {

constexpr std::size_t FieldCount = std::size(TShellListItem::FieldNames);

// A field written in double quotes, a quote in it doubled.
std::string QuoteField(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// An entry that the INI reader gives back whole: one that begins and ends with a quote keeps
// them only behind a closing comma (a fifth field, which the launcher ignores).
std::string Kept(std::string entry) {
    if (entry.size() >= 2 && (entry.front() == '"' || entry.front() == '\'') && entry.back() == entry.front()) entry += ',';
    return entry;
}

// What building the item of entry does when it fails: "; it stops at start with ...".
std::string Failure(const std::string& entry) {
    try {
        TShellListItem item(entry);
    } catch (const ECorvaneError& error) {
        return "; then it stops at start with \"" + std::string(error.what()) + "\"";
    }
    return {};
}

// For each name, the position of the first name that the system takes for the same one (its
// letter case ignored, as the chooser's list and the profile reader compare): sorted by the
// system's comparison, equal names stand together in file order.
std::vector<std::size_t> FirstOfEachName(const std::vector<std::string>& names) {
    platform::SystemInfo& system = platform::System();
    std::vector<std::size_t> order(names.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return system.CompareText(names[a], names[b]) < 0; });
    std::vector<std::size_t> first(names.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        const bool same = k > 0 && system.CompareText(names[order[k - 1]], names[order[k]]) == 0;
        first[order[k]] = same ? first[order[k - 1]] : order[k];
    }
    return first;
}

// The fields as the launcher reads them: [a] [b] ...
std::string Listed(const std::vector<std::string>& fields) {
    std::string text;
    for (const std::string& field : fields) text += (text.empty() ? "[" : " [") + field + "]";
    return text.empty() ? "nothing" : text;
}

} // namespace

TShellListCheck::TShellListCheck(TCheckContext& context, const TShellListIO& shells, TIniCheck& ini)
    : Context_(context), Io_(shells), Ini_(ini) {}

void TShellListCheck::Run() {
    if (!Ini_.Exists()) {
        Ini_.Warning(0, TCheckContext::MissingFile(TCorvaneInfo::ShellsFileMissing, ", creates it empty and offers no shell"));
        return;
    }
    if (!Ini_.CheckSection(TShellListIO::Section, {}, false) && Ini_.Parsed()) {
        Ini_.Warning(0, std::string("there is no [") + TShellListIO::Section + "] section: the chooser offers no shell");
    }
    const std::vector<std::string> names = Io_.IniFile.ReadSection(TShellListIO::Section);
    const std::vector<const TProfileText::Key*> listed = ListedKeys(names);
    const bool lastCut = CheckUnlisted(names, listed);
    const std::vector<std::size_t> firstOfName = FirstOfEachName(names);
    for (std::size_t j = 0; j < names.size(); ++j) {
        const int line = listed[j] != nullptr ? listed[j]->line : 0;
        const std::size_t i = firstOfName[j];
        if (i == j) {
            if (!(lastCut && j + 1 == names.size())) CheckEntry(names[j], line);
            continue;
        }
        const std::string where =
            listed[i] != nullptr ? " (line " + std::to_string(listed[i]->line) + ")" : std::string();
        Ini_.Error(line, names[i] == names[j]
                             ? "the shell " + names[j] + " is given again: the chooser lists it twice, both with the "
                                                         "entry of the first" + where
                             : names[j] + " and " + names[i] + where +
                                   " differ only in letter case: the chooser lists both, both with the entry of " +
                                   names[i] + "; give the shells different names");
    }
    Shells.Sort();
}

std::vector<const TProfileText::Key*> TShellListCheck::ListedKeys(const std::vector<std::string>& names) const {
    std::vector<const TProfileText::Key*> listed(names.size(), nullptr);
    const TProfileText* text = Ini_.Text();
    const TProfileText::Section* section = text ? text->FindSection(TShellListIO::Section) : nullptr;
    if (section == nullptr) return listed;
    std::size_t next = 0;
    for (std::size_t j = 0; j < names.size(); ++j) {
        for (std::size_t k = next; k < section->keys.size(); ++k) {
            if (section->keys[k].value && section->keys[k].name == names[j]) {
                listed[j] = &section->keys[k];
                next = k + 1;
                break;
            }
        }
    }
    return listed;
}

// Keys with "=" that the launcher does not list: after a line without a name, the list ends;
// otherwise the names have filled the reader's buffer, which cuts the last name it takes short.
// Names that begin with ";" are comments.
bool TShellListCheck::CheckUnlisted(const std::vector<std::string>& names,
                                    const std::vector<const TProfileText::Key*>& listed) {
    const TProfileText* text = Ini_.Text();
    const TProfileText::Section* section = text ? text->FindSection(TShellListIO::Section) : nullptr;
    if (section == nullptr) return false;
    const std::unordered_set<const TProfileText::Key*> offered(listed.begin(), listed.end());
    const TProfileText::Key* nameless = nullptr;
    for (const TProfileText::Key& key : section->keys) {
        if (!key.value || (!key.name.empty() && key.name.front() == ';')) continue;
        if (offered.count(&key) != 0) {
            if (key.name.front() == '#') {
                Ini_.Warning(key.line, "the chooser offers " + key.name + " as a shell: only \";\" makes a line of "
                                                                           "shells.ini a comment");
            }
            continue;
        }
        if (key.name.empty()) {
            if (nameless == nullptr) nameless = &key;
            continue;
        }
        if (nameless != nullptr) {
            Ini_.Error(nameless->line, "this line has no name before \"=\": the launcher's list of shells ends here, so "
                                       "it never offers " + key.name + " (line " + std::to_string(key.line) +
                                       ") or any shell after it");
            return false;
        }
        const std::string passed = "the shell names pass the " + std::to_string(TIniFile::SectionBufferSize) +
                                   " characters in which the launcher reads them";
        const std::string& last = names.empty() ? key.name : names.back();
        if (listed.empty() || listed.back() != nullptr || last.size() >= key.name.size() ||
            key.name.compare(0, last.size(), last) != 0) {
            Ini_.Warning(key.line, passed + ": it never offers " + key.name + " or any shell after it");
            return false;
        }
        const bool found = !Io_.ReadShellEntry(last).empty();
        Ini_.Error(key.line, passed + ", which cuts this name to " + Quoted(last) + ": " +
                                 (found ? "the launcher offers the shell " + last + " in its place"
                                        : "the launcher finds no entry of that name and stops at start with \"" +
                                              std::string(EListError(0).what()) + "\"") +
                                 "; it never offers a shell after it");
        return !found;
    }
    if (nameless != nullptr) Ini_.Warning(nameless->line, "this line has no name before \"=\": the launcher never reads it");
    return false;
}

// An entry that reads otherwise than it is written is reported once, with what the launcher
// then does; when it builds all the same, the chooser offers it.
void TShellListCheck::CheckEntry(const std::string& name, int line) {
    const std::string entry = Io_.ReadShellEntry(name);
    if (CheckFieldSplit(name, line, entry)) {
        CheckItem(name, line, entry);
        return;
    }
    try {
        auto item = std::make_unique<TShellListItem>(entry);
        item->Name = name;
        Shells.Add(name, std::move(item));
    } catch (const ECorvaneError&) {
        // reported with the fields' split
    }
}

void TShellListCheck::CheckItem(const std::string& name, int line, const std::string& entry) {
    std::unique_ptr<TShellListItem> item;
    try {
        item = std::make_unique<TShellListItem>(entry);
    } catch (const EListError& error) {
        const std::size_t count = TShellListItem::SplitFields(entry).size();
        std::string completed = entry + std::string(FieldCount - std::min(count, FieldCount), ',');
        std::string fix;
        if (entry.find(',') != std::string::npos) {
            fix = "; write an empty field as nothing between commas: " + name + "=" + Kept(completed);
        } else if (!entry.empty()) {
            fix = "; commas separate the fields: program,crash protected,parameters,wallpaper";
        }
        Ini_.Error(line, (entry.empty() ? "the entry of " + name + " is empty"
                                        : name + " has " + std::to_string(count) + " of the " +
                                              std::to_string(FieldCount) +
                                              " fields (program, crash protected, parameters, wallpaper)") +
                             ": the launcher stops at start with \"" + error.what() + "\"" + fix);
        return;
    } catch (const EConvertError& error) {
        const std::vector<std::string> fields = TShellListItem::SplitFields(entry);
        Ini_.Error(line, "the crash protected field of " + name + " is " + Quoted(fields.at(1)) +
                             ", not a number, True or False: the launcher stops at start with \"" + error.what() + "\"");
        return;
    }
    item->Name = name;
    CheckProgram(name, line, item->Path);
    if (item->CrashProtected && !item->Path.empty() && !TShellWatcher::CanWatch(item->Path)) {
        Ini_.Warning(line, name + " is crash protected, but its program " + Quoted(item->Path) +
                               " is a document or a shortcut that another program opens: the launcher cannot know "
                               "that program's process, so nothing starts it again when it crashes");
    }
    CheckWallpaper(name, line, item->Wallpaper);
    Shells.Add(name, std::move(item));
}

bool TShellListCheck::CheckFieldSplit(const std::string& name, int line, const std::string& entry) {
    const std::optional<std::string> raw = Ini_.RawValue(TShellListIO::Section, name);
    if (raw && raw->size() >= 2 && (raw->front() == '"' || raw->front() == '\'') && raw->back() == raw->front()) {
        const std::vector<std::string> read = TShellListItem::SplitFields(entry);
        if (TShellListItem::SplitFields(*raw) != read) {
            Ini_.Error(line, "the entry of " + name + " begins and ends with a quote, and the INI reader drops both: "
                             "the launcher reads its fields as " + Listed(read) + Failure(entry) +
                             "; end the entry with a comma to keep the quotes: " + name + "=" + *raw + ",");
            return false;
        }
    }
    const std::vector<TDelimitedField> fields = SplitDelimitedFields(entry, ',', '"');
    for (std::size_t i = 0; i < fields.size() && i < FieldCount; ++i) {
        if (fields[i].Closed) continue;
        Ini_.Error(line, "the double quote that begins the " + std::string(TShellListItem::FieldNames[i]) + " field of " +
                             name + " is never closed, so that field takes the rest of the entry" + Failure(entry) +
                             "; close the quote");
        return false;
    }
    for (std::size_t i = 0; i < fields.size() && i < FieldCount; ++i) {
        const TDelimitedField& field = fields[i];
        std::size_t after = field.End;
        while (after < entry.size() && IsBlank(entry[after])) ++after;
        if (field.Quoted || after == field.End || after >= entry.size() || entry[after] == ',') continue;
        // An unquoted field that a blank ended, with more text before the next comma.
        const std::size_t comma = std::min(entry.find(',', field.Start), entry.size());
        std::size_t end = comma;
        while (end > field.Start && IsBlank(entry[end - 1])) --end;
        const std::string meant = entry.substr(field.Start, end - field.Start);
        const std::string fixed = entry.substr(0, field.Start) + QuoteField(meant) + entry.substr(comma);
        const std::string next = i + 1 < FieldCount && i + 1 < fields.size()
                                     ? "so the launcher reads " + Quoted(fields[i + 1].Text) + " as its " +
                                           TShellListItem::FieldNames[i + 1] + " field"
                                     : "and the launcher ignores what follows it";
        Ini_.Error(line, "the blank after " + Quoted(field.Text) + " ends the " + TShellListItem::FieldNames[i] +
                             " field of " + name + ", " + next + Failure(entry) +
                             "; put a field that holds blanks in double quotes: " + name + "=" + Kept(fixed));
        return false;
    }
    return true;
}

// What a launch of a program that is not there does: the warning, then the failed start's error.
void TShellListCheck::CheckProgram(const std::string& name, int line, const std::string& path) {
    const std::string launch = "the launcher warns \"" + ShellNotFoundWarning(path) +
                               "\", then says that it could not start it, and starts nothing";
    if (path.empty()) {
        Ini_.Error(line, name + " names no program (its first field is empty): " + launch);
        return;
    }
    const TNamedFile file = Context_.Locate(path);
    if (file.Relative) {
        Ini_.Warning(line, TCheckContext::RelativeWarning("the program of " + name, path));
    } else if (file.Known && !file.Exists) {
        Ini_.Error(line, "the program of " + name + ", " + Quoted(path) + ", is not there: " + launch);
    }
}

// The launcher converts a wallpaper only when a file is there: a relative path it looks for in
// the folder it runs in. One that the check finds (for a relative path, in the program folder)
// is decoded as the launcher decodes it.
void TShellListCheck::CheckWallpaper(const std::string& name, int line, const std::string& path) {
    if (path.empty()) return;
    const TNamedFile file = Context_.Locate(path);
    const std::string what = "the wallpaper of " + name + ", " + Quoted(path) + ",";
    if (file.Relative) {
        Ini_.Warning(line, TCheckContext::RelativeWarning("the wallpaper of " + name, path));
    } else if (file.Known && !file.Exists) {
        Ini_.Warning(line, what + " is not there: the launcher leaves the desktop's wallpaper as it is");
        return;
    }
    if (WallpaperKind(path) == TWallpaperKind::Other) {
        if (!file.Relative) {
            Ini_.Error(line, what + " is no JPEG, GIF or BMP file by its name (.jpg, .jpeg, .gif or .bmp in the path): "
                                    "the launcher converts nothing and shows the wallpaper.bmp of an earlier run, or "
                                    "stops with \"Cannot open file\" before the shell starts when there is none");
        }
        return;
    }
    if (file.Here.empty()) return;
    try {
        DecodeWallpaper(file.Here);
    } catch (const std::exception& error) {
        Ini_.Error(line, what + " does not decode (" + ErrorLine(error) + "): the launcher stops before the shell starts");
    }
}

} // namespace corvane
