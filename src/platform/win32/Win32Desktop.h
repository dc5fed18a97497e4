// The desktop services on Windows: the cursor, the running wallpaper, and the system icon
// lists of the shell.
#pragma once

#include "platform/DesktopServices.h"

namespace corvane::platform::win32 {

class Win32Desktop final : public DesktopServices {
public:
    Cursor CurrentCursor() override { return Cursor_; }
    void SetCursor(Cursor cursor) override;

    bool SetWallpaper(const std::string& path) override;
    bool ShellRunning() override;

    ImageListHandle SystemImageList(IconSize size) override;
    ImageListHandle CopyImageList(ImageListHandle list) override;
    void DestroyImageList(ImageListHandle list) override;
    ImageListInfo DescribeImageList(ImageListHandle list) override;
    bool DrawImage(ImageListHandle list, int index, SurfaceHandle surface, int x, int y) override;

private:
    Cursor Cursor_ = Cursor::Default;
};

} // namespace corvane::platform::win32
