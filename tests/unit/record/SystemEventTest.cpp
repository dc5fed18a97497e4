#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "record/SystemEvent.h"

namespace corvane {
namespace {

// The message table that corvane.exe carries (res/events.mc) holds exactly the events that the
// launcher writes, each under its identifier, so that Event Viewer shows every one.
TEST(SystemEventTest, TheMessageTableHoldsEveryEventUnderItsIdentifier) {
    std::ifstream file(CORVANE_SOURCE_DIR "/res/events.mc");
    ASSERT_TRUE(file) << "res/events.mc";
    std::map<int, std::string> table;
    int id = -1;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("MessageId=", 0) == 0) id = std::stoi(line.substr(10));
        if (line.rfind("SymbolicName=", 0) == 0) {
            EXPECT_TRUE(table.emplace(id, line.substr(13)).second) << "two messages " << id;
        }
    }
    std::map<int, std::string> code;
    for (const TSystemEvent& event : SystemEvent::All) {
        EXPECT_TRUE(code.emplace(event.Id, std::string(event.Name)).second) << "two events with identifier " << event.Id;
    }
    EXPECT_EQ(table, code);
}

} // namespace
} // namespace corvane
