#include "frmSplash.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "AppError.h"
#include "AppInfo.h"
#include "TempDir.h"
#include "modSubMain.h"

namespace {

void ClickAt(HWND window, int x, int y) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void ClickOn(const Label& label) {
    ClickAt(label.GetContainer()->Hwnd(), label.Left() + label.Width() / 2, label.Top() + label.Height() / 2);
}

TEST(frmSplash, LoadFillsTheLabelsAndClicksCloseOnlyTheAboutWindow) {
    {
        gSplashAtStartup = true;
        frmSplash s;
        s.Show();
        EXPECT_EQ(s.lblVersion.Caption(), "Version 0.2.0 ");
        EXPECT_EQ(s.lblProductName.Caption(), "Vexo VadiVirerova");
        EXPECT_EQ(s.lblPlatform.Caption(), "for Windows 9.x/2000/XP");
        EXPECT_NE(s.lblCopyright.Caption().find("Copyright"), std::string::npos);
        // The load replaced the extended style (the frame keeps its own window edge).
        EXPECT_EQ(GetWindowLongA(s.Hwnd(), GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, WS_EX_CLIENTEDGE);
        RECT client;
        GetClientRect(s.Hwnd(), &client);
        // 7500 by 4650 twips at 15 twips a pixel, less the sunken edge added at load.
        EXPECT_EQ(client.right, 500 - 4);
        EXPECT_EQ(client.bottom, 310 - 4);
        ClickAt(s.Hwnd(), 5, 5);
        ClickOn(s.lblVersion);
        EXPECT_TRUE(s.IsLoaded()) << "the start-up splash ignores clicks";
    }
    gSplashAtStartup = false;
    for (int which = 0; which < 4; ++which) {
        frmSplash s;
        s.Show();
        Label* labels[] = {nullptr, &s.lblProductName, &s.lblWarning, &s.lblCopyright};
        if (labels[which]) ClickOn(*labels[which]);
        else ClickAt(s.Hwnd(), 5, 5);  // the bare window
        EXPECT_EQ(s.IsLoaded(), which == 3) << which;  // the legal line has no click of its own
    }
}

TEST(ErrorLog, AppendsExactRecordsAndNeverFails) {
    TempDir dir;
    gAppPath = AppPathFor(dir.Path());
    EXPECT_EQ(gAppPath, dir.Path() + "\\");
    EXPECT_EQ(AppPathFor("C:\\"), "C:\\");

    const std::string dashes(82, '-');
    EXPECT_EQ(ErrorLogRecord("06/12/2026", "21:00:00", "frmSplash Sub Form_Load", 53, "File not found",
                             std::nullopt),
              "Date/Time err.: 06/12/2026 (21:00:00)\r\nForm+Routine  : frmSplash Sub Form_Load\r\n"
              "Number erroor : 53\r\nDescription   : File not found\r\n" + dashes + "\r\n");
    EXPECT_EQ(ErrorLogRecord("d", "t", "R", 1, "x", std::string()),
              "Date/Time err.: d (t)\r\nForm+Routine  : R\r\nNumber erroor : 1\r\nDescription   : x\r\n"
              "Variabili    : \r\n" + dashes + "\r\n");

    ErrorLog("R1", 5, "first", std::nullopt, false);
    SetCurrentError(AppError(76, "Path not found"));
    ErrorLog("R2", std::nullopt, "second", std::string(), false);
    const std::string log = ReadBytes(dir / "ERROR.LOG");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 11);  // five lines, then six
    EXPECT_NE(log.find("Form+Routine  : R1\r\nNumber erroor : 5\r\n"), std::string::npos);
    EXPECT_NE(log.find("Number erroor : 76\r\nDescription   : second\r\nVariabili    : \r\n"), std::string::npos);

    // A log that cannot be written loses the record silently.
    HANDLE held = CreateFileA((dir / "ERROR.LOG").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_NO_THROW(ErrorLog("R3", 1, "lost", std::nullopt, false));
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(dir / "ERROR.LOG"), log);
}

}  // namespace
