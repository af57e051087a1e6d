#include "exam/Unit1.h"
#include "scratch/TempUnit.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    exam::TSinavForm sinavForm;
    sinavForm.FormCreate();
    ShowWindow(sinavForm.Handle(), showCommand);
    scratch::TTempForm tempForm;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
