#include "DialogHook.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <initializer_list>
#include <vector>

#include "AppError.h"
#include "CMDIALOG.h"
#include "File.h"
#include "PictureBox.h"
#include "StdControls.h"

std::string gPreviewFilePath;
int16_t gStretchImage = 0;
std::wstring gDialogWidePath;

namespace {

constexpr char kToolbarClass[] = "ToolbarWindow32";
constexpr char kDeleteCaption[] = "Elimina";
constexpr int kBannerMargin = 5;
constexpr UINT_PTR kForwardId = 1;

// num / den for den > 0, to the nearest integer, ties to even.
int RoundHalfEven(int64_t num, int64_t den) {
    int64_t q = num / den, r = num % den;
    if (r < 0) {
        r += den;
        --q;
    }
    if (2 * r > den || (2 * r == den && (q & 1) != 0)) ++q;
    return static_cast<int>(q);
}

// The twips round trip of the screen's size is exact, so the metrics serve as they are.
SIZE ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

void CentreOnScreen(HWND window, const RECT& rect) {
    const SIZE screen = ScreenSize();
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    SetWindowPos(window, HWND_TOP, CentredOrigin(screen.cx, w), CentredOrigin(screen.cy, h), w, h,
                 SWP_SHOWWINDOW);
}

// A control's window rectangle with its left-top in the dialog's client coordinates.
bool ClientRect(HWND dialog, HWND item, RECT& rect) {
    if (!item || !GetWindowRect(item, &rect)) return false;
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

// The file list the user sees. The template's list box (0x460) stays a hidden
// placeholder once the shell view (0x461) sits in its place, and under Wine the
// two need not agree, so the view plays the list's part wherever it exists.
HWND FileListOf(HWND dialog) {
    HWND view = GetDlgItem(dialog, DialogItem::ShellView);
    return view ? view : GetDlgItem(dialog, DialogItem::FileList);
}

void Shift(HWND dialog, int id, int32_t dx, int32_t dy) {
    int32_t dw = -1, dh = -1;
    MoveDialogItem(dialog, id, dx, dy, dw, dh);
}

// Controls that the dialog's own procedure would never tell about, such as the
// borrowed check box, get their commands from here.
LRESULT CALLBACK ForwardCommands(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR) {
    if (msg == WM_COMMAND && lParam)
        if (WindowedControl* control = WindowedControl::FromHwnd(reinterpret_cast<HWND>(lParam))) {
            control->OnCommand(HIWORD(wParam));
            return 0;
        }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(window, ForwardCommands, id);
    return DefSubclassProc(window, msg, wParam, lParam);
}

void LayOutPreview(HWND dialog, RECT& dialogRect) {
    PictureBox* preview = gPicPreview;
    CheckBox* check = gChkPreview;
    HWND list = FileListOf(dialog);
    RECT screenList{}, clientList{};
    if (!preview || !check || !list || !GetWindowRect(list, &screenList) ||
        !ClientRect(dialog, list, clientList))
        return;
    const PreviewLayout layout =
        BitmapPreviewLayout(clientList.left, clientList.top, screenList.right - screenList.left,
                            screenList.bottom - screenList.top, screenList.right, check->Width());
    const RECT& p = layout.preview;
    preview->Move(p.left, p.top, p.right - p.left, p.bottom - p.top);
    check->Move(layout.check.x, layout.check.y);
    dialogRect.right = layout.dialogRight;
    SetParent(preview->Hwnd(), dialog);
    SetParent(check->Hwnd(), dialog);
    preview->SetVisible(true);
    check->SetVisible(true);
    SetWindowSubclass(dialog, ForwardCommands, kForwardId, 0);
}

// The skin banner above the controls (dy) or the side banner beside them (dx).
void LayOutBanner(HWND dialog, RECT& dialogRect, int dx, int dy) {
    dialogRect.right += dx;
    dialogRect.bottom += dy;
    Shift(dialog, IDOK, dx, dy);
    Shift(dialog, IDCANCEL, dx, dy);

    RECT list{}, lookIn{};
    const bool haveList = ClientRect(dialog, FileListOf(dialog), list);
    ClientRect(dialog, GetDlgItem(dialog, DialogItem::LookInCombo), lookIn);
    PictureBox* banner = gPicPreview;
    PictureBox* temp = gPicTemp;
    if (banner && temp && haveList) {
        const Picture picture = temp->GetPicture();
        RECT source{};
        GetClientRect(temp->Hwnd(), &source);
        int width = list.right - kBannerMargin, height = temp->Height();
        // The side banner has no caller; it takes the strip the controls leave, its
        // picture whole, as tall as it is.
        if (dx != 0) {
            width = dx - kBannerMargin;
            source.right = picture.Width();
            height = source.bottom = picture.Height();
        }
        ResumeNext([&] { banner->SetPicture(Picture()); });
        ResumeNext([&] { banner->Move(list.left, lookIn.top, width, height); });
        ResumeNext([&] {
            banner->PaintPicture(picture, 0, 0, source.right, source.bottom, 0, 0, source.right,
                                 source.bottom);
        });
        ResumeNext([&] {
            SetParent(banner->Hwnd(), dialog);
            banner->SetVisible(true);
        });
    }
    // The shell view moves with the list it stands for; Windows 2000 and later (and
    // Wine) name the file with the combo 0x47c where older systems have the edit 0x480.
    for (int id : {DialogItem::FileList, DialogItem::ShellView, DialogItem::LookInLabel,
                   DialogItem::NameLabel, DialogItem::TypeLabel, DialogItem::Label1, DialogItem::TypeCombo,
                   DialogItem::LookInCombo, DialogItem::NameEdit, DialogItem::NameComboEx})
        ResumeNext([&] { Shift(dialog, id, dx, dy); });
    // Some dialogs hold a second toolbar (the places bar); every one moves.
    for (HWND bar = FindDialogToolbar(dialog); bar;
         bar = FindWindowExA(dialog, bar, kToolbarClass, nullptr)) {
        RECT r{};
        if (ClientRect(dialog, bar, r))
            MoveWindow(bar, r.left + dx, r.top + dy, r.right - r.left, r.bottom - r.top, TRUE);
    }
}

// Gives the borrowed controls back to Form1, hidden, before the dialog takes them down with it.
void GiveBack(HWND dialog) {
    RemoveWindowSubclass(dialog, ForwardCommands, kForwardId);
    for (WindowedControl* control :
         {static_cast<WindowedControl*>(gPicPreview), static_cast<WindowedControl*>(gChkPreview)}) {
        if (!control || !control->Hwnd() || !control->GetContainer()) continue;
        SetParent(control->Hwnd(), control->GetContainer()->Hwnd());
        control->SetVisible(false);
    }
}

std::wstring WindowTextW(HWND window) {
    if (!window) return std::wstring();
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The folder the dialog shows, wide: its ANSI path may be a lookalike.
std::wstring DialogFolderW(HWND dialog) {
    const LRESULT size = SendMessageA(dialog, CDM_GETFOLDERIDLIST, 0, 0);
    if (size <= 0) return std::wstring();
    std::vector<BYTE> pidl(static_cast<size_t>(size));
    if (SendMessageA(dialog, CDM_GETFOLDERIDLIST, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(pidl.data())) <= 0)
        return std::wstring();
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(reinterpret_cast<LPCITEMIDLIST>(pidl.data()), path)) return std::wstring();
    return path;
}

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Nothing of another file: no picture, no size.
void ClearPreview() {
    PictureBox* preview = gPicPreview;
    PictureBox* temp = gPicTemp;
    if (!preview || !temp) return;
    ResumeNext([&] { temp->SetPicture(Picture()); });
    ResumeNext([&] { preview->SetPicture(Picture()); });
    ResumeNext([&] { preview->Refresh(); });
    ResumeNext([&] { preview->SetToolTipText(""); });
}

class WaitCursor {
public:
    WaitCursor() : m_Old(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { SetCursor(m_Old); }

private:
    HCURSOR m_Old;
};

}  // namespace

std::wstring ChosenWidePath(HWND dialog) {
    HWND box = GetDlgItem(dialog, DialogItem::NameComboEx);
    std::wstring text = WindowTextW(box ? box : GetDlgItem(dialog, DialogItem::NameEdit));
    const size_t first = text.find_first_not_of(L' '), last = text.find_last_not_of(L' ');
    text = first == std::wstring::npos ? std::wstring() : text.substr(first, last - first + 1);
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') text = text.substr(1, text.size() - 2);
    if (text.empty()) return text;
    const bool fullPath = (text.size() >= 3 && text[1] == L':' && IsSeparator(text[2])) ||
                          (text.size() >= 2 && IsSeparator(text[0]) && IsSeparator(text[1]));
    if (fullPath) return text;
    const std::wstring folder = DialogFolderW(dialog);
    // From the root of the folder's drive; any other text is read from the folder itself.
    if (IsSeparator(text[0]) && folder.size() >= 2 && folder[1] == L':') return folder.substr(0, 2) + text;
    std::wstring path = folder.empty() ? text : folder + (IsSeparator(folder.back()) ? L"" : L"\\") + text;
    wchar_t full[MAX_PATH] = {};
    const DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? std::wstring(full) : path;
}

int CentredOrigin(int screen, int size) { return RoundHalfEven(int64_t{screen} - size, 2); }

PreviewLayout BitmapPreviewLayout(int listLeft, int listTop, int listWidth, int listHeight,
                                  int listScreenRight, int checkWidth) {
    const int w = RoundHalfEven(int64_t{listHeight} * 6, 5);  // 1.2 times the height
    const int left = 3 * listLeft + listWidth;
    PreviewLayout layout{};
    layout.preview = {left, listTop, left + w, listTop + listHeight};
    layout.check = {RoundHalfEven(int64_t{w} - checkWidth + 2 * int64_t{left}, 2),
                    listTop + listHeight + kCheckGap};
    layout.dialogRight = w + listScreenRight + 4 * listLeft;
    return layout;
}

std::string StripNull(const std::string& text) { return text.substr(0, text.find('\0')); }

HWND FindDialogToolbar(HWND dialog) { return FindWindowExA(dialog, nullptr, kToolbarClass, nullptr); }

void MoveDialogItem(HWND dialog, int id, int32_t& dx, int32_t& dy, int32_t& dw, int32_t& dh) {
    HWND item = GetDlgItem(dialog, id);
    RECT r{};
    if (!item || !GetWindowRect(item, &r)) return;
    POINT at{r.left + (dx == -1 ? 0 : dx), r.top + (dy == -1 ? 0 : dy)};
    ScreenToClient(dialog, &at);
    const int32_t w = r.right - r.left + (dw == -1 ? 0 : dw);
    const int32_t h = r.bottom - r.top + (dh == -1 ? 0 : dh);
    MoveWindow(item, at.x, at.y, w, h, TRUE);
    dx = at.x, dy = at.y, dw = w, dh = h;
}

std::string FileSizeText(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return "";
    return std::to_string((uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow);
}

void PaintPreview() {
    PictureBox* preview = gPicPreview;
    PictureBox* temp = gPicTemp;
    if (!preview || !temp) return;
    const std::string path = gPreviewFilePath;
    {
        WaitCursor wait;
        // A file that does not load leaves the last picture in place.
        ResumeNext([&] { temp->SetPicture(Picture::LoadBitmapFile(path)); });
        ResumeNext([&] { preview->SetPicture(Picture()); });
        ResumeNext([&] {
            if (gChkPreview && gChkPreview->Value() == 1) {
                RECT box{};
                GetClientRect(preview->Hwnd(), &box);
                preview->PaintPicture(temp->GetPicture(), 0, 0, box.right, box.bottom);
            } else {
                preview->PaintPicture(temp->GetPicture(), 0, 0);
            }
        });
        ResumeNext([&] { preview->Refresh(); });
    }
    ResumeNext([&] { preview->SetToolTipText(FileSizeText(path)); });
}

int32_t DialogNotify(HWND hDlg, LPARAM lParam) {
    const auto* notify = reinterpret_cast<const OFNOTIFYA*>(lParam);
    if (!notify) return 0;
    HWND dialog = GetParent(hDlg);
    switch (notify->hdr.code) {
    case CDN_INITDONE: {
        RECT rect{};
        GetWindowRect(dialog, &rect);
        switch (gDialogKind) {
        case DialogKind::BitmapPreview:
            gPreviewFilePath.clear();  // the last dialog's file is not this one's
            LayOutPreview(dialog, rect);
            break;
        case DialogKind::SkinBanner: LayOutBanner(dialog, rect, 0, kBannerGap); break;
        case DialogKind::SideBanner: LayOutBanner(dialog, rect, kSideBannerGap, 0); break;
        case DialogKind::DeleteButton: SetDlgItemTextA(dialog, IDOK, kDeleteCaption); break;
        default: break;
        }
        CentreOnScreen(dialog, rect);
        break;
    }
    case CDN_SELCHANGE: {
        // The banners are fixed pictures: only the bitmap dialog previews what is selected.
        if (gDialogKind != DialogKind::BitmapPreview) break;
        // The dialog's ANSI path of a name the code page can't hold names a lookalike: another picture.
        std::string exact;
        if (!ExactAnsi(ChosenWidePath(dialog), exact)) {
            gPreviewFilePath.clear();
            ClearPreview();
            break;
        }
        std::string buffer(kPathChars + 1, '\0');
        const LRESULT n =
            SendMessageA(dialog, CDM_GETFILEPATH, kPathChars, reinterpret_cast<LPARAM>(buffer.data()));
        // A path too long for the buffer comes back cut short, and may then name another file.
        gPreviewFilePath = n > 0 && n <= kPathChars ? StripNull(buffer) : "";
        PaintPreview();
        break;
    }
    case CDN_FILEOK: gDialogWidePath = ChosenWidePath(dialog); break;
    default: break;
    }
    return 0;
}

UINT_PTR CALLBACK DialogHookProc(HWND hDlg, UINT uMsg, WPARAM, LPARAM lParam) {
    // Nothing may unwind into the dialog's own code.
    try {
        switch (uMsg) {
        case WM_INITDIALOG: {
            // The font dialog is centred here; the open dialog's hook window is a child
            // placed by this too, and the open dialog itself is centred at CDN_INITDONE.
            RECT rect{};
            GetWindowRect(hDlg, &rect);
            CentreOnScreen(hDlg, rect);
            return 0;
        }
        case WM_NOTIFY: return static_cast<UINT_PTR>(DialogNotify(hDlg, lParam));
        case WM_DESTROY:
            if (gDialogKind >= DialogKind::BitmapPreview && gDialogKind <= DialogKind::SideBanner)
                GiveBack(GetParent(hDlg));
            return 0;
        default: return 0;
        }
    } catch (...) {
        return 0;
    }
}
