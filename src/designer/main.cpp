#include <windows.h>

#include "AppError.h"
#include "Prompts.h"
#include "modSubMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        return Main();
    } catch (const AppError& e) {
        // Nothing is left to save at this point: say what stopped the program.
        MsgBox(ErrorMessageText(e, "Main", "modSubMain"), MB_OK | MB_ICONHAND);
        return 1;
    } catch (const std::exception& e) {
        MsgBox(ErrorMessageText(AppError(51, e.what()), "Main", "modSubMain"), MB_OK | MB_ICONHAND);
        return 1;
    }
}
