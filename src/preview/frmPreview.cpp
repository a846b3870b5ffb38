// The preview window: its controls, its keys and unload, and the pressed buttons.
#include "frmPreview.h"

#include "AppError.h"
#include "Prompts.h"
#include "Twips.h"
#include "resource.h"

std::unique_ptr<frmPreview> gFrmPreview;

namespace {
// The host's buttons: left edge in twips (top 7230 twips) and tooltip.
struct ButtonDef {
    int leftTwips;
    const char* tip;
};
constexpr ButtonDef kButtons[12] = {
    {105, "Previous chapter"}, {626, "Play"},          {1147, "Next frame"},      {1668, "Next chapter"},
    {2190, "Jump"},            {2805, "Open DVD root"}, {3327, "Open IFO"},       {3849, "Open Mpeg(s)"},
    {4371, "Input settings"},  {4893, "Output settings"}, {5415, "Select destination"}, {6030, "Encode"},
};
constexpr int kButtonTopTwips = 7230;
constexpr int kButtonW = 34, kButtonH = 29;
constexpr int kMaskSlot = 11, kFirstButtonSlot = 12;
constexpr int kPressedRow = 30;

const char kNoMaskWarning[] =
    "Warning: You don't have choose a [btn_alpha] bitmap image, therefore the preview 'down' state is not available.";

// Smaller than the printed texts' Tahoma 8.25, in which "Input settings" overflows its 63 pixels.
constexpr double kMenuLabelPoints = 7;

void Place(Label& label, Container& container, int left, int top, int width, int height, const char* caption) {
    label.Move(left, top, width, height);
    label.SetCaption(caption);
    label.SetFont("Tahoma", kMenuLabelPoints, false);
    label.SetTransparent(true);
    label.SetWordWrap(false);
    label.SetUseMnemonic(true);
    container.Add(label);
}

void Template(PictureBox& box, Form& form, int width, int height, int resource) {
    box.SetVisible(false);
    box.Create(form, 0, 0, width, height);
    ResumeNext([&] { box.SetPicture(Picture::LoadBitmapResource(resource)); });
}
}  // namespace

frmPreview::frmPreview(const ISkinSource& skin) : Form("frmPreview"), m_Skin(skin) {
    KeyPreview = true;
    SetCaption("Preview");
    SetDesignClientSize(PixelsToTwipsX(523), PixelsToTwipsY(584));
}

frmPreview::~frmPreview() { Destroy(); }

void frmPreview::CreateControls() {
    picVexo.Create(*this, 0, 0, 523, 584, true);
    ResumeNext([&] { picVexo.SetPicture(Picture::LoadBitmapResource(IDB_PREVIEW_VEXO)); });

    picTitlebar.Create(picVexo, 4, 2, 514, 21);
    imgBorder3D.Move(32, 2, 43, 16);
    picTitlebar.Add(imgBorder3D);

    picProgress.Create(picVexo, 6, 27, 507, 10);
    m_PBar.push_back(std::make_unique<PictureBox>("picPBar", 0));
    m_PBar[0]->Create(picProgress, 2, 2, 6, 6);
    picStatus.Create(picVexo, 6, 41, 507, 14);
    picInputAUDIO.Create(picVexo, 50, 74, 129, 15);
    picInputVIDEO.Create(picVexo, 218, 74, 125, 15);
    picInputSUBTITLE.Create(picVexo, 390, 74, 118, 15);
    for (int i = picBtn.LBound(); i <= picBtn.UBound(); ++i) {
        PictureBox& b = picBtn(i);
        b.Create(picVexo, TwipsToPixelsX(kButtons[i].leftTwips), TwipsToPixelsY(kButtonTopTwips), kButtonW, kButtonH);
        b.SetToolTipText(kButtons[i].tip);
        b.MouseDown = [this, i](int button, int shift, float x, float y) { picBtn_MouseDown(i, button, shift, x, y); };
        b.MouseUp = [this, i](int button, int shift, float x, float y) { picBtn_MouseUp(i, button, shift, x, y); };
    }
    picSlider.Create(picVexo, 6, 514, 363, 25);
    picNumbers.Create(picVexo, 372, 514, 139, 25);
    picOutput.Create(picVexo, 12, 552, 495, 17);

    // The open menu lies over the panels under it.
    picMenuSettings.Create(picVexo, 34, 25, 113, 95);
    SetWindowPos(picMenuSettings.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    picItem.Create(picMenuSettings, 3, 4, 106, 18);
    Place(Label1, picItem, 20, 2, 63, 13, "&Input settings");
    Place(Label2, picMenuSettings, 23, 23, 85, 13, "&Output settings");
    Place(Label3, picMenuSettings, 23, 40, 85, 13, "&Priority");
    Place(Label4, picMenuSettings, 23, 57, 85, 13, "&Crop");
    Place(Label5, picMenuSettings, 23, 74, 85, 13, "Preview aspect");
    Place(Label6, picMenuSettings, 25, 58, 65, 14, "&Crop");

    picTmp.SetVisible(false);
    picTmp.Create(*this, TwipsToPixelsX(10), TwipsToPixelsY(7500), TwipsToPixelsX(600), TwipsToPixelsY(1200));
    Template(picTmpProgress, *this, 507, 10, IDB_TMP_PROGRESS);
    Template(picTmpStatus, *this, 507, 14, IDB_TMP_STATUS);
    Template(picTmpSlider, *this, 363, 25, IDB_TMP_SLIDER);
    Template(picTmpNumbers, *this, 139, 24, IDB_TMP_NUMBERS);
    Template(picTmpOutput, *this, 495, 17, IDB_TMP_OUTPUT);
}

void frmPreview::Form_Load() {
    // The same hand the designer's slots show.
    Picture hand;
    ResumeNext([&] { hand = Picture::LoadCursorResource(IDC_SLOTHAND); });
    for (int i = picBtn.LBound(); i <= picBtn.UBound(); ++i) {
        picBtn(i).SetMouseIcon(hand);
        picBtn(i).SetMousePointer(kCustomPointer);
    }
    Draw();
}

void frmPreview::Form_KeyUp(int keyCode, int /*shift*/) {
    // Not the Escape that answered a box: its key-down went to the box.
    if (keyCode == VK_ESCAPE && EscapeWentDownHere()) Unload();
}

void frmPreview::Form_Unload(bool& /*cancel*/) {
    if (Unloaded) Unloaded();
}

std::string frmPreview::SlotPath(const std::string& folder, int slot) const {
    return folder + "\\" + m_Skin.SlotFileName(slot);
}

void frmPreview::picBtn_MouseDown(int index, int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {
    PictureBox& button = picBtn(index);
    m_ButtonUpPicture = button.GetPicture();
    const std::string folder = m_Skin.SkinBitmapFolder();
    const std::string maskPath = SlotPath(folder, kMaskSlot);
    if (maskPath.empty() || maskPath.back() == '\\') {
        MsgBox(kNoMaskWarning, MB_OK | MB_ICONINFORMATION);
        return;
    }
    // Both bitmaps are read at every press; one that can't be had keeps the up look.
    Picture mask, face;
    if (!ResumeNext([&] { mask = Picture::LoadBitmapFile(maskPath); })) return;
    if (!ResumeNext([&] { face = Picture::LoadBitmapFile(SlotPath(folder, kFirstButtonSlot + index)); })) return;

    picTmp.Move(TwipsToPixelsX(10), TwipsToPixelsY(7500), TwipsToPixelsX(600), TwipsToPixelsY(1200));
    SetWindowPos(picTmp.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const Picture& composed = picVexo.GetPicture();
    picTmp.PaintPicture(composed, 0, 0, -1, -1, button.Left(), button.Top());
    picTmp.SetPicture(picTmp.Image());
    picTmp.PaintPicture(mask, 0, 0, -1, -1, 0, 0, -1, -1, SRCAND);
    picTmp.SetPicture(picTmp.Image());
    picTmp.PaintPicture(face, 0, 0, -1, -1, 0, kPressedRow, -1, -1, SRCINVERT);
    picTmp.SetPicture(picTmp.Image());

    button.SetPicture(button.Image());
    button.PaintPicture(picTmp.GetPicture(), 0, 0);
}

void frmPreview::picBtn_MouseUp(int index, int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {
    // A release with no press before it has no up look to give back.
    if (m_ButtonUpPicture.Empty()) return;
    picBtn(index).SetPicture(m_ButtonUpPicture);
    picBtn(index).Refresh();
    m_ButtonUpPicture = Picture();
}
