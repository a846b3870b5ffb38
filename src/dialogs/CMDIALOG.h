// The colour, open-file and font dialogs of comdlg32, and the texts of
// common-dialog error numbers. Results come back through the globals below.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <cstdint>
#include <string>

class Form;
class PictureBox;
class CheckBox;

// Which dialog is being shown, so the hook knows what layout to build.
namespace DialogKind {
constexpr int32_t Plain = 0;
constexpr int32_t BitmapPreview = 1;
constexpr int32_t SkinBanner = 2;
constexpr int32_t SideBanner = 3;
constexpr int32_t DeleteButton = 4;
constexpr int32_t FontDialog = 5;
}  // namespace DialogKind

// What ShowColor and ShowOpen return.
namespace DialogResult {
constexpr int16_t Chosen = 0;
constexpr int16_t NoMemory = 1;
constexpr int16_t NoLock = 2;
constexpr int16_t NoChoice = 3;
}  // namespace DialogResult

extern int32_t gDialogKind;
// Form1's controls, lent to the hook only while an open dialog runs.
extern PictureBox* gPicPreview;
extern PictureBox* gPicTemp;
extern CheckBox* gChkPreview;
extern std::string gDialogFileName, gDialogFileTitle;
extern int32_t gDialogColor;

// 0 chosen (gDialogColor), 1 or 2 no memory for the custom colours, 3 cancelled or failed.
int16_t ShowColor(Form& owner, int32_t& extErr, int32_t initColor, int32_t flags);
// 0 chosen (gDialogFileName, gDialogFileTitle), 3 cancelled or failed. filterIndex is not used.
// Raises error 5 for a file name longer than kOpenFileBufferChars. A name the code page can't
// hold exactly is refused with a message box (RefuseChosenFile) and gives 3 with empty results.
int16_t ShowOpen(Form& owner, int32_t& extErr, const std::string& filter, const std::string& initDir,
                 const std::string& title, int32_t filterIndex, int32_t flags, const std::string& fileName);
// Whether a path that ShowOpen returned names a regular file the program can open by that name;
// when not, a message box names the file and says why, and the caller takes nothing.
bool ChosenFileUsable(const std::string& path);
// "The file <path> can't be used: <problem>.", asking for another file.
void RefuseChosenFile(const std::string& path, const std::string& problem);
// The chosen face name, or "" when cancelled; opens on the owner's face at 14 points.
std::string ShowFont(Form& owner, const void* unused = nullptr);
std::string CommonDialogErrorText(int32_t number);

// The open and font dialogs' hook (DialogHook.cpp).
UINT_PTR CALLBACK DialogHookProc(HWND, UINT, WPARAM, LPARAM);

// Decisions kept apart from the dialogs.
constexpr size_t kOpenFileBufferChars = 256;
constexpr int32_t kFontDialogPoints = 14;
// The file name padded with NULs to kOpenFileBufferChars; raises error 5 when it is longer.
std::string OpenFileBuffer(const std::string& fileName);
// points * logPixelsY / 72, rounded to the nearest integer, ties to even.
int32_t FontDialogHeight(int32_t points, int32_t logPixelsY);

// The 16 custom colours of the colour dialog now showing, or nullptr when none shows.
const COLORREF* ShowingCustomColors();
// The record of the font dialog now showing, or nullptr when none shows.
const CHOOSEFONTA* ShowingFontRecord();
