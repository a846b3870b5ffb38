#include "CMDIALOG.h"

#include <commdlg.h>

#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

#include "AppError.h"
#include "DialogHook.h"
#include "File.h"
#include "Form.h"
#include "Form1.h"
#include "ProgramWait.h"
#include "Gdi.h"
#include "Prompts.h"

int32_t gDialogKind = 0;
PictureBox* gPicPreview = nullptr;
PictureBox* gPicTemp = nullptr;
CheckBox* gChkPreview = nullptr;
std::string gDialogFileName, gDialogFileTitle;
int32_t gDialogColor = 0;

namespace {

constexpr int kCustomColors = 16;
constexpr SIZE_T kCustomColorBytes = kCustomColors * sizeof(COLORREF);
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr int kFileTitleChars = 255;
constexpr int kFaceNameCount = 79;

const COLORREF* gShowingCustomColors = nullptr;
const CHOOSEFONTA* gShowingFont = nullptr;

// The layout without the fields added in Windows 2000, as older systems expect.
#ifdef OPENFILENAME_SIZE_VERSION_400A
const DWORD kOpenFileNameSize = OPENFILENAME_SIZE_VERSION_400A;
#else
const DWORD kOpenFileNameSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#endif

// A movable global block, freed however the call ends.
class GlobalBlock {
public:
    GlobalBlock(UINT flags, SIZE_T bytes) : m_Handle(GlobalAlloc(flags, bytes)) {}
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    ~GlobalBlock() {
        if (m_Handle) GlobalFree(m_Handle);
    }
    HGLOBAL Get() const { return m_Handle; }

private:
    HGLOBAL m_Handle;
};

// Keeps a global block locked for as long as it lives.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL block) : m_Block(block), m_Pointer(GlobalLock(block)) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() {
        if (m_Pointer) GlobalUnlock(m_Block);
    }
    void* Get() const { return m_Pointer; }

private:
    HGLOBAL m_Block;
    void* m_Pointer;
};

// Form1's controls are lent for one open dialog and taken back however it ends.
class LentControls {
public:
    explicit LentControls(int32_t kind) : m_Kind(kind) {
        if (kind < DialogKind::BitmapPreview || kind > DialogKind::SideBanner) return;
        Form1& form = GetForm1();
        gPicPreview = &form.picPreview;
        gPicTemp = &form.picTemp;
        if (kind == DialogKind::BitmapPreview) gChkPreview = &form.chkPreview;
        else if (kind == DialogKind::SkinBanner) gPicTemp->SetPicture(form.Image1.GetPicture());
        else gPicTemp->SetPicture(form.Image2.GetPicture());
    }
    LentControls(const LentControls&) = delete;
    LentControls& operator=(const LentControls&) = delete;
    ~LentControls() {
        if (m_Kind < DialogKind::BitmapPreview || m_Kind > DialogKind::SideBanner) return;
        gPicPreview = nullptr;
        gPicTemp = nullptr;
        if (m_Kind == DialogKind::BitmapPreview) gChkPreview = nullptr;
        UnloadForm1();
    }

private:
    int32_t m_Kind;
};

// The open dialog makes the chosen file's folder the current one: a folder the process is
// in cannot be renamed, and a skin's folder is renamed while the program runs.
class CurrentFolderKeeper {
public:
    CurrentFolderKeeper() = default;
    CurrentFolderKeeper(const CurrentFolderKeeper&) = delete;
    CurrentFolderKeeper& operator=(const CurrentFolderKeeper&) = delete;
    ~CurrentFolderKeeper() {
        if (!m_Folder.empty()) SetCurrentDirectoryA(m_Folder.c_str());
    }

private:
    const std::string m_Folder = CurrentFolder();
};

std::string UpToNul(const char* text) { return std::string(text); }

struct ErrorEntry {
    int32_t number;
    const char* text;
};

// Keyed by the numbers the designer's callers have always shown.
constexpr ErrorEntry kErrorTexts[] = {
    {32765, "Common dialog function failed during initialization (not enough memory?)."},
    {32761, "Common dialog function failed to load a specified string."},
    {32760, "Common dialog function failed to load a specified resource."},
    {32759, "Common dialog function failed to lock a specified resource."},
    {32758, "Common dialog function unable to allocate memory for internal data structures."},
    {32757, "Common dialog function unable to lock memory associated with a handle."},
    {32755, "Cancel was selected."},
    {32752, "Couldn't allocate memory for FileName or Filter."},
    {32751, "The call to WinHelp failed.  Check the Help property values."},
    {28671, "The PD_RETURNDEFAULT flag was set in the Flags member of PRINTDLG data structure, but "
            "either hDevMode or hDevNames field were nonzero."},
    {28670, "Load of the required resources failed."},
    {28669, "The common dialog function failed to parse the strings in the [devices] section of the "
            "WIN.INI file."},
    {28668, "The PD_RETURNDEFAULT flag was set in the Flags member of PRINTDLG data structure, but "
            "either hDevMode or hDevNames field were nonzero."},
    {28667, "The PRINTDLG function failed to load the specified printer's device driver."},
    {28666, "The printer device-driver failed to initialize a DEVMODE data structure (print driver "
            "written for WIN 3.0 or later)."},
    {28665, "The PRINTDLG function failed during initialization."},
    {28664, "No printer device-drivers were found."},
    {28663, "A default printer does not exist."},
    {28662, "The data in the DEVMODE and DEVNAMES data structrues describes two different printers."},
    {28661, "The PRINTDLG function failed when it attempted to create an information context."},
    {28660, "The [devices] section of the WIN.INI file does not contain an entry for requested printer."},
    {24574, "No fonts exist.  Must set internally to CF_BOTH, CF_PRINTERFONTS or CF_SCREENFONTS."},
    {20478, "An attempt to subclass a listbox failed due to insufficient memory."},
    {20477, "File name is invalid."},
    {20476, "The buffer at which the member lpstrFile points to is too small."},
};

}  // namespace

const COLORREF* ShowingCustomColors() { return gShowingCustomColors; }
const CHOOSEFONTA* ShowingFontRecord() { return gShowingFont; }

int32_t FontDialogHeight(int32_t points, int32_t logPixelsY) {
    const int64_t n = int64_t{points} * logPixelsY;
    int64_t q = n / 72, r = n % 72;
    if (r < 0) {
        r += 72;
        --q;
    }
    if (2 * r > 72 || (2 * r == 72 && (q & 1) != 0)) ++q;
    return static_cast<int32_t>(q);
}

std::string OpenFileBuffer(const std::string& fileName) {
    if (fileName.size() > kOpenFileBufferChars)
        throw AppError(ErrNo::InvalidCall, "Invalid procedure call or argument");
    std::string buffer = fileName;
    buffer.resize(kOpenFileBufferChars, '\0');
    return buffer;
}

std::string CommonDialogErrorText(int32_t number) {
    for (const ErrorEntry& e : kErrorTexts)
        if (e.number == number) {
            std::string text = "#";
            text.append(std::to_string(number)).append(",  ").append(e.text);
            return text;
        }
    // Non-negative numbers get a leading blank, as the classic number-to-text form does.
    std::string text = "Unknow Printer Error:  #";
    if (number >= 0) text.push_back(' ');
    text.append(std::to_string(number));
    return text;
}

int16_t ShowColor(Form& owner, int32_t& extErr, int32_t initColor, int32_t flags) {
    extErr = 0;
    if (initColor < 0) initColor = 0;

    // Fresh white custom colours every time: nothing is kept between dialogs.
    COLORREF custom[kCustomColors];
    for (COLORREF& c : custom) c = kWhite;

    GlobalBlock block(GMEM_MOVEABLE | GMEM_ZEROINIT, kCustomColorBytes);
    if (!block.Get()) return DialogResult::NoMemory;
    GlobalLockGuard lock(block.Get());
    if (!lock.Get()) return DialogResult::NoLock;
    std::memcpy(lock.Get(), custom, kCustomColorBytes);

    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner.Hwnd();
    cc.rgbResult = static_cast<COLORREF>(initColor);
    cc.lpCustColors = static_cast<COLORREF*>(lock.Get());
    cc.Flags = static_cast<DWORD>(flags);

    gShowingCustomColors = cc.lpCustColors;
    BOOL chosen;
    {
        ProgramWait wait;
        wait.Disable(cc.hwndOwner);
        chosen = ChooseColorA(&cc);
        extErr = static_cast<int32_t>(CommDlgExtendedError());
    }
    gShowingCustomColors = nullptr;

    if (!chosen) return DialogResult::NoChoice;
    gDialogColor = static_cast<int32_t>(cc.rgbResult);
    return DialogResult::Chosen;
}

int16_t ShowOpen(Form& owner, int32_t& extErr, const std::string& filter, const std::string& initDir,
                 const std::string& title, int32_t /*filterIndex*/, int32_t flags,
                 const std::string& fileName) {
    extErr = 0;
    const std::string initial = OpenFileBuffer(fileName);
    // One NUL past nMaxFile, so a name that fills the buffer still ends.
    std::vector<char> file(initial.begin(), initial.end());
    file.push_back('\0');
    std::vector<char> fileTitle = file;
    fileTitle.push_back('\0');
    const std::string filterList = filter + '\0';

    OPENFILENAMEA ofn{};
    ofn.lStructSize = kOpenFileNameSize;
    ofn.hwndOwner = owner.Hwnd();
    ofn.lpstrFilter = filterList.c_str();
    ofn.nFilterIndex = 0;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(kOpenFileBufferChars);
    ofn.lpstrFileTitle = fileTitle.data();
    ofn.nMaxFileTitle = 0;
    ofn.lpstrInitialDir = initDir.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = static_cast<DWORD>(flags);
    ofn.lpfnHook = DialogHookProc;

    BOOL chosen;
    gDialogWidePath.clear();
    {
        CurrentFolderKeeper keeper;
        LentControls lent(gDialogKind);
        ProgramWait wait;
        wait.Disable(ofn.hwndOwner);
        chosen = GetOpenFileNameA(&ofn);
        extErr = static_cast<int32_t>(CommDlgExtendedError());
    }

    // The ANSI result of a name the code page can't hold is a lookalike, another file or none:
    // what the user chose is refused as a whole, as though nothing was chosen.
    std::string exact;
    const std::wstring wide = std::exchange(gDialogWidePath, std::wstring());
    if (chosen && !ExactAnsi(wide, exact)) {
        RefuseChosenFile(exact, kNameNotInCodePage);
        gDialogFileName.clear();
        gDialogFileTitle.clear();
        return DialogResult::NoChoice;
    }
    // A failed dialog may leave a required size in the buffer, so only a
    // choice is read from it; otherwise the results are the initial name's.
    const std::string path = chosen ? UpToNul(file.data()) : UpToNul(initial.c_str());
    char titleBuffer[kFileTitleChars + 1] = {};
    GetFileTitleA(path.c_str(), titleBuffer, kFileTitleChars);
    gDialogFileTitle = UpToNul(titleBuffer);
    gDialogFileName = path;
    return chosen ? DialogResult::Chosen : DialogResult::NoChoice;
}

void RefuseChosenFile(const std::string& path, const std::string& problem) {
    MsgBox("The file " + path + " can't be used: " + problem + ".\r\nPlease, choose another file.",
           MB_OK | MB_ICONEXCLAMATION);
}

bool ChosenFileUsable(const std::string& path) {
    const std::string problem = OpenFileProblem(path);
    if (problem.empty()) return true;
    RefuseChosenFile(path, problem);
    return false;
}

std::string ShowFont(Form& owner, const void* /*unused*/) {
    LOGFONTA ownerFont{};
    GetObjectA(owner.Font(), sizeof ownerFont, &ownerFont);

    LOGFONTA lf{};
    std::memcpy(lf.lfFaceName, ownerFont.lfFaceName, sizeof lf.lfFaceName);
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    WindowDC measureDc(owner.Hwnd());
    lf.lfHeight = FontDialogHeight(kFontDialogPoints, GetDeviceCaps(measureDc.Get(), LOGPIXELSY));

    WindowDC dc(owner.Hwnd());
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner.Hwnd();
    cf.hDC = dc.Get();
    cf.lpLogFont = &lf;
    cf.iPointSize = kFontDialogPoints;
    cf.Flags = CF_WYSIWYG | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK | CF_PRINTERFONTS | CF_SCREENFONTS;
    cf.lpfnHook = DialogHookProc;
    cf.nFontType = SCREEN_FONTTYPE;
    gShowingFont = &cf;
    BOOL chosen;
    {
        ProgramWait wait;
        wait.Disable(cf.hwndOwner);
        chosen = ChooseFontA(&cf);
    }
    gShowingFont = nullptr;
    if (!chosen) return "";

    FontHandle font(CreateFontIndirectA(&lf));
    if (!font) return "";
    SelectGuard select(dc.Get(), font.Get());
    char face[kFaceNameCount + 1] = {};
    GetTextFaceA(dc.Get(), kFaceNameCount, face);
    return UpToNul(face);
}
