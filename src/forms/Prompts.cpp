#include "Prompts.h"

#include <vector>

#include "AppInfo.h"
#include "ProgramWait.h"

namespace {
PromptHook g_Hook;
int g_Showing = 0;

// Counts a box for as long as it shows, however it ends.
class Showing {
public:
    Showing() { ++g_Showing; }
    ~Showing() { --g_Showing; }
    Showing(const Showing&) = delete;
    Showing& operator=(const Showing&) = delete;
};

std::string TitleOr(const std::string& title) { return title.empty() ? kAppTitle : title; }

// The owner for a prompt: the thread's active window, if any.
HWND PromptOwner() { return GetActiveWindow(); }

// --- the input box: a dialog built in memory

constexpr WORD kIdPrompt = 100, kIdEdit = 101;

void Align4(std::vector<BYTE>& buf) {
    while (buf.size() % 4) buf.push_back(0);
}
void PushWord(std::vector<BYTE>& buf, WORD w) {
    buf.push_back(static_cast<BYTE>(w & 0xFF));
    buf.push_back(static_cast<BYTE>(w >> 8));
}
void PushDword(std::vector<BYTE>& buf, DWORD d) {
    PushWord(buf, static_cast<WORD>(d & 0xFFFF));
    PushWord(buf, static_cast<WORD>(d >> 16));
}
void PushString(std::vector<BYTE>& buf, const char* text) {
    for (const char* p = text; *p; ++p) PushWord(buf, static_cast<unsigned char>(*p));
    PushWord(buf, 0);
}
void PushItem(std::vector<BYTE>& buf, DWORD style, short x, short y, short cx, short cy, WORD id,
              WORD classAtom, const char* text) {
    Align4(buf);
    PushDword(buf, style | WS_CHILD | WS_VISIBLE);
    PushDword(buf, 0);
    PushWord(buf, static_cast<WORD>(x));
    PushWord(buf, static_cast<WORD>(y));
    PushWord(buf, static_cast<WORD>(cx));
    PushWord(buf, static_cast<WORD>(cy));
    PushWord(buf, id);
    PushWord(buf, 0xFFFF);
    PushWord(buf, classAtom);
    PushString(buf, text);
    PushWord(buf, 0);
}

struct InputState {
    const std::string* prompt;
    const std::string* title;
    const std::string* text;
    std::string result;
    bool ok = false;
};

INT_PTR CALLBACK InputProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* st = reinterpret_cast<InputState*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        st = reinterpret_cast<InputState*>(lParam);
        SetWindowLongPtrA(dlg, DWLP_USER, lParam);
        SetWindowTextA(dlg, st->title->c_str());
        SetDlgItemTextA(dlg, kIdPrompt, st->prompt->c_str());
        SetDlgItemTextA(dlg, kIdEdit, st->text->c_str());
        SendDlgItemMessageA(dlg, kIdEdit, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(dlg, kIdEdit));
        // Centred on the screen.
        RECT r;
        GetWindowRect(dlg, &r);
        SetWindowPos(dlg, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 3, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            char buffer[1024] = {0};
            GetDlgItemTextA(dlg, kIdEdit, buffer, sizeof buffer);
            st->result = buffer;
            st->ok = true;
            EndDialog(dlg, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dlg, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}
}  // namespace

PromptHook SetPromptHook(PromptHook hook) {
    PromptHook old = std::move(g_Hook);
    g_Hook = std::move(hook);
    return old;
}

int RealMsgBox(const std::string& text, UINT style, const std::string& title) {
    const HWND owner = PromptOwner();
    ProgramWait wait;
    wait.Disable(owner);
    return MessageBoxA(owner, text.c_str(), TitleOr(title).c_str(), style);
}

int PromptsShowing() { return g_Showing; }

int MsgBox(const std::string& text, UINT style, const std::string& title) {
    Showing showing;
    if (g_Hook.msgBox) return g_Hook.msgBox(text, style, TitleOr(title));
    return RealMsgBox(text, style, title);
}

std::string RealInputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) {
    std::vector<BYTE> buf;
    // DLGTEMPLATE
    PushDword(buf, DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    PushDword(buf, 0);
    PushWord(buf, 4);  // items
    PushWord(buf, 0);
    PushWord(buf, 0);
    PushWord(buf, 250);
    PushWord(buf, 90);
    PushWord(buf, 0);  // no menu
    PushWord(buf, 0);  // default class
    PushString(buf, "");
    PushWord(buf, 8);
    PushString(buf, "MS Shell Dlg");
    PushItem(buf, SS_LEFT, 7, 7, 180, 56, kIdPrompt, 0x0082, "");
    PushItem(buf, BS_DEFPUSHBUTTON | WS_TABSTOP, 193, 7, 50, 14, IDOK, 0x0080, "OK");
    PushItem(buf, BS_PUSHBUTTON | WS_TABSTOP, 193, 24, 50, 14, IDCANCEL, 0x0080, "Cancel");
    PushItem(buf, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 70, 236, 13, kIdEdit, 0x0081, "");

    const std::string shownTitle = TitleOr(title);
    InputState state{&prompt, &shownTitle, &defaultText, {}, false};
    const HWND owner = PromptOwner();
    ProgramWait wait;
    wait.Disable(owner);
    DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(buf.data()), owner,
                            InputProc, reinterpret_cast<LPARAM>(&state));
    return state.ok ? state.result : std::string();
}

std::string InputBox(const std::string& prompt, const std::string& title,
                     const std::string& defaultText) {
    Showing showing;
    if (g_Hook.inputBox) return g_Hook.inputBox(prompt, TitleOr(title), defaultText);
    return RealInputBox(prompt, title, defaultText);
}
