// Starts the built program itself, as a user does.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TempDir.h"

namespace {

std::string BuiltProgram() {
    std::string path = VEXO_EXE_PATH;
    if (!path.empty() && path[0] == '/') {  // built on Linux: Wine shows the root as Z:
        for (char& c : path)
            if (c == '/') c = '\\';
        path = "Z:" + path;
    }
    return path;
}

struct Started {
    PROCESS_INFORMATION pi{};
    ~Started() {
        if (pi.hProcess) {
            if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
    }
};

void Start(const std::string& exe, Started& s) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string command = "\"" + exe + "\"";
    ASSERT_TRUE(CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &s.pi))
        << GetLastError();
}

struct Found {
    DWORD pid;
    const char* className;
    const char* title;
    HWND hwnd;
};

// A visible top-level window of the process with that class and title, waiting up to the limit.
HWND WaitForWindow(DWORD pid, const char* className, const char* title, DWORD limitMs = 30000) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < limitMs) {
        Found f{pid, className, title, nullptr};
        EnumWindows(
            [](HWND hwnd, LPARAM lParam) -> BOOL {
                auto* f = reinterpret_cast<Found*>(lParam);
                DWORD pid = 0;
                GetWindowThreadProcessId(hwnd, &pid);
                char cls[64] = {0}, text[128] = {0};
                GetClassNameA(hwnd, cls, sizeof cls);
                GetWindowTextA(hwnd, text, sizeof text);
                if (pid == f->pid && IsWindowVisible(hwnd) && std::string(cls) == f->className &&
                    std::string(text) == f->title) {
                    f->hwnd = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&f));
        if (f.hwnd) return f.hwnd;
        Sleep(100);
    }
    return nullptr;
}

std::string MessageText(HWND box) {
    char text[512] = {0};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

TEST(Startup, SecondCopyIsRefusedAndFirstStartMakesAnEmptySettingsFile) {
    TempDir first, second;
    const std::string exe1 = first / "VexoVadiVirerova.exe", exe2 = second / "VexoVadiVirerova.exe";
    ASSERT_TRUE(CopyFileA(BuiltProgram().c_str(), exe1.c_str(), FALSE)) << BuiltProgram();
    ASSERT_TRUE(CopyFileA(BuiltProgram().c_str(), exe2.c_str(), FALSE));

    Started one;
    Start(exe1, one);
    HWND designer = WaitForWindow(one.pi.dwProcessId, "VexoForm", "Vexo Vadi Virerova");
    ASSERT_NE(designer, nullptr);
    // The settings file was made empty before the designer read it; the first-run question follows.
    EXPECT_EQ(ReadBytes(first / "VexoVadiVirerova.ini"), "");
    HWND question = WaitForWindow(one.pi.dwProcessId, "#32770", "Vexo VadiVirerova");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageText(question).rfind("Welcome to the Vexo Vadi Virerova!", 0), 0u);

    Started two;
    Start(exe2, two);
    HWND refusal = WaitForWindow(two.pi.dwProcessId, "#32770", "Vexo VadiVirerova");
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(MessageText(refusal), "Vexo Vadi Virerova is already running!");
    EXPECT_EQ(WaitForWindow(two.pi.dwProcessId, "VexoForm", "Vexo Vadi Virerova", 300), nullptr);
    PostMessageA(refusal, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(WaitForSingleObject(two.pi.hProcess, 10000), WAIT_OBJECT_0);
    EXPECT_FALSE(PathExists(second / "VexoVadiVirerova.ini"));

    PostMessageA(question, WM_COMMAND, IDNO, 0);
    Sleep(200);
    PostMessageA(designer, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(one.pi.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(one.pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(ReadBytes(first / "VexoVadiVirerova.ini"), "");
}

}  // namespace
