// In-memory stand-ins for the platform services, for unit tests of the portable core.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Errors.h"
#include "platform/EventLog.h"
#include "platform/Platform.h"
#include "platform/Processes.h"
#include "platform/FileSecurity.h"
#include "record/EventRecord.h"
#include "support/FakeRecordStore.h"

namespace corvane::testing {

// Writes into the entry of a fake file system's map; a gap before an offset reads as zeros. A
// write that would make the file longer than `limit` fails, as on a full disk.
class FakeOutputFile final : public platform::OutputFile {
public:
    FakeOutputFile(std::map<std::string, std::string>& files, std::string path, std::size_t limit)
        : Files_(files), Path_(std::move(path)), Limit_(limit) {}
    bool WriteAt(std::uint64_t offset, std::string_view data) override {
        if (offset + data.size() > Limit_) return false;
        std::string& content = Files_[Path_];
        if (content.size() < offset + data.size()) content.resize(offset + data.size());
        content.replace(offset, data.size(), data);
        return true;
    }

private:
    std::map<std::string, std::string>& Files_;
    std::string Path_;
    std::size_t Limit_;
};

class FakeFileSystem : public platform::FileSystem {
public:
    std::string exePath = "C:\\Launch\\corvane.exe";
    std::string localAppData = "C:\\Users\\operator\\AppData\\Local\\";
    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::set<std::string> unreadable; // exist, but cannot be opened
    std::set<std::string> readOnlyFolders;
    std::set<std::string> locked; // in use: can be read, but neither replaced nor deleted
    std::vector<std::pair<std::string, std::string>> copies;
    std::size_t fileSizeLimit = SIZE_MAX; // files written piece by piece grow no larger

    std::string ExePath() override { return exePath; }
    std::string LocalAppDataFolder() override { return localAppData; }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    // A folder that was made, or one that holds a file.
    bool FolderExists(const std::string& path) override {
        const std::string folder = !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
        if (folder.empty() || folders.count(folder) != 0) return true;
        const auto next = files.lower_bound(folder + "\\");
        return next != files.end() && next->first.rfind(folder + "\\", 0) == 0;
    }
    // The content's size and hash: any change of the content shows.
    std::optional<platform::FileStamp> Stamp(const std::string& path) override {
        const auto found = files.find(path);
        if (found == files.end()) return std::nullopt;
        ++stampRequests;
        return platform::FileStamp{found->second.size(),
                                   static_cast<std::int64_t>(std::hash<std::string>()(found->second))};
    }
    std::string FullPath(const std::string& path) override { return path; }
    int stampRequests = 0;
    int reads = 0;
    std::string ReadFile(const std::string& path) override {
        if (unreadable.count(path) != 0 || files.count(path) == 0) throw EFOpenError(path);
        ++reads;
        return files.at(path);
    }
    bool CreateEmptyFile(const std::string& path) override { return WriteFile(path, ""); }
    bool CreateDirectory(const std::string& path) override {
        if (folders.count(path) != 0 || !Writable(path)) return false;
        folders.insert(path);
        return true;
    }
    bool CopyFile(const std::string& source, const std::string& target, bool failIfExists) override {
        copies.emplace_back(source, target);
        if (files.count(source) == 0 || (failIfExists && files.count(target) != 0) || !Writable(target)) return false;
        files[target] = files[source];
        return true;
    }
    bool WriteFile(const std::string& path, const std::string& data) override {
        if (!Writable(path)) return false;
        files[path] = data;
        return true;
    }
    std::unique_ptr<platform::OutputFile> CreateOutputFile(const std::string& path) override {
        if (!Writable(path)) return nullptr;
        files[path].clear();
        return std::make_unique<FakeOutputFile>(files, path, fileSizeLimit);
    }
    bool ReplaceFile(const std::string& source, const std::string& target) override {
        if (files.count(source) == 0 || !Writable(target)) return false;
        files[target] = files[source];
        files.erase(source);
        return true;
    }
    bool DeleteFile(const std::string& path) override { return locked.count(path) == 0 && files.erase(path) != 0; }

private:
    bool Writable(const std::string& path) const {
        if (locked.count(path) != 0) return false;
        for (const auto& folder : readOnlyFolders) {
            if (path.rfind(folder, 0) == 0) return false;
        }
        return true;
    }
};

class FakeDialogs : public platform::Dialogs {
public:
    std::string title;
    std::vector<std::string> messages;
    std::vector<std::pair<std::string, std::string>> errorBoxes;
    std::string output; // what the command-line options wrote
    std::function<void(const std::string&)> onMessage; // runs while a box is "open"

    void SetTitle(const std::string& t) override { title = t; }
    void ShowMessage(const std::string& text) override {
        messages.push_back(text);
        if (onMessage) onMessage(text);
    }
    void ShowErrorBox(const std::string& caption, const std::string& text) override {
        errorBoxes.emplace_back(caption, text);
    }
    void WriteOutput(const std::string& text, Unread unread) override {
        output += text;
        unreadOutput = unread;
    }
    Unread unreadOutput = Unread::Box; // as the last output asked
};

class FakeSystemInfo : public platform::SystemInfo {
public:
    std::optional<std::string> userName = std::string("operator");
    int platformId = 2;
    std::uint32_t tick = 1000;
    std::uint32_t tickStep = 0; // added after every reading

    std::optional<std::string> UserName() override { return userName; }
    int PlatformId() override { return platformId; }
    std::uint32_t TickCount() override {
        const std::uint32_t now = tick;
        tick += tickStep;
        return now;
    }
    int CompareText(const std::string& a, const std::string& b) override;
    std::string FromLegacyCodePage(std::string_view bytes) override;
    // System colours: those in sysColours, any other one (index * 0x010101) grey.
    std::map<int, std::uint32_t> sysColours;
    std::uint32_t SysColor(int index) override {
        const auto found = sysColours.find(index);
        return found != sysColours.end() ? found->second : 0x010101u * static_cast<std::uint32_t>(index & 0xFF);
    }
    bool highContrast = false;
    bool HighContrast() override { return highContrast; }
    std::string version = "3.0.0.0";
    std::string ProgramVersion() override { return version; }
    std::string windowsFolder = "C:\\Windows\\";
    std::string WindowsFolder() override { return windowsFolder; }
};

// Processes by identity: those in `running` run; this program is `current`. WaitForEnd ends a
// process when its `endsAfterWaits` count runs out; Start records the command lines.
class FakeProcesses : public platform::Processes {
public:
    platform::ProcessIdentity current{100, 5000};
    std::set<std::pair<std::uint32_t, std::uint64_t>> running{{100, 5000}};
    int endsAfterWaits = -1; // -1: processes never end by themselves
    int waits = 0;
    std::vector<std::string> started;
    bool refuseStart = false;
    std::function<void()> onWait;  // runs at every wait (a test changes the world meanwhile)
    std::function<void()> onStart; // runs at every start

    platform::ProcessIdentity Current() override { return current; }
    std::optional<platform::ProcessIdentity> Identify(std::uint32_t id) override {
        for (const auto& [runningId, startTime] : running) {
            if (runningId == id) return platform::ProcessIdentity{runningId, startTime};
        }
        return std::nullopt;
    }
    bool IsRunning(const platform::ProcessIdentity& p) override { return running.count({p.Id, p.StartTime}) != 0; }
    bool WaitForEnd(const platform::ProcessIdentity& p, std::uint32_t) override {
        ++waits;
        if (onWait) onWait();
        if (endsAfterWaits >= 0 && waits >= endsAfterWaits) running.erase({p.Id, p.StartTime});
        return !IsRunning(p);
    }
    bool Start(const std::string& exe, const std::string& arguments) override {
        started.push_back(exe + " " + arguments);
        if (onStart) onStart();
        return !refuseStart;
    }

    // Held processes: each wait gives the next of exitCodes, nothing (the session's end) when
    // they have run out.
    struct Held : platform::HeldProcess {
        explicit Held(platform::ProcessIdentity id) : Id(id) {}
        platform::ProcessIdentity Identity() const override { return Id; }
        platform::ProcessIdentity Id;
    };
    std::vector<std::uint32_t> exitCodes;
    std::vector<platform::ProcessIdentity> waitedOn;
    std::string HoldName(const platform::HeldProcess& p) override { return "hold" + std::to_string(p.Identity().Id); }
    bool StartHolding(const std::string& exe, const std::string& arguments, const platform::HeldProcess&) override {
        return Start(exe, arguments);
    }
    std::shared_ptr<platform::HeldProcess> HeldBy(const std::string& name) override {
        if (name.rfind("hold", 0) != 0) return nullptr;
        return std::make_shared<Held>(platform::ProcessIdentity{static_cast<std::uint32_t>(std::stoul(name.substr(4))), 1});
    }
    std::optional<std::uint32_t> WaitForExitOrSessionEnd(platform::HeldProcess& p) override {
        waitedOn.push_back(p.Identity());
        if (onWait) onWait();
        if (waitedOn.size() > exitCodes.size()) return std::nullopt;
        return exitCodes[waitedOn.size() - 1];
    }
};

// Files that only administrators may change, but those given other descriptors; the user of the
// run is "operator", no administrator.
class FakeFileSecurity : public platform::FileSecurity {
public:
    static constexpr const char* Clean = "O:BAD:(A;;FA;;;BA)(A;;FA;;;SY)(A;;0x1200a9;;;BU)";
    std::map<std::string, std::string> descriptors; // by path
    std::string user = "S-1-5-21-7-7-7-1001";
    std::set<std::string> administrators;
    bool systemPermissions = true;

    std::optional<std::string> Descriptor(const std::string& path) override {
        const auto found = descriptors.find(path);
        return found != descriptors.end() ? found->second : std::string(Clean);
    }
    std::string CurrentUser() override { return user; }
    bool IsAdministrator(const std::string& sid) override { return administrators.count(sid) != 0; }
    std::string AccountName(const std::string& sid) override {
        if (sid == "S-1-1-0") return "Everyone";
        if (sid == "S-1-5-32-545") return "BUILTIN\\Users";
        return sid == user ? "PC\\operator" : sid;
    }
    bool SystemPermissions() override { return systemPermissions; }
};

// The events written to the system's event log, in order.
class FakeEventLog : public platform::EventLog {
public:
    struct TEvent {
        platform::EventLevel level;
        std::uint16_t id;
        std::string text;
    };
    std::vector<TEvent> events;
    void Report(platform::EventLevel level, std::uint16_t id, const std::string& text) noexcept override {
        events.push_back({level, id, text});
    }
    // The identifiers of the events, in order.
    std::vector<std::uint16_t> Ids() const {
        std::vector<std::uint16_t> ids;
        for (const TEvent& event : events) ids.push_back(event.id);
        return ids;
    }
};

// Installs a set of fakes for the lifetime of the object and restores the previous services.
class FakePlatform {
public:
    FakePlatform();
    ~FakePlatform();
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    FakeFileSystem files;
    FakeDialogs dialogs;
    FakeSystemInfo system;
    FakeProcesses processes;
    FakeFileSecurity security;
    FakeEventLog eventLog;
    // The logon record, kept in memory.
    FakeRecordStore recordStore;
    TEventRecord record{recordStore, 100};

    // Installs the current members again, after a test has replaced one of the services.
    void Reinstall();
    platform::Services services;

private:
    platform::Services previous_;
    TEventRecord* previousRecord_ = nullptr;
};

} // namespace corvane::testing
