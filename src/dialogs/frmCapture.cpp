#include "frmCapture.h"

#include "AppError.h"
#include "AppInfo.h"
#include "File.h"
#include "Prompts.h"
#include "Twips.h"
#include "cCaptureBF.h"
#include "mBrowseForFolder.h"
#include "modDesign.h"
#include "resource.h"

namespace {
constexpr int kClientWidthTwips = 5280;
constexpr int kClientHeightTwips = 5955;
// Posted when OK lost the focus: the focus moves on once the change is over.
constexpr UINT kFocusCapture = WM_APP + 0x31;

struct Place {
    int left, top, width, height;  // twips
};
constexpr Place kImgVexo{180, 180, 4950, 1170};
constexpr Place kLblFolder{180, 1440, 4950, 195};
constexpr Place kPicCapture{180, 1740, 4950, 3525};
constexpr Place kCmdNewFolder{180, 5460, 1020, 330};
constexpr Place kCmdDefault{1335, 5460, 1020, 330};
constexpr Place kCmdCancel{2985, 5460, 1020, 330};
constexpr Place kCmdOK{4125, 5460, 1020, 330};

RECT Pixels(const Place& p) {
    const int left = TwipsToPixelsX(p.left), top = TwipsToPixelsY(p.top);
    return {left, top, left + TwipsToPixelsX(p.width), top + TwipsToPixelsY(p.height)};
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ReportCreateError(const std::string& description) {
    MsgBox("Si \xE8 verificato l'errore: " + description, MB_OK | MB_ICONEXCLAMATION);
}

void ReportCreateError(DWORD code) { ReportCreateError(SystemErrorText(code)); }

// A selection the code page can't hold exactly: its ANSI path names a lookalike, another folder.
bool RefusedSelection(const std::string& path) {
    if (path.empty() || !UsablePath(path).empty()) return false;
    MsgBox("The folder " + path + " can't be used: " + kNameNotInCodePage + ".\r\nPlease, choose another folder.",
           MB_OK | MB_ICONEXCLAMATION);
    return true;
}
}  // namespace

LRESULT FocusButton::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KILLFOCUS && LostFocus) LostFocus(reinterpret_cast<HWND>(wParam));
    return CommandButton::SubclassProc(hwnd, msg, wParam, lParam);
}

frmCapture::frmCapture() : Form("frmCapture") {
    SetBorder(Border::FixedDialog);
    SetDesignClientSize(kClientWidthTwips, kClientHeightTwips);
    SetCaption("Select folder Skins");
    Form_Initialize();
}

frmCapture::~frmCapture() { Destroy(); }

void frmCapture::Form_Initialize() { m_Cancelled = true; }

void frmCapture::CreateControls() {
    RECT r = Pixels(kImgVexo);
    imgVexo.Move(r.left, r.top, r.right - r.left, r.bottom - r.top);
    imgVexo.SetStretch(true);
    imgVexo.SetPicture(Picture::LoadBitmapResource(IDB_CAPTURE));
    Add(imgVexo);

    r = Pixels(kLblFolder);
    lblFolder.Move(r.left, r.top, r.right - r.left, r.bottom - r.top);
    // The shell reports the starting folder before the window loads.
    lblFolder.SetCaption(m_SelectedFolder.empty() ? "Selected folder" : m_SelectedFolder);
    lblFolder.SetWordWrap(false);
    Add(lblFolder);

    r = Pixels(kPicCapture);
    picCapture.Create(*this, r.left, r.top, r.right - r.left, r.bottom - r.top, true);

    struct Button {
        CommandButton& button;
        const Place& place;
        const char* caption;
    } buttons[] = {{cmdNewFolder, kCmdNewFolder, "&New..."},
                   {cmdDefault, kCmdDefault, "Default"},
                   {cmdCancel, kCmdCancel, "Cancel"},
                   {cmdOK, kCmdOK, "OK"}};
    for (Button& b : buttons) {
        r = Pixels(b.place);
        b.button.Create(*this, r.left, r.top, r.right - r.left, r.bottom - r.top, b.caption);
    }
    // Nothing to confirm or to create into until the shell reports a folder with a path.
    cmdOK.SetEnabled(!m_SelectedFolder.empty());
    cmdNewFolder.SetEnabled(!m_SelectedFolder.empty());

    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    cmdDefault.Click = [this] { cmdDefault_Click(); };
    cmdNewFolder.Click = [this] { cmdNewFolder_Click(); };
    cmdOK.LostFocus = [this](HWND gaining) { Run("cmdOK_LostFocus", [&] { cmdOK_LostFocus(gaining); }); };
}

void frmCapture::Form_Load() { SetTopMost(Hwnd(), true); }

void frmCapture::Form_QueryUnload() {
    if (m_ccbf) {
        cCaptureBF* capture = m_ccbf;
        m_ccbf = nullptr;
        capture->Unload();
    }
}

void frmCapture::Form_Unload(bool& /*cancel*/) {
    // Closing the window any way (OK, Cancel, close box, the dialog ending) closes the dialog.
    Form_QueryUnload();
    gAudioCheckArmed = false;
}

bool frmCapture::Unload() { return Form::Unload(); }

void frmCapture::cmdOK_Click() {
    if (RefusedSelection(m_SelectedFolder)) return;
    m_Cancelled = false;
    Unload();
}

void frmCapture::cmdCancel_Click() { Unload(); }

void frmCapture::cmdDefault_Click() {}

bool frmCapture::IsOwnControl(HWND hwnd) const {
    if (!hwnd) return false;
    for (HWND own : {cmdNewFolder.Hwnd(), cmdDefault.Hwnd(), cmdCancel.Hwnd(), cmdOK.Hwnd(), picCapture.Hwnd()})
        if (own == hwnd) return true;
    return picCapture.Hwnd() && IsChild(picCapture.Hwnd(), hwnd);
}

void frmCapture::cmdOK_LostFocus(HWND gaining) {
    // Moving the focus while it changes would cancel a click on another button.
    if (!IsOwnControl(gaining) && Hwnd()) PostMessageA(Hwnd(), kFocusCapture, 0, 0);
}

bool frmCapture::FormMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
    if (msg != kFocusCapture) return false;
    // Only while this window is active: never take the focus back from another program.
    if (GetActiveWindow() == Hwnd() && !IsOwnControl(GetFocus()) && picCapture.Hwnd())
        SetFocus(picCapture.Hwnd());
    result = 0;
    return true;
}

HWND frmCapture::CapturehWnd(HWND owner) {
    Load();
    if (owner) SetWindowLongPtrA(Hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    Show(false);
    picCapture.SetBorder(false);
    // The dialog inside must not be painted over by the box's own image.
    SetWindowLongA(picCapture.Hwnd(), GWL_STYLE, GetWindowLongA(picCapture.Hwnd(), GWL_STYLE) | WS_CLIPCHILDREN);
    return picCapture.Hwnd();
}

void frmCapture::SelectionChanged(const std::string& sPath) {
    Run("ICaptureBF_SelectionChanged", [&] {
        lblFolder.SetCaption(sPath);
        m_SelectedFolder = sPath;
        cmdOK.SetEnabled(!sPath.empty());
        cmdNewFolder.SetEnabled(!sPath.empty());
        if (gFirstRun && sPath.find("Vexo\\skins") != std::string::npos)
            MsgBox("Vexo\\skins folder is found!\r\nClick OK to confirm.", MB_ICONINFORMATION);
    });
}

void frmCapture::CaptureBrowseForFolder(cCaptureBF& ccbf) { m_ccbf = &ccbf; }

std::string frmCapture::NewFolderBase(const std::string& selected) {
    if (selected.empty()) return std::string();
    if (IsFolder(selected)) return UpperCase(selected);
    File file;
    return UpperCase(file.GetPath(selected));
}

bool frmCapture::IsValidFolderName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name)
        if (c < 32 || std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos) return false;
    // The file system drops a trailing dot or blank: the folder made would not be the one named.
    return name.back() != '.' && name.back() != ' ';
}

void frmCapture::cmdNewFolder_Click() {
    if (RefusedSelection(m_SelectedFolder)) return;
    const std::string base = NewFolderBase(m_SelectedFolder);
    if (base.empty()) return;
    const std::string name = InputBox("Indicare il nome della cartella da creare sotto:\r\n\r\n" + base,
                                      "Crea nuova cartella", "");
    if (name.empty()) return;
    const std::string path = JoinPath(base, name);

    // From here on a failure is reported or passed over; the handler goes on.
    // The system would open the device instead of making the folder.
    if (const std::string device = ReservedDeviceName(name); !device.empty()) {
        ReportCreateError("the name \"" + name + "\" is reserved for the device " + device + " and can't name a folder");
        return;
    }
    if (!IsValidFolderName(name)) {
        ReportCreateError(ERROR_INVALID_NAME);
        return;
    }
    if (IsFolder(path)) {
        // Said before the reload, which runs until the window closes.
        MsgBox("La cartella indicata \xE8 gi\xE0 presente.", MB_OK);
        ResumeNext([&] {
            if (m_ccbf) m_ccbf->Reload(path);
        });
        return;
    }
    if (!CreateDirectoryA(path.c_str(), nullptr)) {
        ReportCreateError(GetLastError());
        return;
    }
    ResumeNext([&] {
        if (m_ccbf) m_ccbf->Reload(path);
    });
}
