// The floor that any chooser pays at start: a popup window in the middle of the screen with a
// drop-down combo box of one entry, after the system's list of large file icons has been
// loaded (SHGetImageList, the cheapest way to it). With the argument "bare" it shows the popup
// window alone. bench/start-bench.sh times it beside corvane.exe; it runs until it is ended from
// outside.
#include <windows.h>

#include <shellapi.h>

#include <cstring>

namespace {

constexpr int Width = 359;
constexpr int Height = 245;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const bool bare = std::strstr(commandLine, "bare") != nullptr;
    if (!bare) {
        static constexpr GUID ImageListInterface{0x46eb5926, 0x582e, 0x4017, {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};
        void* list = nullptr;
        if (FAILED(SHGetImageList(SHIL_LARGE, ImageListInterface, &list)) || list == nullptr) return 1;
    }

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = "StartReference";
    if (RegisterClassExA(&windowClass) == 0) return 1;
    HWND window = CreateWindowExA(0, "StartReference", "Start reference", WS_POPUP | WS_CLIPCHILDREN,
                                  (GetSystemMetrics(SM_CXSCREEN) - Width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - Height) / 2, Width, Height, nullptr, nullptr,
                                  instance, nullptr);
    if (window == nullptr) return 1;
    if (!bare) {
        HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 8, 184,
                                     265, 200, window, nullptr, instance, nullptr);
        if (combo == nullptr) return 1;
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Explorer"));
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
