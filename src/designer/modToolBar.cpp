#include "modToolBar.h"

#include "AppError.h"
#include "clsToolBar.h"
#include "resource.h"

int32_t gTwipsPerPixelX = 0;
int32_t gTwipsPerPixelY = 0;
std::string gTipText;
WNDPROC gOldParentWndProc = nullptr;
clsToolBar* gToolbarObject = nullptr;
HWND gToolbarParentHwnd = nullptr;
std::vector<ToolbarButtonText> gToolbarButtons;

namespace {
int32_t g_FirstBitmapId = IDB_TOOLBAR_NEW;
}

int32_t ToolbarFirstBitmapId() { return g_FirstBitmapId; }
void SetToolbarFirstBitmapId(int32_t id) { g_FirstBitmapId = id; }

void Subclass(HWND parent, clsToolBar* toolbar) {
    // A second subclassing would lose the first window's procedure: put that one back first.
    if (gOldParentWndProc) UnSubclass();
    gToolbarObject = toolbar;
    gOldParentWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ParentWndProc)));
    gToolbarParentHwnd = parent;
}

void UnSubclass() {
    if (gOldParentWndProc && IsWindow(gToolbarParentHwnd))
        SetWindowLongPtrA(gToolbarParentHwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gOldParentWndProc));
    gOldParentWndProc = nullptr;
    gToolbarParentHwnd = nullptr;
    // The object is ending: no message may reach it any more.
    gToolbarObject = nullptr;
}

LRESULT CALLBACK ParentWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (gToolbarObject) gToolbarObject->WindowProc(hWnd, uMsg, wParam, lParam);
    WNDPROC old = gOldParentWndProc;
    if (!old) return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    const LRESULT result = CallWindowProcA(old, hWnd, uMsg, wParam, lParam);
    // A window destroyed while still subclassed has nothing to put back.
    if (uMsg == WM_NCDESTROY && hWnd == gToolbarParentHwnd) {
        gOldParentWndProc = nullptr;
        gToolbarParentHwnd = nullptr;
        gToolbarObject = nullptr;
    }
    return result;
}

int32_t TwipsToPixelsEven(int32_t twips, int32_t twipsPerPixel) {
    if (twipsPerPixel == 0) throw AppError(11, "Division by zero");
    int64_t n = twips, d = twipsPerPixel;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    int64_t q = n / d, r = n % d;
    if (r < 0) {  // floor division
        --q;
        r += d;
    }
    if (2 * r > d || (2 * r == d && (q & 1))) ++q;
    if (q > INT32_MAX || q < INT32_MIN) throw AppError(ErrNo::Overflow, "Overflow");
    return static_cast<int32_t>(q);
}
