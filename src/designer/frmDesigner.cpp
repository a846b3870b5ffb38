#include "frmDesigner.h"
#include "frmPreInput.h"

#include <commctrl.h>

#include <cmath>

#include "AppError.h"
#include "AppInfo.h"
#include "DesignerLayout.h"
#include "Prompts.h"
#include "SkinTables.h"
#include "Twips.h"
#include "frmPreview.h"
#include "modDesign.h"
#include "modOperativeSystem.h"
#include "modToolBar.h"
#include "resource.h"

std::unique_ptr<frmDesigner> gFrmDesigner;

frmDesigner::frmDesigner() : Form("frmDesigner") {
    SetCaption(kDesignerCaption);
    SetBorder(Border::FixedSingle);
    SetWhatsThisHelp(true);
    SetDesignClientSize(kDesignClientWidth, kDesignClientHeight);
    SetFont("Tahoma", 8.25);
    SetIcon(Picture::LoadIconResource(IDI_APP));
    KeyPreview = true;
    Menus().Build(DesignerMenuTable());
    Form_Initialize();
}

frmDesigner::~frmDesigner() {
    ReleaseToolbarObjects();
    Destroy();
}

Label& frmDesigner::lblTab(int page) {
    Label* labels[] = {&lblTabGeneral, &lblTabImages, &lblTabButtons, &lblTabColors, &lblTabMenu};
    return *labels[page - 1];
}

void frmDesigner::Form_Initialize() {
    InitCommonControls();
    gOSVersion = GetOSVersion();
    m_SettingsFile = JoinPath(ProgramFolder(), "VexoVadiVirerova.ini");
    CreateToolbarObjects();
    gTwipsPerPixelY = ScreenTwipsPerPixelY();
    gTwipsPerPixelX = ScreenTwipsPerPixelX();
}

void frmDesigner::Form_Load() {
    gOSVersion = GetOSVersion();  // asked again: the look follows the system the window loads on
    const bool xp = gOSVersion == OSVersionCode::WinXP;

    lblSkinDirectory.SetVisible(false);
    Toolbar_Initialize();

    // No context-help button on the title bar, though What's This stays on.
    LONG ex = GetWindowLongA(Hwnd(), GWL_EXSTYLE);
    SetWindowLongA(Hwnd(), GWL_EXSTYLE, ex & ~WS_EX_CONTEXTHELP);
    SendMessageA(Hwnd(), WM_NCPAINT, 1, 0);

    m_Loading = true;
    SetWidth(kLoadedWidth);
    SetHeight(LoadedHeight(gOSVersion));
    sb1.SetPanelPicture("img", imgSaved.GetPicture());
    TabStrip1.SetEnabled(false);

    for (PictureBox* preview : {&picBitmapPreview, &picButtonPreview}) {
        preview->SetMouseIcon(imgEye.GetPicture());
        preview->SetMousePointer(kCustomPointer);
    }

    for (int i = cmd1.LBound(); i <= cmd1.UBound(); ++i) {
        const GroupFrameDef& def = kGroupFrames[static_cast<size_t>(i)];
        cmd1(i).Move(def.left, def.top);
    }

    for (int i = 1; i <= 5; ++i)
        for (Control* c : picTab(i).Windowless())
            if (dynamic_cast<Label*>(c)) c->SetWhatsThisHelpID(picTab(i).WhatsThisHelpID());

    m_File = std::make_unique<File>();
    m_IniSettings = std::make_unique<IniManag>();
    // The read defaults, kept when the settings file cannot be had.
    gFirstRun = true;
    gUseDefault = false;
    gCopyBitmapToSkinFolder = true;
    Menu("mnuOptionsUseDefault").SetChecked(gUseDefault);
    Menu("mnuOptionsCopyBMP").SetChecked(gCopyBitmapToSkinFolder);
    try {
        ReadSettings();
    } catch (const AppError& e) {
        // A settings file that cannot be made leaves the defaults; the window still comes up.
        MsgBox(ErrorMessageText(e, "Form_Load"), MB_OK | MB_ICONEXCLAMATION);
    }

    m_IniSkin = std::make_unique<IniManag>();

    LayPages();

    if (xp) {
        // Let the gradient show through the captions; swatches keep their colour.
        for (int i = lblBmpName.LBound(); i <= lblBmpName.UBound(); ++i) lblBmpName(i).SetTransparent(true);
        for (int i = 1; i <= 5; ++i)
            for (Control* c : picTab(i).Windowless()) {
                auto* label = dynamic_cast<Label*>(c);
                if (!label || label->Name() == "lblCtrlColor") continue;
                label->SetTransparent(true);
            }
    }

    for (int i = cmd1.LBound(); i <= cmd1.UBound(); ++i) ChangeButtonStyle(cmd1(i));

    for (int i = lblBmpName.LBound(); i <= lblBmpName.UBound(); ++i) {
        lblBmpName(i).SetMouseIcon(imgHand.GetPicture());
        lblBmpName(i).SetMousePointer(kCustomPointer);
    }
    for (int i = lblCtrlColor.LBound(); i <= lblCtrlColor.UBound(); ++i) {
        lblCtrlColor(i).SetMouseIcon(imgHand.GetPicture());
        lblCtrlColor(i).SetMousePointer(kCustomPointer);
    }

    WireTextFields();
    WireMenus();
    WireBitmapSlots();
    WireColorSwatches();
    TabStrip1.Click = [this] { TabStrip1_Click(); };
    TabStrip1_Click();
    GetRecentFiles();

    if (!xp) {
        HWND strip = TabStrip1.Hwnd();
        SetWindowLongA(strip, GWL_STYLE, GetWindowLongA(strip, GWL_STYLE) | TCS_HOTTRACK);
    }

    m_Loading = false;
    Show();

    if (gFirstRun) AskFirstRun();
}

void frmDesigner::ReadSettings() {
    m_IniSettings->Nome(m_SettingsFile);
    m_IniSettings->Sezione("Options");
    gFirstRun = m_IniSettings->LeggiBool("FirstRun", "1");
    txtSkinsFolder.SetText(m_IniSettings->Leggi("SkinsFolder", ""));
    gSkinsFolder = txtSkinsFolder.Text();
    gUseDefault = m_IniSettings->LeggiBool("UseDefault", "");
    gCopyBitmapToSkinFolder = m_IniSettings->LeggiBool("CopyBitmapToSkinFolder", "1");
    Menu("mnuOptionsUseDefault").SetChecked(gUseDefault);
    Menu("mnuOptionsCopyBMP").SetChecked(gCopyBitmapToSkinFolder);
}

void frmDesigner::LayPages() {
    const bool xp = gOSVersion == OSVersionCode::WinXP;
    RECT strip = TabStrip1.Bounds();
    const TwipsRect designed{PixelsToTwipsX(strip.left), PixelsToTwipsY(strip.top),
                             PixelsToTwipsX(strip.right - strip.left), PixelsToTwipsY(strip.bottom - strip.top)};
    const TwipsRect r = PageRectFor(designed);
    for (int i = 1; i <= 5; ++i) {
        PictureBox& page = picTab(i);
        page.SetBorder(false);
        page.Move(TwipsToPixelsX(r.left), TwipsToPixelsY(r.top), TwipsToPixelsX(r.width), TwipsToPixelsY(r.height));
        if (xp) {
            page.AutoRedraw = true;
            RECT area{0, 0, static_cast<LONG>(std::lround(double(r.width) / gTwipsPerPixelX)),
                      static_cast<LONG>(std::lround(double(r.height) / gTwipsPerPixelY))};
            FillGradient(page.hDC(), area, kPageGradientTop, kPageGradientBottom, true);
            page.Refresh();
        }
    }
}

void frmDesigner::ChangeButtonStyle(CommandButton& button) {
    try {
        SendMessageA(button.Hwnd(), BM_SETSTYLE, BS_GROUPBOX, TRUE);
        auto* page = dynamic_cast<PictureBox*>(button.GetContainer());
        if (gOSVersion == OSVersionCode::WinXP && page)
            button.SetBackColor(page->Point(button.Left(), button.Top()));
        else if (page)
            button.SetBackColor(page->BackColor());
        else
            button.SetBackColor(ContainerBackColor());
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "ChangeButtonStyle"), MB_OK);
    }
}

void frmDesigner::TabStrip1_Click() {
    const int n = TabStrip1.SelectedIndex();
    if (n == m_CurrentTab) return;
    picTab(n).SetVisible(true);
    ResumeNext([&] {
        if (m_CurrentTab < 1 || m_CurrentTab > 5) throw AppError(340, "Control array element doesn't exist");
        picTab(m_CurrentTab).SetVisible(false);
    });
    m_CurrentTab = static_cast<int16_t>(n);
    ResumeNext([&] {
        if (n == 2 || n == 3) picColor.SetContainer(picTab(n));
    });
}

void frmDesigner::MarkSkinChanged() {
    sb1.SetPanelText("state", kStateChanged);
    sb1.SetPanelPicture("img", imgChanged.GetPicture());
}

void frmDesigner::MarkSkinSaved() {
    sb1.SetPanelText("state", kStateSaved);
    sb1.SetPanelPicture("img", imgSaved.GetPicture());
}

bool frmDesigner::SkinIsChanged() { return sb1.PanelText("state") == kStateChanged; }

void frmDesigner::ButtonInfo_ButtonHelp(const std::string& text) { sb1.SetPanelText("msg", text); }

void frmDesigner::Form_MouseMove(int, int, float, float) { ButtonInfo_ButtonHelp(""); }

void frmDesigner::Form_Click() {
    if (Menu("mnuPreviewVexo").Checked() && gFrmPreview) gFrmPreview->Draw();
}

void frmDesigner::AskFirstRun() {
    if (MsgBox(FirstRunQuestion(), MB_YESNO | MB_ICONINFORMATION) == IDYES) SearchVexoSkinFolder();
}

void frmDesigner::Form_QueryUnload(bool& cancel) { cancel = !SavePrompt(); }

void frmDesigner::Form_SessionEnd() {
    if (m_IniSettings) UpdateRecentsFilesList();
}

void frmDesigner::Form_Unload(bool& /*cancel*/) {
    // A load that failed before the settings were read has no list to rewrite.
    if (m_IniSettings) UpdateRecentsFilesList();
    if (Menu("mnuPreviewVexo").Checked() && gFrmPreview) {
        gFrmPreview->Unload();
        gFrmPreview.reset();
    }
    if (gFrmPreInput && gFrmPreInput->Unload()) gFrmPreInput.reset();
    ReleaseToolbarObjects();
}
