// The logon record's file and clock in memory: the current file and the older one, with the
// refusals a real system can give.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/RecordStore.h"

namespace corvane::testing {

class FakeRecordStore final : public platform::RecordStore {
public:
    platform::LocalTime now{2026, 12, 9, 8, 1, 2, 345};
    std::optional<std::string> file;  // logon.log; none until the first line
    std::optional<std::string> older; // logon.log.1
    bool opens = true;                // false: no folder, or a read-only or locked file
    bool retires = true;              // false: the older file cannot be replaced
    bool appends = true;              // false: a full disk
    std::size_t diskRoom = SIZE_MAX;  // the bytes that the disk takes before it is full
    std::size_t writeChunk = SIZE_MAX; // the most bytes that one write takes
    bool takesBack = true;            // false: the file cannot be cut back

    platform::LocalTime Now() override { return now; }
    std::unique_ptr<platform::RecordFile> Open() override {
        if (!opens) return nullptr;
        if (!file) file.emplace();
        return std::make_unique<File>(*this);
    }

    // The events of the current file, each without its time and process id.
    std::vector<std::string> Events() const {
        std::vector<std::string> events;
        const std::string text = file.value_or("");
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = text.find("\r\n", at);
            const std::string line = text.substr(at, end - at);
            const std::size_t event = line.find("] ");
            events.push_back(event == std::string::npos ? line : line.substr(event + 2));
            at = end == std::string::npos ? text.size() : end + 2;
        }
        return events;
    }

private:
    class File final : public platform::RecordFile {
    public:
        explicit File(FakeRecordStore& store) : Store_(store) {}
        std::uint64_t Size() override { return Store_.file->size(); }
        std::size_t Append(std::string_view bytes) override {
            if (!Store_.appends) return 0;
            const std::size_t taken = std::min({bytes.size(), Store_.diskRoom, Store_.writeChunk});
            Store_.diskRoom -= taken;
            Store_.file->append(bytes.substr(0, taken));
            return taken;
        }
        bool TakeBack(std::uint64_t size) override {
            if (!Store_.takesBack) return false;
            Store_.file->resize(size);
            return true;
        }
        bool Retire() override {
            if (!Store_.retires) return false;
            Store_.older = std::move(Store_.file);
            Store_.file.reset();
            return true;
        }

    private:
        FakeRecordStore& Store_;
    };
};

} // namespace corvane::testing
