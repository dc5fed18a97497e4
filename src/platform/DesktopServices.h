// The desktop as the launcher uses it: the application's mouse cursor, the running desktop's
// wallpaper and shell, and the system's shared lists of file icons. Image lists and drawing surfaces are
// opaque handles (on Windows an HIMAGELIST and an HDC); 0 stands for none.
#pragma once

#include <cstdint>
#include <string>

namespace corvane::platform {

enum class Cursor { Default, Busy };

// The system's lists of file icons: small (16 pixels at 100 %), large (32) and extra large (48).
enum class IconSize { Small, Large, ExtraLarge };

using ImageListHandle = std::uintptr_t;
using SurfaceHandle = std::uintptr_t;

struct ImageListInfo {
    int width = 0;
    int height = 0;
    int count = 0;
};

class DesktopServices {
public:
    virtual ~DesktopServices() = default;

    // The application's mouse cursor: the hourglass while it is busy, or the default.
    virtual Cursor CurrentCursor() = 0;
    virtual void SetCursor(Cursor cursor) = 0;

    // Makes the bitmap file at path the wallpaper of the running desktop and tells running
    // programs of the change; false when the system refuses.
    virtual bool SetWallpaper(const std::string& path) = 0;

    // True when a desktop shell runs in this session: one has made a window of its own the
    // system's shell window, as Explorer does.
    virtual bool ShellRunning() = 0;

    // The system's shared list of file icons of one size, 0 when the system has none; it belongs
    // to the system and is never destroyed by the launcher.
    virtual ImageListHandle SystemImageList(IconSize size) = 0;
    // A new list holding copies of all images of list, owned by the caller; 0 on failure.
    virtual ImageListHandle CopyImageList(ImageListHandle list) = 0;
    // Destroys a list made by CopyImageList.
    virtual void DestroyImageList(ImageListHandle list) = 0;
    // The image size and count of a list; all 0 when the handle is not a list.
    virtual ImageListInfo DescribeImageList(ImageListHandle list) = 0;
    // Draws image index of list onto surface with its top-left corner at (x, y), in its
    // normal look; false when that fails.
    virtual bool DrawImage(ImageListHandle list, int index, SurfaceHandle surface, int x, int y) = 0;
};

} // namespace corvane::platform
