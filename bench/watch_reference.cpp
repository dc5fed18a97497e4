// The floor of a shell's watcher: a windowless program that waits on the process handle that it
// inherited (its first argument) and does nothing else.
#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    const HANDLE process = reinterpret_cast<HANDLE>(std::strtoull(commandLine, nullptr, 10));
    return WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0 ? 0 : 1;
}
