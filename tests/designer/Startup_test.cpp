// Starts the built program itself, as a user does.
#include <windows.h>

#include <gtest/gtest.h>

#include <shlobj.h>

#include <functional>
#include <string>

#include "TempDir.h"

namespace {

// A copy of the built program in a folder of its own, ended if a test leaves it running.
struct Started {
    TempDir folder;
    PROCESS_INFORMATION pi{};
    Started() {
        const std::string built = VEXO_EXE_PATH, exe = folder / "VexoVadiVirerova.exe";
        EXPECT_TRUE(CopyFileA(built.c_str(), exe.c_str(), FALSE)) << built;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string command = "\"" + exe + "\"";
        EXPECT_TRUE(CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    }
    ~Started() {
        if (!pi.hProcess) return;
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    bool Ended() { return WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0; }
};

// Waits for the condition, pumping this thread's messages meanwhile.
bool WaitUntil(const std::function<bool()>& ready, DWORD limitMs = 30000) {
    const DWORD start = GetTickCount();
    while (!ready()) {
        if (GetTickCount() - start > limitMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    return true;
}

// Waits for a visible top-level window of the process with that class and title; 0 if none shows.
HWND WaitForWindow(DWORD pid, const char* className, const char* title, bool wait = true) {
    HWND found = nullptr;
    auto find = [&] {
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, className, title));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == pid && IsWindowVisible(w)) return (found = w) != nullptr;
        }
        return false;
    };
    if (wait) WaitUntil(find);
    else find();
    return found;
}

std::string MessageText(HWND box) {
    char text[512] = {0};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

TEST(Startup, FirstStartFindsTheSkinsFolderUnderProgramFilesAndASecondCopyIsRefused) {
    // The prefix is shared: what this test makes under Program Files goes again at its end.
    char programFiles[MAX_PATH] = {0};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, programFiles, CSIDL_PROGRAM_FILES, FALSE));
    const std::string vexo = std::string(programFiles) + "\\Vexo", skins = vexo + "\\Skins";
    struct Made {
        std::string path;
        ~Made() {
            if (!path.empty()) RemoveTree(path);
        }
    } made{PathExists(vexo) ? (PathExists(skins) ? "" : skins) : vexo};
    CreateDirectoryA(vexo.c_str(), nullptr);
    CreateDirectoryA(skins.c_str(), nullptr);

    Started one;
    const DWORD pid = one.pi.dwProcessId;
    HWND designer = WaitForWindow(pid, "VexoForm", "Vexo Vadi Virerova");
    ASSERT_NE(designer, nullptr);
    // The settings file was made empty before the designer read it; the first-run question follows.
    EXPECT_EQ(ReadBytes(one.folder / "VexoVadiVirerova.ini"), "");
    HWND question = WaitForWindow(pid, "#32770", "Vexo VadiVirerova");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageText(question).rfind("Welcome to the Vexo Vadi Virerova!", 0), 0u);

    Started two;
    HWND refusal = WaitForWindow(two.pi.dwProcessId, "#32770", "Vexo VadiVirerova");
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(MessageText(refusal), "Vexo Vadi Virerova is already running!");
    EXPECT_EQ(WaitForWindow(two.pi.dwProcessId, "VexoForm", "Vexo Vadi Virerova", false), nullptr);  // refused first
    PostMessageA(refusal, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(two.Ended());
    EXPECT_FALSE(PathExists(two.folder / "VexoVadiVirerova.ini"));

    PostMessageA(question, WM_COMMAND, IDYES, 0);
    HWND capture = WaitForWindow(pid, "VexoForm", "Select the Vexo\\Skins folder path");
    ASSERT_NE(capture, nullptr);
    HWND ok = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (ok = FindWindowExA(capture, nullptr, "Button", "OK")) && IsWindowEnabled(ok); }))
        << "the dialog did not select its starting folder";
    PostMessageA(ok, BM_CLICK, 0, 0);

    HWND confirm = WaitForWindow(pid, "#32770", "Vexo VadiVirerova");
    ASSERT_NE(confirm, nullptr);
    std::string upper = skins;
    CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    EXPECT_EQ(MessageText(confirm), "Selected folder is:\r " + upper + "\rConfirm?");
    PostMessageA(confirm, WM_COMMAND, IDOK, 0);

    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(confirm) && !IsWindow(capture) && IsWindowEnabled(designer); }));
    PostMessageA(designer, WM_CLOSE, 0, 0);
    ASSERT_TRUE(one.Ended());
    DWORD code = 1;
    GetExitCodeProcess(one.pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    const std::string settings = ReadBytes(one.folder / "VexoVadiVirerova.ini");
    EXPECT_NE(settings.find("SkinsFolder=" + skins + "\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("FirstRun=0\r\n"), std::string::npos) << settings;
}

}  // namespace
