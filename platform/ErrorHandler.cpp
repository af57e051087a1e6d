#include "platform/ErrorHandler.h"

#include <windows.h>

#include "platform/Cp1254.h"
#include "platform/Log.h"
#include "platform/ProgramEnd.h"

namespace platform {

namespace {
ErrorHandler installedHandler = nullptr;
}

void SetApplicationErrorHandler(ErrorHandler handler) { installedHandler = handler; }

// Before the program has installed its handler, an error still ends it visibly instead of silently.
void ReportError(const std::exception& error) {
    Log("error", error.what());
    if (installedHandler) {
        installedHandler(error);
        return;
    }
    MessageBoxW(nullptr, WidenCp1254(error.what()).c_str(), L"PC1", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    EndProgram(1);
}

}  // namespace platform
