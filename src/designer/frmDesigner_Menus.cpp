// The menus: the save prompt, File, Preview and Help.
#include <windows.h>

#include "AppInfo.h"
#include "DesignerLayout.h"
#include "DoEvents.h"
#include "File.h"
#include "Prompts.h"
#include "frmDesigner.h"
#include "frmPreInput.h"
#include "frmPreview.h"
#include "frmSplash.h"
#include "modSubMain.h"

std::string gHelpFile;

void frmDesigner::WireMenus() {
    Menu("mnuFile").Click = [this] { mnuFile_Click(); };
    Menu("mnuFileNew").Click = [this] { mnuFileNew_Click(); };
    Menu("mnuFileOpen").Click = [this] { mnuFileOpen_Click(); };
    Menu("mnuFileSave").Click = [this] { mnuFileSave_Click(); };
    Menu("mnuFileRenameSkin").Click = [this] { mnuFileRenameSkin_Click(); };
    Menu("mnuFileProperties").Click = [] {
        MsgBox("Inserire il codice per il menu Propriet\xE0.", MB_OK);
    };
    Menu("mnuFileExit").Click = [this] { Unload(); };
    for (int i = 1; i <= 10; ++i) Menu("mnuRecentFile", i).Click = [this, i] { mnuRecentFile_Click(i); };
    Menu("mnuOptionsCopyBMP").Click = [this] { mnuOptionsCopyBMP_Click(); };
    Menu("mnuOptionsUseDefault").Click = [this] { mnuOptionsUseDefault_Click(); };
    Menu("mnuOptionsDeleteUnusedBitmap").Click = [this] { mnuOptionsDeleteUnusedBitmap_Click(); };
    Menu("mnuOptionsClearRecentsFiles").Click = [this] { mnuOptionsClearRecentsFiles_Click(); };
    Menu("mnuOptionsSkinsFolder").Click = [this] { mnuOptionsSkinsFolder_Click(); };
    Menu("mnuView").Click = [this] { mnuView_Click(); };
    Menu("mnuPreviewVexo").Click = [this] { mnuPreviewVexo_Click(); };
    Menu("mnuPreviewInput").Click = [this] { mnuPreviewInput_Click(); };
    Menu("mnuPreviewOutput").Click = [this] { Preview_Output(); };
    Menu("mnuPreviewUpdate").Click = [this] { mnuPreviewUpdate_Click(); };
    Menu("mnuHelp").Click = [this] { mnuHelp_Click(); };
    Menu("mnuHelpContents").Click = [this] { mnuHelpContents_Click(); };
    Menu("mnuHelpWhatThis").Click = [this] { mnuHelpWhatThis_Click(); };
    Menu("mnuHelpAbout").Click = [this] { mnuHelpAbout_Click(); };
    cmdCreateSkin.Click = [] {};
    cmdRenameSkin.Click = [this] { cmdRenameSkin_Click(); };
}

bool frmDesigner::SavePrompt() {
    if (!SkinIsChanged()) return true;
    switch (MsgBox(kSaveChangedPrompt, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL:
        return false;
    case IDYES:
        // A save that failed or was refused stops the command: the edits stay in the window.
        return mnuFileSave_Click();
    default:
        return true;
    }
}

void frmDesigner::mnuFile_Click() {
    Menu("mnuFileSave").SetEnabled(sb1.PanelPicture("img") == imgChanged.GetPicture());
}

void frmDesigner::mnuFileNew_Click() {
    if (SavePrompt()) FileNewProc();
}

void frmDesigner::mnuFileOpen_Click() {
    if (SavePrompt()) FileOpenProc();
}

void frmDesigner::mnuView_Click() {
    const bool loaded = !sb1.PanelText("skin").empty();
    Menu("mnuPreviewVexo").SetEnabled(loaded);
    Menu("mnuPreviewInput").SetEnabled(loaded);
    Menu("mnuPreviewOutput").SetEnabled(loaded);
    Menu("mnuPreviewUpdate").SetEnabled(true);
}

namespace {
// Shows the preview, owned by the designer window, or unloads it, as its item's check mark flips.
template <class Preview>
void TogglePreview(frmDesigner& designer, const char* itemName, std::unique_ptr<Preview>& preview) {
    MenuItem& item = designer.Menu(itemName);
    item.SetChecked(!item.Checked());
    if (item.Checked()) {
        // A form unloaded by its own Escape is released here, when a new one replaces it.
        preview = std::make_unique<Preview>(designer);
        preview->Unloaded = [&designer, itemName] { designer.Menu(itemName).SetChecked(false); };
        preview->Show(false, &designer);
    } else if (preview) {
        preview->Unload();
        preview.reset();
    }
}
}  // namespace

void frmDesigner::mnuPreviewVexo_Click() { TogglePreview(*this, "mnuPreviewVexo", gFrmPreview); }

void frmDesigner::mnuPreviewInput_Click() { TogglePreview(*this, "mnuPreviewInput", gFrmPreInput); }

void frmDesigner::mnuPreviewUpdate_Click() {
    DoEvents();
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    // The checked previews redraw from the fields being edited, saved or not.
    if (Menu("mnuPreviewVexo").Checked() && gFrmPreview) gFrmPreview->Draw();
    if (Menu("mnuPreviewInput").Checked() && gFrmPreInput) gFrmPreInput->Draw();
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    // Let the control under the pointer put its own cursor back.
    POINT at;
    if (GetCursorPos(&at)) SetCursorPos(at.x, at.y);
}

void frmDesigner::mnuHelp_Click() { Menu("mnuHelpWhatThis").SetEnabled(TabStrip1.Enabled()); }

namespace {
// Help files are not shipped with the program: a missing one is said so, naming it.
bool HelpFilePresent(const std::string& path) {
    if (File().FileExists(path)) return true;
    MsgBox("The help file " + path + " is missing.", MB_OK | MB_ICONEXCLAMATION);
    return false;
}
}  // namespace

void frmDesigner::mnuHelpContents_Click() {
    gHelpFile = JoinPath(ProgramFolder(), "VexoVadiVirerova.chm");
    if (!HelpFilePresent(gHelpFile)) return;
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    static HMODULE library = LoadLibraryA("hhctrl.ocx");
    if (!library) return;
    auto htmlHelp = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpA")));
    if (htmlHelp) htmlHelp(Hwnd(), gHelpFile.c_str(), 0 /* HH_DISPLAY_TOPIC */, 0);
}

void frmDesigner::mnuHelpWhatThis_Click() {
    const std::string context = JoinPath(ProgramFolder(), "Context.hlp");
    if (!HelpFilePresent(context)) return;
    const std::string kept = AppHelpFile();
    AppHelpFile() = context;
    WhatsThisMode();
    AppHelpFile() = kept;
}

void frmDesigner::cmdInTitlebar_Click() { mnuHelpWhatThis_Click(); }

void frmDesigner::mnuHelpAbout_Click() {
    if (gFrmSplash) return;  // one About window at a time
    // Whatever fails on the way, the designer is usable again and a later About works.
    struct Restore {
        HWND designer, focus;
        ~Restore() {
            EnableWindow(designer, TRUE);
            gFrmSplash.reset();
            // Disabling the window took its focus away: the control that had it gets it back.
            if (GetActiveWindow() == designer && IsWindow(focus) && IsChild(designer, focus)) SetFocus(focus);
        }
    } restore{Hwnd(), GetFocus()};
    EnableWindow(Hwnd(), FALSE);  // its load pumps messages: no second About meanwhile
    gFrmSplash = std::make_unique<frmSplash>();
    gFrmSplash->Load();
    EnableWindow(Hwnd(), TRUE);
    gFrmSplash->MouseIcon = imgMano.GetPicture();
    gFrmSplash->MousePointer = kCustomPointer;
    gFrmSplash->Show(true);
}
