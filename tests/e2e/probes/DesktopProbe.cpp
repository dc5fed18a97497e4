// A small Windows program through which the end-to-end tests reach the wallpaper conversion
// and the system icon list with the launcher's real Windows services.
//
//   desktop_probe wallpaper SOURCE TARGET   applies SOURCE as the wallpaper through TARGET
//   desktop_probe icons                     binds the system icon lists and draws from them
//
// It prints "ok" (or the facts asked for) and ends with 0, or prints "<kind>: <message>" of
// the error that ended it and ends with 1.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

#include "platform/Errors.h"
#include "platform/win32/Win32Platform.h"
#include "ui/ApplyWallpaper.h"
#include "ui/SystemImageList.h"

namespace {

// Draws image 0 of the list onto a white surface and counts the pixels that changed.
int PaintedPixels(const corvane::TSystemImageList& images) {
    constexpr int Side = 64;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, Side, Side);
    int painted = -1;
    if (memory != nullptr && bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        PatBlt(memory, 0, 0, Side, Side, WHITENESS);
        images.Draw(reinterpret_cast<corvane::platform::SurfaceHandle>(memory), 0, 0, 0);
        painted = 0;
        for (int y = 0; y < Side; ++y) {
            for (int x = 0; x < Side; ++x) painted += GetPixel(memory, x, y) != RGB(255, 255, 255) ? 1 : 0;
        }
        SelectObject(memory, old);
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (memory != nullptr) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return painted;
}

void Describe(const char* what, const corvane::TSystemImageList& images) {
    std::printf("%s %d %d %d %d\n", what, images.Width(), images.Height(), images.Count(), PaintedPixels(images));
}

// "large W H COUNT PAINTED", the same for "small", and for "copy" (an own copy of the large list).
void ShowIcons() {
    corvane::TSystemImageList images;
    images.Loaded();
    Describe("large", images);
    images.SetImageSize(corvane::TImageSize::isSmall);
    Describe("small", images);
    images.SetImageSize(corvane::TImageSize::isLarge);
    images.SetShareImages(false);
    Describe("copy", images);
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (!((command == "wallpaper" && argc == 4) || (command == "icons" && argc == 2))) {
        std::fprintf(stderr, "usage: desktop_probe wallpaper SOURCE TARGET | desktop_probe icons\n");
        return 2;
    }
    corvane::platform::Install(corvane::platform::win32::CreateServices());
    try {
        if (command == "wallpaper") {
            corvane::ApplyWallpaper(argv[2], argv[3]);
            std::printf("ok\n");
        } else {
            ShowIcons();
        }
        return 0;
    } catch (const corvane::ECorvaneError& error) {
        std::printf("%s: %s\n", error.Kind(), error.what());
    } catch (const std::exception& error) {
        std::printf("Exception: %s\n", error.what());
    }
    return 1;
}
