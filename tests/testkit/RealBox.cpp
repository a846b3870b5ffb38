#include "RealBox.h"

#include <gtest/gtest.h>

namespace {
constexpr DWORD kTimeoutMs = 15000;
constexpr DWORD kPollMs = 10;

bool Passed(DWORD deadline) { return static_cast<LONG>(GetTickCount() - deadline) >= 0; }

std::string ClassOf(HWND w) {
    char name[64] = {};
    GetClassNameA(w, name, sizeof name);
    return name;
}

std::string TextOf(HWND w) {
    char text[1024] = {};
    GetWindowTextA(w, text, sizeof text);
    return text;
}

BOOL CALLBACK FindBox(HWND w, LPARAM lParam) {
    if (!IsWindowVisible(w) || ClassOf(w) != "#32770") return TRUE;
    *reinterpret_cast<HWND*>(lParam) = w;
    return FALSE;
}

BOOL CALLBACK AddStaticText(HWND w, LPARAM lParam) {
    auto* text = reinterpret_cast<std::string*>(lParam);
    const std::string t = TextOf(w);
    if (ClassOf(w) == "Static" && !t.empty()) text->append(text->empty() ? "" : "|").append(t);
    return TRUE;
}
}  // namespace

RealBox::RealBox(std::vector<HWND> watched, Action answer, std::function<void()> afterClose)
    : m_Watched(std::move(watched)), m_Old(SetPromptHook({})) {
    m_Thread = std::thread(&RealBox::Run, this, GetCurrentThreadId(), std::move(answer), std::move(afterClose));
}

RealBox::~RealBox() {
    Finish();
    SetPromptHook(m_Old);
    if (!appeared) ADD_FAILURE() << "RealBox: no box appeared";
    else if (!closed) ADD_FAILURE() << "RealBox: the box did not close";
}

void RealBox::PressOk(HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

void RealBox::PressEscape(HWND box) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    HWND focus = GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &gui) ? gui.hwndFocus : nullptr;
    PostMessageA(focus ? focus : box, WM_KEYDOWN, VK_ESCAPE, 1);
}

void RealBox::Finish() {
    if (m_Finished) return;
    m_Finished = true;
    m_Thread.join();
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void RealBox::Run(DWORD uiThread, const Action& answer, const std::function<void()>& afterClose) {
    const DWORD deadline = GetTickCount() + kTimeoutMs;
    HWND box = nullptr;
    while (!box && !Passed(deadline)) {
        EnumThreadWindows(uiThread, FindBox, reinterpret_cast<LPARAM>(&box));
        if (!box) Sleep(kPollMs);
    }
    if (!box) return;
    appeared = true;
    for (HWND w : m_Watched) enabledWhile.push_back(IsWindowEnabled(w) != FALSE);
    title = TextOf(box);
    EnumChildWindows(box, AddStaticText, reinterpret_cast<LPARAM>(&text));
    answer(box);
    while (IsWindow(box) && !Passed(deadline)) Sleep(kPollMs);
    closed = !IsWindow(box);
    if (!closed) PostMessageA(box, WM_COMMAND, IDCANCEL, 0);  // never leave the test's thread stuck in it
    if (closed && afterClose) afterClose();
}
