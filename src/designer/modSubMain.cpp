#include "modSubMain.h"

#include <windows.h>

#include <commctrl.h>

#include <cmath>

#include "AppError.h"
#include "AppInfo.h"
#include "DoEvents.h"
#include "File.h"
#include "Prompts.h"
#include "frmDesigner.h"
#include "frmSplash.h"

IniManag gIniMain;
std::string gAppPath;
bool gSplashAtStartup = false;

const char* const kMutexName = "VexoVadiVirerova";
const char* const kAlreadyRunning = "Vexo Vadi Virerova is already running!";

namespace {
double SecondsSinceMidnight() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
}

void WaitPumping(double seconds) {
    // The start is taken to the whole second, as the clock's timer reads it.
    const double start = std::nearbyint(SecondsSinceMidnight());
    for (;;) {
        double now = SecondsSinceMidnight();
        if (now < start - 1) now += 86400.0;  // past midnight
        if (now - start >= seconds) break;
        DoEvents();
        Sleep(10);
    }
}
}  // namespace

std::string AppPathFor(const std::string& folder) {
    if (!folder.empty() && folder.back() == '\\') return folder;
    return folder + "\\";
}

int Main(double splashSeconds) {
    InitCommonControls();
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        MsgBox(kAlreadyRunning, MB_ICONHAND);
        if (mutex) CloseHandle(mutex);
        return 0;
    }

    try {
        gIniMain.Nome("VexoVadiVirerova.ini");
    } catch (const AppError& e) {
        // The program runs on; its settings just cannot be kept.
        MsgBox("The settings file \"VexoVadiVirerova.ini\" cannot be created in the program folder:\r\n" +
                   e.Description() + "\r\n\r\nSettings will not be saved.",
               MB_OK | MB_ICONEXCLAMATION);
    }
    gAppPath = AppPathFor(ProgramFolder());

    gSplashAtStartup = true;
    gFrmSplash = std::make_unique<frmSplash>();
    gFrmSplash->Show();
    if (gFrmSplash->Hwnd()) UpdateWindow(gFrmSplash->Hwnd());
    WaitPumping(splashSeconds);

    gFrmDesigner = std::make_unique<frmDesigner>();
    gFrmDesigner->Show();

    if (gFrmSplash) gFrmSplash->Unload();
    gFrmSplash.reset();
    gSplashAtStartup = false;

    RunMessageLoop([] { return gFrmDesigner && gFrmDesigner->IsLoaded(); });
    gFrmDesigner.reset();
    if (mutex) CloseHandle(mutex);
    return 0;
}

std::string ErrorLogRecord(const std::string& dateText, const std::string& timeText,
                           const std::string& Routine, int32_t Number, const std::string& Description,
                           const std::optional<std::string>& Variables) {
    std::string record;
    record += "Date/Time err.: " + dateText + " (" + timeText + ")\r\n";
    record += "Form+Routine  : " + Routine + "\r\n";
    record += "Number erroor : " + std::to_string(Number) + "\r\n";
    record += "Description   : " + Description + "\r\n";
    if (Variables) record += "Variabili    : " + *Variables + "\r\n";
    record += std::string(82, '-') + "\r\n";
    return record;
}

void ErrorLog(const std::string& Routine, std::optional<int32_t> Number, const std::string& Description,
              std::optional<std::string> Variables, bool ShowMessage) {
    const int32_t number = Number ? *Number : CurrentError().Number();
    std::string dateText, timeText;
    ResumeNext([&] {
        char buffer[128] = {0};
        if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buffer, sizeof buffer))
            dateText = buffer;
        if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, sizeof buffer)) timeText = buffer;
    });
    ResumeNext([&] {
        File().WriteTextFile(ErrorLogRecord(dateText, timeText, Routine, number, Description, Variables),
                             gAppPath + "ERROR.LOG", true);
    });
    if (ShowMessage) {
        ResumeNext([&] {
            MessageBeep(MB_OK);
            MsgBox("Error!\r\nN\xBA: " + std::to_string(number) + "\r\nDescrizione: " + Description +
                       "\rnella Sub: " + Routine,
                   MB_OK, "Error registered!");
        });
    }
}
