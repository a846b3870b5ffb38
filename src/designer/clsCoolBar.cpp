#include "clsCoolBar.h"

#include <commctrl.h>

#include <vector>

#include "AppError.h"
#include "modToolBar.h"

namespace {
constexpr DWORD kRebarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER |
                              RBS_VARHEIGHT | RBS_BANDBORDERS | RBS_FIXEDORDER | CCS_NODIVIDER |
                              CCS_NOPARENTALIGN;  // 0x56800E48
constexpr UINT kBandStyle = RBBS_FIXEDSIZE | RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS | RBBS_USECHEVRON;  // 0x286
constexpr UINT kBandWidth = 250;
constexpr int kRebarId = 1;

int32_t ToTwips(LONG pixels, int32_t perPixel) {
    const int64_t twips = int64_t(pixels) * perPixel;
    if (twips > INT32_MAX || twips < INT32_MIN) throw AppError(ErrNo::Overflow, "Overflow");
    return static_cast<int32_t>(twips);
}
}  // namespace

clsCoolBar::clsCoolBar() {
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_COOL_CLASSES};
    InitCommonControlsEx(&icc);
}

clsCoolBar::~clsCoolBar() {
    if (hWnd && IsWindow(hWnd)) DestroyWindow(hWnd);
}

void clsCoolBar::Create(HWND parent, int32_t left, int32_t top, int32_t width, int32_t height) {
    hWnd = CreateWindowExA(WS_EX_TOOLWINDOW, REBARCLASSNAMEA, "", kRebarStyle, left, top, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRebarId)), GetModuleHandleA(nullptr),
                           nullptr);
    REBARINFO info{};
    info.cbSize = sizeof(REBARINFO);
    info.fMask = 0;
    info.himl = nullptr;
    SendMessageA(hWnd, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
}

void clsCoolBar::AddBand(HWND child, const std::string& text) {
    RECT r{};
    GetWindowRect(child, &r);
    REBARBANDINFOA band{};
    // The size every comctl32 takes: the newer, longer forms are refused by older ones.
    band.cbSize = REBARBANDINFOA_V3_SIZE;
    band.fMask = RBBIM_STYLE | RBBIM_CHILDSIZE | RBBIM_SIZE;
    if (!text.empty()) band.fMask |= RBBIM_TEXT;
    if (child) band.fMask |= RBBIM_CHILD;
    band.fStyle = kBandStyle;
    std::vector<char> textBytes(text.begin(), text.end());
    textBytes.push_back('\0');
    band.lpText = textBytes.data();
    band.hwndChild = child;
    band.cxMinChild = static_cast<UINT>(r.right - r.left);
    band.cyMinChild = static_cast<UINT>(r.bottom - r.top);
    band.cx = kBandWidth;
    SendMessageA(hWnd, RB_INSERTBANDA, 0, reinterpret_cast<LPARAM>(&band));
}

int32_t clsCoolBar::Height() {
    RECT r{};
    GetWindowRect(hWnd, &r);
    return ToTwips(r.bottom - r.top, gTwipsPerPixelY);
}

int32_t clsCoolBar::Width() {
    RECT r{};
    GetWindowRect(hWnd, &r);
    return ToTwips(r.right - r.left, gTwipsPerPixelX);
}

RECT clsCoolBar::PlacedRect() const {
    RECT r{};
    GetWindowRect(hWnd, &r);
    if (HWND parent = GetParent(hWnd)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void clsCoolBar::SetTop(int32_t twips) { Move(-1, twips, -1, -1); }

void clsCoolBar::SetWidth(int32_t twips) { Move(-1, -1, twips, -1); }

void clsCoolBar::SetHeight(int32_t twips) { Move(-1, -1, -1, twips); }

void clsCoolBar::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
    const RECT r = PlacedRect();
    const int x = left == -1 ? r.left : TwipsToPixelsEven(left, gTwipsPerPixelX);
    const int y = top == -1 ? r.top : TwipsToPixelsEven(top, gTwipsPerPixelY);
    const int w = width == -1 ? r.right - r.left : TwipsToPixelsEven(width, gTwipsPerPixelX);
    const int h = height == -1 ? r.bottom - r.top : TwipsToPixelsEven(height, gTwipsPerPixelY);
    MoveWindow(hWnd, x, y, w, h, TRUE);
}
