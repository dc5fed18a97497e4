// An in-memory desktop: records the cursor, wallpaper and image-list calls in order.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/DesktopServices.h"

namespace corvane::testing {

class FakeDesktop : public platform::DesktopServices {
public:
    // "cursor busy", "cursor default", "wallpaper <path>", "copy <list>",
    // "destroy <list>", "draw <list> <index> <surface> <x> <y>"
    std::vector<std::string> events;
    platform::Cursor cursor = platform::Cursor::Default;
    std::string wallpaper;        // what the running desktop shows
    bool failCopy = false;
    bool shellRunning = false;    // a desktop shell has registered its window

    static constexpr platform::ImageListHandle LargeList = 0x100;
    static constexpr platform::ImageListHandle SmallList = 0x200;
    static constexpr platform::ImageListHandle ExtraLargeList = 0x300;
    std::map<platform::ImageListHandle, platform::ImageListInfo> lists{
        {LargeList, {32, 32, 40}}, {SmallList, {16, 16, 40}}, {ExtraLargeList, {48, 48, 40}}};
    std::set<platform::ImageListHandle> copies;    // made and not yet destroyed
    std::vector<platform::ImageListHandle> destroyed;

    platform::Cursor CurrentCursor() override { return cursor; }
    void SetCursor(platform::Cursor c) override {
        cursor = c;
        events.push_back(c == platform::Cursor::Busy ? "cursor busy" : "cursor default");
    }
    bool ShellRunning() override { return shellRunning; }
    bool SetWallpaper(const std::string& path) override {
        events.push_back("wallpaper " + path);
        wallpaper = path;
        return true;
    }
    platform::ImageListHandle SystemImageList(platform::IconSize size) override {
        switch (size) {
        case platform::IconSize::Small: return SmallList;
        case platform::IconSize::Large: return LargeList;
        default: return ExtraLargeList;
        }
    }
    platform::ImageListHandle CopyImageList(platform::ImageListHandle list) override {
        events.push_back("copy " + std::to_string(list));
        if (failCopy || lists.count(list) == 0) return 0;
        const platform::ImageListHandle copy = NextCopy_++;
        lists[copy] = lists[list];
        copies.insert(copy);
        return copy;
    }
    void DestroyImageList(platform::ImageListHandle list) override {
        events.push_back("destroy " + std::to_string(list));
        destroyed.push_back(list);
        copies.erase(list);
        lists.erase(list);
    }
    platform::ImageListInfo DescribeImageList(platform::ImageListHandle list) override {
        const auto found = lists.find(list);
        return found == lists.end() ? platform::ImageListInfo{} : found->second;
    }
    bool DrawImage(platform::ImageListHandle list, int index, platform::SurfaceHandle surface, int x, int y) override {
        events.push_back("draw " + std::to_string(list) + " " + std::to_string(index) + " " + std::to_string(surface) + " " +
                         std::to_string(x) + " " + std::to_string(y));
        return true;
    }

private:
    platform::ImageListHandle NextCopy_ = 0x9000;
};

} // namespace corvane::testing
