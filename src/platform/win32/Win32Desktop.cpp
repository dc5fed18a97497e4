#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Text.h"

namespace corvane::platform::win32 {

namespace {

HIMAGELIST ToImageList(ImageListHandle list) { return reinterpret_cast<HIMAGELIST>(list); }
ImageListHandle FromImageList(HIMAGELIST list) { return reinterpret_cast<ImageListHandle>(list); }

} // namespace

void Win32Desktop::SetCursor(Cursor cursor) {
    Cursor_ = cursor;
    HCURSOR shape = LoadCursor(nullptr, cursor == Cursor::Busy ? IDC_WAIT : IDC_ARROW);
    if (shape != nullptr) ::SetCursor(shape);
}

bool Win32Desktop::ShellRunning() {
    HWND shell = GetShellWindow();
    return shell != nullptr && IsWindow(shell);
}

bool Win32Desktop::SetWallpaper(const std::string& path) {
    // The path parameter is not const in the declaration; the system only reads it.
    std::wstring text = Wide(path);
    return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, text.data(), SPIF_SENDWININICHANGE) != FALSE;
}

// SHGetImageList hands out the shell's own lists as IImageList interfaces, which are image list
// handles as well; the shell keeps them for the life of the process.
ImageListHandle Win32Desktop::SystemImageList(IconSize size) {
    static constexpr GUID ImageListInterface{0x46eb5926, 0x582e, 0x4017, {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};
    const int kind = size == IconSize::Small ? SHIL_SMALL : size == IconSize::Large ? SHIL_LARGE : SHIL_EXTRALARGE;
    void* list = nullptr;
    NeedCom();
    if (FAILED(SHGetImageList(kind, ImageListInterface, &list))) return 0;
    return reinterpret_cast<ImageListHandle>(list);
}

ImageListHandle Win32Desktop::CopyImageList(ImageListHandle list) {
    if (list == 0) return 0;
    return FromImageList(ImageList_Duplicate(ToImageList(list)));
}

void Win32Desktop::DestroyImageList(ImageListHandle list) {
    if (list != 0) ImageList_Destroy(ToImageList(list));
}

ImageListInfo Win32Desktop::DescribeImageList(ImageListHandle list) {
    ImageListInfo info;
    if (list == 0) return info;
    if (!ImageList_GetIconSize(ToImageList(list), &info.width, &info.height)) return ImageListInfo{};
    info.count = ImageList_GetImageCount(ToImageList(list));
    return info;
}

bool Win32Desktop::DrawImage(ImageListHandle list, int index, SurfaceHandle surface, int x, int y) {
    if (list == 0 || surface == 0) return false;
    return ImageList_Draw(ToImageList(list), index, reinterpret_cast<HDC>(surface), x, y, ILD_NORMAL) != FALSE;
}

} // namespace corvane::platform::win32
