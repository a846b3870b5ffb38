// Starts the built program itself, as a user does.
#include <windows.h>

#include <gtest/gtest.h>

#include <shlobj.h>

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

namespace {

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        for (char& c : path)
            if (c == '/') c = '\\';
        path = "Z:" + path;
    }
    return path;
}

void CopyTree(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) CopyTree(from + "\\" + name, to + "\\" + name);
        else CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

HWND ChildButton(HWND parent, const char* caption) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[64] = {0}, cls[32] = {0};
        GetWindowTextA(child, text, sizeof text);
        GetClassNameA(child, cls, sizeof cls);
        if (std::string(cls) == "Button" && std::string(text) == caption) return child;
    }
    return nullptr;
}

TEST(Startup, FirstRunSearchFindsTheSkinsFolderUnderProgramFiles) {
    char programFiles[MAX_PATH] = {0};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, programFiles, CSIDL_PROGRAM_FILES, FALSE));
    const std::string vexo = std::string(programFiles) + "\\Vexo", skins = vexo + "\\Skins";
    CreateDirectoryA(vexo.c_str(), nullptr);
    CopyTree(WindowsPath(VEXO_SAMPLE_DIR), skins);
    ASSERT_TRUE(PathExists(skins + "\\Sample.ini"));

    TempDir folder;
    const std::string exe = folder / "VexoVadiVirerova.exe";
    ASSERT_TRUE(CopyFileA(BuiltProgram().c_str(), exe.c_str(), FALSE));
    Started run;
    Start(exe, run);
    const DWORD pid = run.pi.dwProcessId;
    HWND question = WaitForWindow(pid, "#32770", "Vexo VadiVirerova");
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, IDYES, 0);

    HWND capture = WaitForWindow(pid, "VexoForm", "Select the Vexo\\Skins folder path");
    ASSERT_NE(capture, nullptr);
    HWND ok = nullptr;
    for (int i = 0; i < 100 && !(ok && IsWindowEnabled(ok)); ++i, Sleep(100)) ok = ChildButton(capture, "OK");
    ASSERT_TRUE(ok && IsWindowEnabled(ok)) << "the dialog did not select its starting folder";
    PostMessageA(ok, BM_CLICK, 0, 0);

    HWND confirm = WaitForWindow(pid, "#32770", "Vexo VadiVirerova");
    ASSERT_NE(confirm, nullptr);
    std::string upper = skins;
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(MessageText(confirm), "Selected folder is:\r " + upper + "\rConfirm?");
    PostMessageA(confirm, WM_COMMAND, IDOK, 0);
    Sleep(500);

    HWND designer = WaitForWindow(pid, "VexoForm", "Vexo Vadi Virerova");
    ASSERT_NE(designer, nullptr);
    PostMessageA(designer, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(run.pi.hProcess, 10000), WAIT_OBJECT_0);
    const std::string settings = ReadBytes(folder / "VexoVadiVirerova.ini");
    EXPECT_NE(settings.find("SkinsFolder=" + skins + "\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("FirstRun=0\r\n"), std::string::npos) << settings;
}

}  // namespace
