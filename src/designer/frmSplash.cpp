#include "frmSplash.h"

#include <windows.h>

#include <vector>

#include "AppError.h"
#include "AppInfo.h"
#include "DoEvents.h"
#include "modSubMain.h"
#include "resource.h"

std::unique_ptr<frmSplash> gFrmSplash;

namespace {
constexpr int kClientWidthTwips = 7500;
constexpr int kClientHeightTwips = 4650;
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kPale = 0xF0E0D0;

struct VersionInfo {
    std::vector<char> data;
    bool Load() {
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        DWORD handle = 0;
        DWORD size = GetFileVersionInfoSizeA(path, &handle);
        if (size == 0) RaiseLastError();
        data.resize(size);
        if (!GetFileVersionInfoA(path, 0, size, data.data())) RaiseLastError();
        return true;
    }
};

// The first translation's string of the program's version information.
std::string VersionString(const char* name) {
    VersionInfo info;
    info.Load();
    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                        &length) || length < sizeof(Translation))
        throw AppError(ErrNo::FileNotFound, "No version information");
    char query[128];
    wsprintfA(query, "\\StringFileInfo\\%04x%04x\\%s", translation->language, translation->codePage, name);
    char* value = nullptr;
    if (!VerQueryValueA(info.data.data(), query, reinterpret_cast<void**>(&value), &length) || !value)
        throw AppError(ErrNo::FileNotFound, std::string("No version value ") + name);
    return value;
}
}  // namespace

std::string frmSplash::VersionText() {
    VersionInfo info;
    info.Load();
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed)
        throw AppError(ErrNo::FileNotFound, "No version information");
    const unsigned major = HIWORD(fixed->dwFileVersionMS), minor = LOWORD(fixed->dwFileVersionMS);
    const unsigned revision = LOWORD(fixed->dwFileVersionLS);  // the fourth field
    return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision) + " ";
}

std::string frmSplash::LegalLine() { return VersionString("LegalCopyright"); }

frmSplash::frmSplash() : Form("frmSplash") {
    SetBorder(Border::FixedDialog);
    SetControlBox(false);
    SetDesignClientSize(kClientWidthTwips, kClientHeightTwips);
    SetPicture(Picture::LoadBitmapResource(IDB_SPLASH));
}

frmSplash::~frmSplash() { Destroy(); }

void frmSplash::CreateControls() {
    struct Text {
        Label& label;
        int left, top, width, height;
        double points;
        int32_t color;
    } texts[] = {
        {lblProductName, 150, 34, 340, 110, 33.75, kWhite},
        {lblVersion, 150, 150, 340, 28, 14.25, kPale},
        {lblPlatform, 150, 180, 340, 30, 15.75, kPale},
        {lblWarning, 150, 222, 340, 44, 8.25, kPale},
        {lblCopyright, 12, 282, 476, 18, 8.25, kWhite},
    };
    for (Text& t : texts) {
        t.label.Move(t.left, t.top, t.width, t.height);
        t.label.SetTransparent(true);
        t.label.SetForeColor(t.color);
        t.label.SetFont("Tahoma", t.points, &t.label != &lblWarning);
        t.label.SetAlignment(&t.label == &lblCopyright ? Label::Align::Center : Label::Align::Right);
        Add(t.label);
    }
    lblPlatform.SetCaption("for Windows 9.x/2000/XP");
    lblWarning.SetCaption(
        "Attenzione: questo programma \xE8 protetto dalle leggi sul diritto d'autore. "
        "Ne \xE8 vietata la riproduzione o la distribuzione non autorizzata.");
    // Every label but the copyright line closes the About window on a click.
    for (Label* l : {&lblPlatform, &lblProductName, &lblVersion, &lblWarning})
        l->Click = [this] { Form_MouseUp(1, 0, 1, 1); };
}

void frmSplash::SetClientEdge() {
    SetWindowLongA(Hwnd(), GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void frmSplash::Form_Load() {
    // Each step that fails is logged and the next one runs; the user sees nothing.
    auto step = [](const std::function<void()>& s) {
        if (!ResumeNext(s))
            ErrorLog("frmSplash Sub Form_Load", CurrentError().Number(), CurrentError().Description(),
                     std::string(), false);
    };
    step([this] { SetClientEdge(); });
    step([] { DoEvents(); });
    step([this] { lblVersion.SetCaption(VersionText()); });
    step([this] { lblProductName.SetCaption(kAppTitle); });
    step([this] { lblCopyright.SetCaption(LegalLine()); });
}

void frmSplash::Form_MouseUp(int, int, float, float) {
    if (!gSplashAtStartup) Unload();
}
