#include "app/Application.h"

#include <exception>

#include "app/RunScript.h"
#include "platform/Errors.h"
#include "platform/Platform.h"

namespace corvane {

void TApplication::Initialize() {}

void TApplication::SetTitle(const std::string& title) {
    Title_ = title;
    platform::Messages().SetTitle(title);
}

void TApplication::Run() {}

namespace {
// Shows the error that ended the run. Showing it must not fail in turn.
void ShowFatalError(const std::exception& error) noexcept {
    try {
        platform::Messages().ShowErrorBox("Application Error", ErrorBoxText(error));
    } catch (...) {
    }
}
} // namespace

int RunProgram() {
    try {
        TApplication application;
        application.Initialize();
        application.SetTitle(ApplicationTitle);
        application.ShowMainForm = false;
        { TRunScript run; }
        application.Run();
        return 0;
    } catch (const std::exception& error) {
        ShowFatalError(error);
    } catch (...) {
        ShowFatalError(std::runtime_error("Unknown error"));
    }
    return 1;
}

} // namespace corvane
