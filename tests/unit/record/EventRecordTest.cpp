#include <gtest/gtest.h>

#include "record/EventRecord.h"
#include "support/FakeRecordStore.h"

namespace corvane {
namespace {

TEST(EventRecordTest, EachLineBeginsWithTheLocalTimeToTheMillisecondAndTheProcess) {
    const struct {
        platform::LocalTime time;
        std::uint32_t process;
        const char* line;
    } cases[] = {
        {{2026, 12, 9, 8, 1, 2, 345}, 1234, "2026-12-09 08:01:02.345 [1234] start\r\n"},
        {{2027, 1, 5, 0, 0, 0, 7}, 8, "2027-01-05 00:00:00.007 [8] start\r\n"},
        {{1999, 10, 31, 23, 59, 59, 999}, 4294967295u, "1999-10-31 23:59:59.999 [4294967295] start\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TEventRecord::Line(c.time, c.process, "start"), c.line);
    }
}

TEST(EventRecordTest, AnEventOfManyLinesBecomesOneLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"one\r\ntwo", "one / two"},
        {"one\ntwo\rthree", "one / two / three"},
        {"Put back:\n  the user's shell: \"x\"\n", "Put back: / the user's shell: \"x\""},
        {"one\r\n\r\n\r\ntwo", "one / two"},
        {"\r\nleading", "leading"},
        {"trailing  \r\n", "trailing"},
        {"tab\there\x01" "and\x7f", "tab here and "},
        {"", ""},
        {"\r\n", ""},
    };
    for (const auto& [text, line] : cases) {
        EXPECT_EQ(TEventRecord::OneLine(text), line) << text;
    }
}

TEST(EventRecordTest, AnEventIsCutAfterItsLimitAndSaysSo) {
    const std::string exact(TEventRecord::MaxEventBytes, 'x');
    EXPECT_EQ(TEventRecord::OneLine(exact), exact);
    EXPECT_EQ(TEventRecord::OneLine(exact + "y"), exact + std::string(TEventRecord::CutMark));
    EXPECT_EQ(TEventRecord::OneLine(exact + "\n"), exact) << "a line break at the end is no character";
}

// The file fills up to the last byte; the line that would take it past the bound starts a new one.
TEST(EventRecordTest, AFullFileBecomesTheOlderRecordAndANewOneBegins) {
    const std::string line = TEventRecord::Line(testing::FakeRecordStore().now, 100, "event");
    const struct {
        std::uint64_t before; // bytes in the file before the line
        bool retired;
    } cases[] = {
        {0, false},
        {TEventRecord::MaxFileBytes - line.size() - 1, false},
        {TEventRecord::MaxFileBytes - line.size(), false},
        {TEventRecord::MaxFileBytes - line.size() + 1, true},
        {TEventRecord::MaxFileBytes, true},
        {TEventRecord::MaxFileBytes + 100, true}, // made larger by something else
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        testing::FakeRecordStore store;
        store.file = std::string(c.before, 'a');
        store.older = "an older record";
        TEventRecord(store, 100).Write("event");
        if (c.retired) {
            EXPECT_EQ(store.older, std::string(c.before, 'a'));
            EXPECT_EQ(store.file, line);
        } else {
            EXPECT_EQ(store.older, "an older record");
            EXPECT_EQ(store.file, std::string(c.before, 'a') + line);
            EXPECT_LE(store.file->size(), TEventRecord::MaxFileBytes);
        }
    }
}

TEST(EventRecordTest, LinesThatCannotBeWrittenAreDroppedAndTheBoundHolds) {
    testing::FakeRecordStore store;
    TEventRecord record(store, 100);
    store.opens = false;
    record.Write("no folder");
    EXPECT_EQ(store.file, std::nullopt);

    store.opens = true;
    store.file = std::string(TEventRecord::MaxFileBytes, 'a');
    store.retires = false; // the older record is locked
    record.Write("does not fit");
    EXPECT_EQ(store.file->size(), TEventRecord::MaxFileBytes);
    EXPECT_EQ(store.older, std::nullopt);

    store.file.reset();
    store.appends = false;
    record.Write("disk full");
    store.appends = true;
    record.Write("written");
    EXPECT_EQ(store.Events(), (std::vector<std::string>{"3 lines were dropped", "written"}));
    record.Write("next");
    EXPECT_EQ(store.Events().back(), "next") << "counted once";
}

// A write that the disk cuts short is carried on, or else taken back; a part that cannot be taken
// back is ended before the next lines, so that every line in the file is whole.
TEST(EventRecordTest, ALineIsWholeOrAbsent) {
    const std::string line = TEventRecord::Line(testing::FakeRecordStore().now, 100, "cut");
    const std::string next = TEventRecord::Line(testing::FakeRecordStore().now, 100, "next");
    const std::string dropped = TEventRecord::Line(testing::FakeRecordStore().now, 100, "1 line was dropped");
    const struct {
        const char* name;
        std::size_t writeChunk, diskRoom;
        bool takesBack;
        std::string file; // after "cut", then "next" with room on the disk again
    } cases[] = {
        {"short writes", 7, SIZE_MAX, true, "x\r\n" + line + next},
        {"a full disk", SIZE_MAX, 5, true, "x\r\n" + dropped + next},
        {"a full disk, and no taking back", SIZE_MAX, 5, false, "x\r\n" + line.substr(0, 5) + "\r\n" + dropped + next},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::FakeRecordStore store;
        store.file = "x\r\n";
        store.writeChunk = c.writeChunk;
        store.diskRoom = c.diskRoom;
        store.takesBack = c.takesBack;
        TEventRecord record(store, 100);
        record.Write("cut");
        store.diskRoom = SIZE_MAX;
        record.Write("next");
        EXPECT_EQ(store.file, c.file);
    }
}

TEST(EventRecordTest, EventsAreAppendedInTheOrderTheyHappen) {
    testing::FakeRecordStore store;
    TEventRecord record(store, 100);
    record.Write("first\nof two lines");
    store.now.Millisecond = 346;
    record.Write("second");
    EXPECT_EQ(store.file, "2026-12-09 08:01:02.345 [100] first / of two lines\r\n"
                          "2026-12-09 08:01:02.346 [100] second\r\n");
}

TEST(EventRecordTest, AProgramWithoutARecordWritesNothing) {
    TEventRecord* const previous = TEventRecord::Use(nullptr);
    EXPECT_NO_THROW(RecordEvent("nowhere"));
    testing::FakeRecordStore store;
    TEventRecord record(store, 7);
    TEventRecord::Use(&record);
    RecordEvent("somewhere");
    TEventRecord::Use(previous);
    EXPECT_EQ(store.file, "2026-12-09 08:01:02.345 [7] somewhere\r\n");
}

} // namespace
} // namespace corvane
