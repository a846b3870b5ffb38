// The hook of the open-file and font dialogs: centres them on the screen and,
// by gDialogKind, shows a bitmap preview or a banner in the open dialog with
// the controls that Form1 lends. DialogHookProc itself is declared in CMDIALOG.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The selected file, kept so that the check box can repaint it.
extern std::string gPreviewFilePath;
// The check box's last value; kept, not read.
extern int16_t gStretchImage;
// The wide path of the file the open dialog was last told to take (at its OK), or empty;
// ShowOpen empties it before each dialog. The ANSI result may be a lookalike of it.
extern std::wstring gDialogWidePath;

// Control ids of the explorer-style open dialog.
namespace DialogItem {
constexpr int Label1 = 0x440;
constexpr int TypeLabel = 0x441;
constexpr int NameLabel = 0x442;
constexpr int LookInLabel = 0x443;
constexpr int FileList = 0x460;
constexpr int ShellView = 0x461;
constexpr int TypeCombo = 0x470;
constexpr int LookInCombo = 0x471;
constexpr int NameComboEx = 0x47c;
constexpr int NameEdit = 0x480;
}  // namespace DialogItem

// The room the skin dialog makes for its banner, and the side banner's strip.
constexpr int kBannerGap = 100;
constexpr int kSideBannerGap = 210;
// The preview's check box sits this far under the preview.
constexpr int kCheckGap = 15;
constexpr int kPathChars = 255;

// Handles WM_NOTIFY of the open dialog's hook; always 0.
int32_t DialogNotify(HWND hDlg, LPARAM lParam);
// Moves a control of the dialog by dx, dy and grows it by dw, dh (-1: no change)
// and gives back its new left, top (dialog client) and size. A missing control is left.
void MoveDialogItem(HWND dialog, int id, int32_t& dx, int32_t& dy, int32_t& dw, int32_t& dh);
// The dialog's first toolbar, or nullptr.
HWND FindDialogToolbar(HWND dialog);
// The text before its first NUL.
std::string StripNull(const std::string& text);
// The wide path of what the open dialog's name box names, in the folder the dialog shows
// (the text alone when it is a full path); empty when the box is. Only its characters count:
// the dialog's own reading of the text may differ in other ways.
std::wstring ChosenWidePath(HWND dialog);
// Loads gPreviewFilePath into the preview, natural size or stretched, and sets
// its tip to the file's size; every failing step is skipped.
void PaintPreview();

// Decisions kept apart from the windows.
// (screen - size) / 2, rounded to the nearest integer, ties to even.
int CentredOrigin(int screen, int size);
// The bitmap preview beside the file list, from the list's client left-top, size
// and screen right edge: the preview box, the check box's left-top and the
// dialog's new right edge (screen).
struct PreviewLayout {
    RECT preview;
    POINT check;
    LONG dialogRight;
};
PreviewLayout BitmapPreviewLayout(int listLeft, int listTop, int listWidth, int listHeight,
                                  int listScreenRight, int checkWidth);
// The file's size in bytes as text, or "" when it can't be read (or is a folder).
std::string FileSizeText(const std::string& path);
