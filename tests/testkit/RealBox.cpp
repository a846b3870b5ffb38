#include "RealBox.h"

#include <gtest/gtest.h>

namespace {
constexpr DWORD kTimeoutMs = 15000;

// One box at a time: the hook has no other way to its RealBox.
RealBox* g_Current = nullptr;

DWORD Left(DWORD deadline) {
    const LONG left = static_cast<LONG>(deadline - GetTickCount());
    return left > 0 ? static_cast<DWORD>(left) : 0;
}

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

BOOL CALLBACK AddStaticText(HWND w, LPARAM lParam) {
    auto* text = reinterpret_cast<std::string*>(lParam);
    const std::string t = TextOf(w);
    if (ClassOf(w) == "Static" && !t.empty()) text->append(text->empty() ? "" : "|").append(t);
    return TRUE;
}
}  // namespace

RealBox::RealBox(std::vector<HWND> watched, Action answer, std::function<void()> afterClose)
    : m_Watched(std::move(watched)), m_Old(SetPromptHook({})), m_Shown(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_Gone(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    g_Current = this;
    m_Hook = SetWindowsHookExA(WH_CBT, Watch, nullptr, GetCurrentThreadId());
    m_Thread = std::thread(&RealBox::Run, this, std::move(answer), std::move(afterClose));
}

LRESULT CALLBACK RealBox::Watch(int code, WPARAM wParam, LPARAM lParam) {
    RealBox* self = g_Current;
    const HWND w = reinterpret_cast<HWND>(wParam);
    if (self && code == HCBT_ACTIVATE && !self->m_Box && ClassOf(w) == "#32770") {
        self->m_Box = w;
        SetEvent(self->m_Shown);
    } else if (self && code == HCBT_DESTROYWND && w == self->m_Box) {
        SetEvent(self->m_Gone);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
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
    if (m_Hook) UnhookWindowsHookEx(m_Hook);
    g_Current = nullptr;
    CloseHandle(m_Shown);
    CloseHandle(m_Gone);
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void RealBox::Run(const Action& answer, const std::function<void()>& afterClose) {
    const DWORD deadline = GetTickCount() + kTimeoutMs;
    if (WaitForSingleObject(m_Shown, kTimeoutMs) != WAIT_OBJECT_0) return;
    const HWND box = m_Box;
    // A message sent to the box is taken only once its own loop runs: it has its focus by then.
    if (!SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_NORMAL, Left(deadline), nullptr)) {
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    appeared = true;
    for (HWND w : m_Watched) enabledWhile.push_back(IsWindowEnabled(w) != FALSE);
    title = TextOf(box);
    EnumChildWindows(box, AddStaticText, reinterpret_cast<LPARAM>(&text));
    answer(box);
    closed = WaitForSingleObject(m_Gone, Left(deadline)) == WAIT_OBJECT_0;
    if (!closed) PostMessageA(box, WM_COMMAND, IDCANCEL, 0);  // never leave the test's thread stuck in it
    if (closed && afterClose) afterClose();
}
