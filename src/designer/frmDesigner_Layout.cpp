// The designer window's controls at their design-time places and texts.
#include <windows.h>

#include "DesignerLayout.h"
#include "SkinTables.h"
#include "Twips.h"
#include "frmDesigner.h"
#include "resource.h"

namespace {
constexpr int32_t kWindowColor = SystemColor(COLOR_WINDOW);  // 0x80000005

// What's This help ids of the design, one range per page.
constexpr int32_t kHelpPage[6] = {0, 100, 200, 300, 400, 500};

void PlaceLabel(Label& label, Container& page, int left, int top, int width, int height,
                const std::string& caption) {
    label.Move(left, top, width, height);
    label.SetCaption(caption);
    page.Add(label);
}
}  // namespace

void frmDesigner::CreateControls() {
    CreateLendingImages();

    imlBMP16.Add("general", Picture::LoadBitmapResource(IDB_TAB_GENERAL));
    imlBMP16.Add("images", Picture::LoadBitmapResource(IDB_TAB_IMAGES));
    imlBMP16.Add("button", Picture::LoadBitmapResource(IDB_TAB_BUTTONS));
    imlBMP16.Add("colors", Picture::LoadBitmapResource(IDB_TAB_COLORS));
    imlBMP16.Add("menu", Picture::LoadBitmapResource(IDB_TAB_MENU));

    std::vector<TabStrip::Tab> tabs;
    for (const DesignerTabDef& t : kDesignerTabs)
        tabs.push_back({t.caption, t.key, t.explanation, imlBMP16.IndexOf(t.imageKey)});
    TabStrip1.Create(*this, TwipsToPixelsX(kTabStripDesign.left), TwipsToPixelsY(kTabStripDesign.top),
                     TwipsToPixelsX(kTabStripDesign.width), TwipsToPixelsY(kTabStripDesign.height),
                     tabs, &imlBMP16);

    // Pages start hidden anywhere; the load lays them into the tab strip.
    const TwipsRect page = PageRectFor(kTabStripDesign);
    for (int i = 1; i <= 5; ++i) {
        PictureBox& p = picTab(i);
        p.SetVisible(false);
        p.Create(*this, 0, 0, TwipsToPixelsX(page.width), TwipsToPixelsY(page.height), true);
        p.SetWhatsThisHelpID(kHelpPage[i]);
        SetWindowPos(p.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowLongA(p.Hwnd(), GWL_EXSTYLE, GetWindowLongA(p.Hwnd(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
        lblTab(i).SetCaption(kDesignerTabs[static_cast<size_t>(i - 1)].explanation);
    }

    CreateGeneralPage();
    CreateBitmapPages();
    CreateColorPages();

    std::vector<StatusBar::Panel> panels;
    for (const StatusPanelDef& d : kStatusPanels) panels.push_back({d.key, "", d.toolTip, d.widthTwips, d.minWidthTwips, {}});
    sb1.Create(*this, panels);

    picTmp.SetVisible(false);
    picTmp.Create(*this, 0, 0, 32, 32);
}

void frmDesigner::CreateLendingImages() {
    struct Lend {
        Image& image;
        Picture picture;
    } lends[] = {
        {imgEye, Picture::LoadCursorResource(IDC_EYE)},
        {imgHand, Picture::LoadCursorResource(IDC_SLOTHAND)},
        {imgMano, Picture::LoadCursorResource(IDC_MANO)},
        {imgChanged, Picture::LoadIconResource(IDI_CHANGED, 16)},
        {imgSaved, Picture::LoadIconResource(IDI_SAVED, 16)},
        {imgFill, Picture::LoadCursorResource(IDC_FILL)},
        {imgContagocce, Picture::LoadCursorResource(IDC_CONTAGOCCE)},
    };
    for (Lend& l : lends) {
        l.image.SetVisible(false);
        l.image.SetPicture(l.picture);
        Add(l.image);
    }
}

void frmDesigner::CreateGeneralPage() {
    PictureBox& page = picTab(1);
    PlaceLabel(lblTab(1), page, 12, 8, 500, 32, lblTab(1).Caption());
    struct Row {
        Label& label;
        TextBox& box;
        const char* caption;
        int top;
    } rows[] = {
        {lblSkinName, txtSkinName, "Skin name:", 52},
        {lblSkinVersion, txtSkinVersion, "Skin version:", 80},
        {lblAuthor, txtAuthor, "Author:", 108},
        {lblEmail, txtEmail, "E-mail:", 136},
        {lblWeb, txtWeb, "Web site:", 164},
        {lblSkinFilename, txtSkinFilename, "Skin filename:", 204},
        {lblSkinsFolder, txtSkinsFolder, "Skins Folder:", 232},
    };
    int32_t help = kHelpPage[1];
    for (Row& r : rows) {
        PlaceLabel(r.label, page, 12, r.top + 3, 112, 18, r.caption);
        if (&r.box == &txtSkinFilename || &r.box == &txtSkinsFolder) r.box.SetLocked(true);
        r.box.Create(page, 130, r.top, &r.box == &txtSkinsFolder || &r.box == &txtSkinFilename ? 380 : 250, 21);
        r.box.SetWhatsThisHelpID(++help);
    }
    PlaceLabel(lblSkinDirectory, page, 390, 83, 120, 18, "skindir");
    cmdCreateSkin.Create(page, 130, 272, 110, 26, "Create");
    cmdCreateSkin.SetWhatsThisHelpID(++help);
    cmdRenameSkin.Create(page, 250, 272, 110, 26, "Rename skin...");
    cmdRenameSkin.SetWhatsThisHelpID(++help);
}

void frmDesigner::CreateBitmapPages() {
    PlaceLabel(lblTab(2), picTab(2), 12, 6, 500, 28, lblTab(2).Caption());
    PlaceLabel(lblTab(3), picTab(3), 12, 4, 500, 28, lblTab(3).Caption());
    int row2 = 0, row3 = 0;
    for (int i = 0; i < kBitmapSlotCount; ++i) {
        const BitmapSlotDef& slot = kBitmapSlots[static_cast<size_t>(i)];
        PictureBox& page = picTab(slot.page);
        const int top = slot.page == 2 ? 40 + 24 * row2++ : 34 + 20 * row3++;
        PlaceLabel(lblBmp(i), page, 12, top + 2, 125, 17, slot.caption);
        Label& name = lblBmpName(i);
        name.SetBackColor(kWindowColor);
        name.SetBorder(true);
        name.SetWordWrap(false);
        PlaceLabel(name, page, 140, top, 180, 18, "");
    }
    picBitmapPreview.Create(picTab(2), 335, 40, 176, 176, true);
    PlaceLabel(lblImageCurrentRGBColor, picTab(2), 335, 220, 176, 30, "");
    picButtonPreview.Create(picTab(3), 335, 34, 176, 176, true);
    PlaceLabel(lblBtnCurrentRGBColor, picTab(3), 335, 214, 176, 30, "");
    picColor.Create(picTab(2), 335, 256, 24, 24, true);
}

void frmDesigner::CreateColorPages() {
    for (int f = 0; f <= 10; ++f) {
        const GroupFrameDef& def = kGroupFrames[static_cast<size_t>(f)];
        cmd1(f).Create(picTab(def.page), 0, 0, def.width, def.height, def.caption);
        // Let the swatches painted by the page show through the frame.
        SetWindowLongA(cmd1(f).Hwnd(), GWL_EXSTYLE, GetWindowLongA(cmd1(f).Hwnd(), GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    }
    int rows[11] = {0};
    for (int i = 0; i < kColorSlotCount; ++i) {
        const ColorSlotDef& slot = kColorSlots[static_cast<size_t>(i)];
        const GroupFrameDef& frame = kGroupFrames[static_cast<size_t>(slot.frame)];
        PictureBox& page = picTab(frame.page);
        const int top = frame.top + 18 + 19 * rows[slot.frame]++;
        PlaceLabel(lblCtrl(i), page, frame.left + 8, top + 1, 100, 16, slot.caption);
        Label& swatch = lblCtrlColor(i);
        swatch.SetBackColor(kWindowColor);
        swatch.SetBorder(true);
        PlaceLabel(swatch, page, frame.left + 112, top, 40, 17, "");
    }
    PlaceLabel(lblTab(4), picTab(4), 180, 268, 330, 40, lblTab(4).Caption());

    PictureBox& menu = picTab(5);
    struct Row {
        Label& label;
        TextBox& box;
        const char* caption;
        const char* text;
        int top, width;
    } rows5[] = {
        {lblFontName, txtFontName, "Name:", "Tahoma", 26, 180},
        {lblFontWidth, txtFontWidth, "Width:", "10", 56, 60},
        {lblFontHeight, txtFontHeight, "Height:", "18", 86, 60},
        {lblFontWeight, txtFontWeight, "Weight:", "600", 116, 60},
    };
    int32_t help = kHelpPage[5];
    for (Row& r : rows5) {
        PlaceLabel(r.label, menu, 192, r.top + 3, 60, 18, r.caption);
        if (&r.box == &txtFontName) r.box.SetLocked(true);
        r.box.Create(menu, 256, r.top, r.width, 21, r.text);
        r.box.SetWhatsThisHelpID(++help);
    }
    cmdChangeFont.Create(menu, 440, 25, 30, 21, "...");
    cmdChangeFont.SetWhatsThisHelpID(++help);
    PlaceLabel(lblTab(5), menu, 11, 160, 500, 30, lblTab(5).Caption());
}
