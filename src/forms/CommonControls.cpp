#include "CommonControls.h"

#include <windowsx.h>

#include <algorithm>

#include "AppError.h"
#include "Container.h"
#include "Form.h"
#include "Twips.h"

namespace {
constexpr COLORREF kMaskColor = RGB(255, 0, 255);
}

// ---- image list

ImageList::ImageList(int width, int height)
    : m_List(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 8, 8)) {}

ImageList::~ImageList() {
    if (m_List) ImageList_Destroy(m_List);
}

void ImageList::Add(const std::string& key, const Picture& bitmap) {
    if (!bitmap.AsBitmap()) throw AppError(ErrNo::InvalidPicture, ErrText::InvalidPicture);
    // The list keeps its own copy, so the picture stays the caller's.
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(bitmap.AsBitmap(), IMAGE_BITMAP, 0, 0, 0));
    ImageList_AddMasked(m_List, copy, kMaskColor);
    DeleteObject(copy);
    m_Keys.push_back(key);
}

int ImageList::IndexOf(const std::string& key) const {
    auto it = std::find(m_Keys.begin(), m_Keys.end(), key);
    return it == m_Keys.end() ? -1 : static_cast<int>(it - m_Keys.begin());
}

// ---- tab strip

void TabStrip::Create(Container& container, int left, int top, int width, int height,
                      const std::vector<Tab>& tabs, ImageList* images) {
    m_Rect = {left, top, left + width, top + height};
    m_Tabs = tabs;
    CreateWindowed(container, WC_TABCONTROLA, WS_TABSTOP | WS_CLIPSIBLINGS | TCS_TOOLTIPS, 0, "");
    if (!m_Hwnd) return;
    if (images) SendMessageA(m_Hwnd, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images->Handle()));
    for (size_t i = 0; i < m_Tabs.size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<char*>(m_Tabs[i].caption.c_str());
        item.iImage = m_Tabs[i].image;
        SendMessageA(m_Hwnd, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    m_Tips = reinterpret_cast<HWND>(SendMessageA(m_Hwnd, TCM_GETTOOLTIPS, 0, 0));
    if (m_Tips) SetPropA(m_Tips, "VexoControl", static_cast<WindowedControl*>(this));
}

int TabStrip::SelectedIndex() const {
    if (!m_Hwnd) return 0;
    return static_cast<int>(SendMessageA(m_Hwnd, TCM_GETCURSEL, 0, 0)) + 1;
}

void TabStrip::Select(int index) {
    if (m_Hwnd) SendMessageA(m_Hwnd, TCM_SETCURSEL, static_cast<WPARAM>(index - 1), 0);
    FireClick();
}

RECT TabStrip::DisplayRect() const {
    RECT r{0, 0, Width(), Height()};
    if (m_Hwnd) SendMessageA(m_Hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    OffsetRect(&r, Left(), Top());
    return r;
}

bool TabStrip::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->hwndFrom == m_Hwnd && header->code == TCN_SELCHANGE) {
        FireClick();
        result = 0;
        return true;
    }
    if (header->hwndFrom == m_Tips && header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        size_t i = static_cast<size_t>(header->idFrom);
        if (i < m_Tabs.size()) info->lpszText = const_cast<char*>(m_Tabs[i].toolTip.c_str());
        return true;
    }
    return false;
}

// ---- status bar

void StatusBar::Create(Container& container, const std::vector<Panel>& panels) {
    m_Panels = panels;
    CreateWindowed(container, STATUSCLASSNAMEA, SBARS_TOOLTIPS | CCS_BOTTOM, 0, "");
    if (!m_Hwnd) return;
    RECT r;
    GetWindowRect(m_Hwnd, &r);
    MapWindowPoints(nullptr, container.Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    m_Rect = r;
    Layout();
}

std::vector<int> StatusBar::PanelRights() const {
    std::vector<int> rights;
    if (!m_Hwnd) return rights;
    RECT client;
    GetClientRect(m_Hwnd, &client);
    int fixed = 0;
    for (const Panel& p : m_Panels) fixed += TwipsToPixelsX(p.widthTwips);
    int x = 0;
    for (const Panel& p : m_Panels) {
        int w = p.widthTwips ? TwipsToPixelsX(p.widthTwips)
                             : std::max<int>(TwipsToPixelsX(p.minWidthTwips), client.right - fixed);
        x += w;
        rights.push_back(x);
    }
    return rights;
}

void StatusBar::Layout() {
    if (!m_Hwnd) return;
    SendMessageA(m_Hwnd, WM_SIZE, 0, 0);
    std::vector<int> rights = PanelRights();
    SendMessageA(m_Hwnd, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    for (size_t i = 0; i < m_Panels.size(); ++i) Apply(static_cast<int>(i));
}

StatusBar::Panel& StatusBar::PanelByKey(const std::string& key) {
    for (Panel& p : m_Panels)
        if (p.key == key) return p;
    throw AppError(35601, "Element not found");
}

void StatusBar::Apply(int index) {
    if (!m_Hwnd) return;
    // The bar paints with the next paint of the window, not within each change: an owner-drawn
    // panel would otherwise be painted at once, at a cost a save notices.
    const bool visible = IsWindowVisible(m_Hwnd) != FALSE;
    if (visible) SendMessageA(m_Hwnd, WM_SETREDRAW, FALSE, 0);
    struct Resume {
        HWND bar;
        ~Resume() {
            if (!bar) return;
            SendMessageA(bar, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(bar, nullptr, TRUE);
        }
    } resume{visible ? m_Hwnd : nullptr};
    const Panel& p = m_Panels[static_cast<size_t>(index)];
    if (!p.picture.Empty())
        SendMessageA(m_Hwnd, SB_SETTEXTA, static_cast<WPARAM>(index) | SBT_OWNERDRAW, index);
    else
        SendMessageA(m_Hwnd, SB_SETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(p.text.c_str()));
    SendMessageA(m_Hwnd, SB_SETTIPTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(p.toolTip.c_str()));
}

void StatusBar::SetPanelText(const std::string& key, const std::string& text) {
    Panel& p = PanelByKey(key);
    if (p.text == text) return;
    p.text = text;
    Apply(static_cast<int>(&p - m_Panels.data()));
}

void StatusBar::SetPanelPicture(const std::string& key, const Picture& picture) {
    Panel& p = PanelByKey(key);
    if (p.picture == picture) return;
    p.picture = picture;
    Apply(static_cast<int>(&p - m_Panels.data()));
    if (m_Hwnd) InvalidateRect(m_Hwnd, nullptr, TRUE);
}

void StatusBar::SetPanelToolTip(const std::string& key, const std::string& text) {
    Panel& p = PanelByKey(key);
    p.toolTip = text;
    Apply(static_cast<int>(&p - m_Panels.data()));
}

LRESULT StatusBar::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MOUSEMOVE) {
        int button = 0;
        if (wParam & MK_LBUTTON) button |= MouseButton::Left;
        if (wParam & MK_RBUTTON) button |= MouseButton::Right;
        if (wParam & MK_MBUTTON) button |= MouseButton::Middle;
        FireMouse(MouseMove, "MouseMove", button, CurrentShiftState(), float(GET_X_LPARAM(lParam)),
                  float(GET_Y_LPARAM(lParam)));
    }
    return WindowedControl::SubclassProc(hwnd, msg, wParam, lParam);
}

bool StatusBar::OnDrawItem(DRAWITEMSTRUCT* item) {
    if (item->hwndItem != m_Hwnd) return false;
    size_t index = static_cast<size_t>(item->itemData);
    if (index >= m_Panels.size()) return true;
    const Panel& p = m_Panels[index];
    RECT r = item->rcItem;
    int w = std::min<int>(p.picture.Width(), r.right - r.left);
    int h = std::min<int>(p.picture.Height(), r.bottom - r.top);
    if (p.picture.AsIcon()) w = h = std::min(16, static_cast<int>(r.bottom - r.top));
    int x = r.left + ((r.right - r.left) - w) / 2;
    int y = r.top + ((r.bottom - r.top) - h) / 2;
    p.picture.Draw(item->hDC, x, y, w, h);
    return true;
}
