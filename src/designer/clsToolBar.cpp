#include "clsToolBar.h"

#include "AppError.h"
#include "frmDesigner.h"
#include "modToolBar.h"

namespace {
constexpr DWORD kToolbarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE;  // 0x5200094C
constexpr int32_t kHeightExtraTwips = 75;

void InitCoolClasses() {
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_COOL_CLASSES};
    InitCommonControlsEx(&icc);
}
}  // namespace

clsToolBar::clsToolBar() { InitCoolClasses(); }

clsToolBar::~clsToolBar() {
    if (hWnd && IsWindow(hWnd)) DestroyWindow(hWnd);
    hWnd = nullptr;
    // Only the window this object subclassed; a later toolbar may own the module's by now.
    if (gToolbarObject == this) UnSubclass();
}

void clsToolBar::Create(HWND parent, int32_t left, int32_t top, int32_t width, int32_t height) {
    m_Buttons.assign(1, ToolbarButtonEntry{});
    hWnd = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", kToolbarStyle, left, top, width, height, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    // The platform's own TBBUTTON, whose size differs between 32 and 64 bits.
    SendMessageA(hWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(hWnd, TB_SETBITMAPSIZE, 0, MAKELONG(16, 16));
    Subclass(parent, this);
}

ToolbarButtonEntry& clsToolBar::Entry(int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= m_Buttons.size()) throw AppError(9, "Subscript out of range");
    return m_Buttons[static_cast<size_t>(index)];
}

void clsToolBar::SetButtonHelpText(int32_t index, const std::string& text) { Entry(index).HelpText = text; }

void clsToolBar::SetButtonTipText(int32_t index, const std::string& text) { Entry(index).TipText = text; }

int32_t clsToolBar::Width() {
    const int64_t twips = int64_t(ButtonsWidth()) * gTwipsPerPixelX;
    if (twips > INT32_MAX || twips < INT32_MIN) throw AppError(ErrNo::Overflow, "Overflow");
    return static_cast<int32_t>(twips);
}

void clsToolBar::AddButton(int32_t image, int32_t style, const std::string& tipText, const std::string& helpText) {
    TBBUTTON button{};
    button.iBitmap = image;
    button.idCommand = NextButtonID();
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = static_cast<BYTE>(style);
    button.dwData = 0;
    button.iString = 0;
    m_Buttons.push_back({static_cast<int16_t>(button.idCommand), tipText, helpText});
    SendMessageA(hWnd, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    ResizeToolbar();
}

void clsToolBar::SetButtonEnabled(int32_t commandId, bool enabled) {
    LRESULT state = SendMessageA(hWnd, TB_GETSTATE, static_cast<WPARAM>(commandId), 0);
    if (state == -1) return;  // no such button
    state = enabled ? (state | TBSTATE_ENABLED) : (state & ~TBSTATE_ENABLED);
    SendMessageA(hWnd, TB_SETSTATE, static_cast<WPARAM>(commandId), MAKELONG(state, 0));
}

void clsToolBar::SetImageList(HIMAGELIST list) {
    SendMessageA(hWnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
}

void clsToolBar::ResizeToolbar() {
    if (SendMessageA(hWnd, TB_BUTTONCOUNT, 0, 0) <= 0) return;
    SetWindowPos(hWnd, nullptr, 0, 0, ButtonsWidth(), ButtonHeight(),
                 SWP_NOMOVE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
}

void clsToolBar::SetLeft(int32_t twips) {
    RECT r{};
    GetWindowRect(hWnd, &r);
    // MoveWindow places a child in its parent's client coordinates: keep the top there.
    POINT topLeft{r.left, r.top};
    if (HWND parent = GetParent(hWnd)) ScreenToClient(parent, &topLeft);
    MoveWindow(hWnd, TwipsToPixelsEven(twips, gTwipsPerPixelX), topLeft.y, r.right - r.left, r.bottom - r.top, TRUE);
}

int32_t clsToolBar::Height() {
    RECT r{};
    GetWindowRect(hWnd, &r);
    return (r.bottom - r.top) * gTwipsPerPixelY + kHeightExtraTwips;
}

LRESULT clsToolBar::WindowProc(HWND, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_COMMAND:
        if (hWnd && reinterpret_cast<HWND>(lParam) == hWnd) {
            const auto position = static_cast<int32_t>(SendMessageA(hWnd, TB_COMMANDTOINDEX, LOWORD(wParam), 0));
            if (gFrmDesigner) gFrmDesigner->ButtonInfo_ButtonClick(position);
        }
        break;
    case WM_NCMOUSEMOVE:
        if (gFrmDesigner) gFrmDesigner->ButtonInfo_ButtonHelp("");
        break;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == TTN_NEEDTEXTA) AnswerTipRequest(lParam);
        break;
    default:
        break;
    }
    return 0;
}

void clsToolBar::AnswerTipRequest(LPARAM lParam) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
    const int32_t index = FindButtonIndex(static_cast<int32_t>(info->hdr.idFrom));
    if (index < 0) return;
    const ToolbarButtonEntry& entry = m_Buttons[static_cast<size_t>(index)];
    // The texts are kept in the program's code page already.
    gTipText = entry.TipText;
    if (gFrmDesigner) gFrmDesigner->ButtonInfo_ButtonHelp(entry.HelpText);
    if (gTipText.empty()) return;
    // std::string keeps its NUL after the last byte: the tooltip reads up to it.
    info->lpszText = gTipText.data();
}

int32_t clsToolBar::NextButtonID() { return ++m_LastButtonID; }

int32_t clsToolBar::ButtonsWidth() {
    const auto count = static_cast<int32_t>(SendMessageA(hWnd, TB_BUTTONCOUNT, 0, 0));
    int32_t width = 0;
    for (int32_t i = 0; i < count; ++i) {
        RECT r{};
        SendMessageA(hWnd, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        width += r.right - r.left;
    }
    return width;
}

int32_t clsToolBar::ButtonHeight() {
    if (SendMessageA(hWnd, TB_BUTTONCOUNT, 0, 0) <= 0) return 0;
    RECT r{};
    SendMessageA(hWnd, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.bottom;
}

int32_t clsToolBar::FindButtonIndex(int32_t commandId) const {
    for (size_t i = 0; i < m_Buttons.size(); ++i)
        if (m_Buttons[i].ID == commandId) return static_cast<int32_t>(i);
    return -1;
}
