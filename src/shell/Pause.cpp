#include "shell/Pause.h"

#include "platform/Platform.h"
#include "platform/WindowSystem.h"

namespace corvane {

void Pause(std::uint32_t milliseconds) {
    const std::uint32_t start = platform::System().TickCount();
    for (;;) {
        const std::uint32_t elapsed = platform::System().TickCount() - start;
        if (elapsed >= milliseconds) {
            return;
        }
        platform::Windows().WaitForMessages(milliseconds - elapsed);
        platform::Windows().ProcessMessages();
    }
}

} // namespace corvane
