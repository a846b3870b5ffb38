#include <windows.h>

#include <commctrl.h>

#include "DesignerFixture.h"
#include "DesignerLayout.h"
#include "ObjectCounts.h"
#include "SkinTables.h"
#include "Twips.h"

namespace {

RECT ChildRectInParent(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST_F(DesignerTest, LoadsWithSizeCaptionAndPagesLaidIntoTheTabStrip) {
    frmDesigner& f = Open();
    ASSERT_TRUE(f.IsVisible());
    EXPECT_EQ(f.Caption(), "Vexo Vadi Virerova");
    EXPECT_NEAR(f.Width(), 8700, 15);
    EXPECT_NEAR(f.Height(), 7100, 15);
    EXPECT_FALSE(GetWindowLongA(f.Hwnd(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    EXPECT_FALSE(f.m_Loading);
    EXPECT_EQ(f.m_CurrentTab, 1);
    EXPECT_TRUE(prompts.asked.empty());  // not the first run

    for (int i = 1; i <= 5; ++i) {
        RECT r = ChildRectInParent(f.picTab(i).Hwnd());
        EXPECT_EQ(r.left, TwipsToPixelsX(360)) << i;
        EXPECT_EQ(r.top, TwipsToPixelsY(1050)) << i;
        EXPECT_EQ(r.right - r.left, TwipsToPixelsX(7875)) << i;
        EXPECT_EQ(r.bottom - r.top, TwipsToPixelsY(4765)) << i;
        EXPECT_EQ(f.picTab(i).Visible(), i == 1) << i;
        EXPECT_EQ(IsWindowVisible(f.picTab(i).Hwnd()) != 0, i == 1) << i;
        EXPECT_EQ(f.lblTab(i).Caption(), kDesignerTabs[i - 1].explanation);
        EXPECT_EQ(f.TabStrip1.TabAt(i).toolTip, kDesignerTabs[i - 1].explanation);
    }
    EXPECT_EQ(f.TabStrip1.TabCount(), 5);
    EXPECT_EQ(f.TabStrip1.TabAt(3).caption, "Buttons");
    EXPECT_EQ(f.imlBMP16.IndexOf("button"), 2);
    EXPECT_FALSE(f.TabStrip1.Enabled());
    EXPECT_FALSE(IsWindowEnabled(f.TabStrip1.Hwnd()));
    EXPECT_TRUE(GetWindowLongA(f.TabStrip1.Hwnd(), GWL_STYLE) & TCS_HOTTRACK);
}

TEST_F(DesignerTest, PagesHoldTheirControlsAtDesignTimeTexts) {
    frmDesigner& f = Open();
    // General page.
    for (TextBox* t : {&f.txtSkinName, &f.txtSkinVersion, &f.txtAuthor, &f.txtEmail, &f.txtWeb,
                       &f.txtSkinFilename, &f.txtSkinsFolder}) {
        EXPECT_EQ(GetParent(t->Hwnd()), f.picTab(1).Hwnd()) << t->Name();
        EXPECT_EQ(t->Text(), "") << t->Name();
    }
    EXPECT_TRUE(f.txtSkinFilename.Locked());
    EXPECT_TRUE(GetWindowLongA(f.txtSkinsFolder.Hwnd(), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(f.lblSkinDirectory.Caption(), "skindir");
    EXPECT_FALSE(f.lblSkinDirectory.Visible());
    EXPECT_EQ(f.cmdCreateSkin.Caption(), "Create");
    EXPECT_EQ(f.cmdRenameSkin.Caption(), "Rename skin...");

    // Bitmap slots: 0-10 on Images, 11-24 on Buttons, empty, hand cursor.
    for (int i = 0; i < kBitmapSlotCount; ++i) {
        Container* page = &f.picTab(i <= 10 ? 2 : 3);
        EXPECT_EQ(f.lblBmp(i).GetContainer(), page) << i;
        EXPECT_EQ(f.lblBmpName(i).GetContainer(), page) << i;
        EXPECT_EQ(f.lblBmp(i).Caption(), kBitmapSlots[i].caption);
        EXPECT_EQ(f.lblBmpName(i).Caption(), "");
        EXPECT_EQ(f.lblBmpName(i).BackColor(), static_cast<int32_t>(0x80000005));
        EXPECT_EQ(f.lblBmpName(i).MousePointer(), 99);
        EXPECT_EQ(f.lblBmpName(i).MouseIcon(), f.imgHand.GetPicture());
    }
    EXPECT_EQ(f.lblBmp(8).Caption(), "ComboForeground :");
    EXPECT_EQ(f.lblBmp(19).Caption(), "Out  MPEG:");
    EXPECT_EQ(GetParent(f.picBitmapPreview.Hwnd()), f.picTab(2).Hwnd());
    EXPECT_EQ(GetParent(f.picButtonPreview.Hwnd()), f.picTab(3).Hwnd());
    EXPECT_EQ(f.picButtonPreview.MouseIcon(), f.imgEye.GetPicture());

    // Group frames at the table's places, drawn as group boxes; swatches inside their frame.
    for (int i = 0; i <= 10; ++i) {
        const GroupFrameDef& d = kGroupFrames[i];
        HWND frame = f.cmd1(i).Hwnd();
        EXPECT_EQ(GetParent(frame), f.picTab(d.page).Hwnd()) << i;
        RECT r = ChildRectInParent(frame);
        EXPECT_EQ(r.left, d.left) << i;
        EXPECT_EQ(r.top, d.top) << i;
        EXPECT_EQ(r.right - r.left, d.width) << i;
        EXPECT_EQ(r.bottom - r.top, d.height) << i;
        EXPECT_EQ(GetWindowLongA(frame, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX) << i;
        EXPECT_EQ(f.cmd1(i).Caption(), d.caption);
    }
    for (int i = 0; i < kColorSlotCount; ++i) {
        const GroupFrameDef& frame = kGroupFrames[kColorSlots[i].frame];
        RECT frameRect{frame.left, frame.top, frame.left + frame.width, frame.top + frame.height};
        EXPECT_EQ(f.lblCtrlColor(i).GetContainer(), &f.picTab(i <= 31 ? 4 : 5)) << i;
        EXPECT_TRUE(Inside(f.lblCtrlColor(i).Bounds(), frameRect)) << i;
        EXPECT_TRUE(Inside(f.lblCtrl(i).Bounds(), frameRect)) << i;
        EXPECT_EQ(f.lblCtrl(i).Caption(), kColorSlots[i].caption);
    }

    // Menu page.
    EXPECT_EQ(f.txtFontName.Text(), "Tahoma");
    EXPECT_EQ(f.txtFontWidth.Text(), "10");
    EXPECT_EQ(f.txtFontHeight.Text(), "18");
    EXPECT_EQ(f.txtFontWeight.Text(), "600");
    EXPECT_TRUE(f.txtFontName.Locked());
    EXPECT_EQ(f.cmdChangeFont.Caption(), "...");
    EXPECT_EQ(GetParent(f.cmdChangeFont.Hwnd()), f.picTab(5).Hwnd());

    // Labels on the pages take their page's What's This id.
    EXPECT_EQ(f.lblCtrl(3).WhatsThisHelpID(), f.picTab(4).WhatsThisHelpID());
    EXPECT_NE(f.picTab(4).WhatsThisHelpID(), 0);
}

TEST_F(DesignerTest, StatusPanelsAndMenusStartAsDesigned) {
    frmDesigner& f = Open("[Options]\r\nFirstRun=0\r\nUseDefault=1\r\nCopyBitmapToSkinFolder=Falso\r\n"
                          "SkinsFolder=C:\\Vexo\\Skins\r\n");
    ASSERT_EQ(f.sb1.PanelCount(), 5);
    EXPECT_EQ(f.sb1.PanelByKey("skin").toolTip, "Current skin name");
    EXPECT_EQ(f.sb1.PanelByKey("color").toolTip, "Current pick color");
    EXPECT_EQ(f.sb1.PanelText("state"), "");
    EXPECT_EQ(f.sb1.PanelPicture("img"), f.imgSaved.GetPicture());
    std::vector<int> rights = f.sb1.PanelRights();
    ASSERT_EQ(rights.size(), 5u);
    EXPECT_EQ(rights[4] - rights[3], TwipsToPixelsX(2540));
    EXPECT_EQ(rights[2] - rights[1], TwipsToPixelsX(636));
    EXPECT_GE(rights[0], TwipsToPixelsX(1058));

    EXPECT_EQ(f.txtSkinsFolder.Text(), "C:\\Vexo\\Skins");
    EXPECT_EQ(gSkinsFolder, "C:\\Vexo\\Skins");
    EXPECT_TRUE(f.Menu("mnuOptionsUseDefault").Checked());
    EXPECT_FALSE(f.Menu("mnuOptionsCopyBMP").Checked());
    EXPECT_FALSE(gCopyBitmapToSkinFolder);

    // The real menu bar: four menus; hidden items absent; shortcuts shown.
    HMENU bar = GetMenu(f.Hwnd());
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    char text[128];
    GetMenuStringA(bar, 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Preview");
    HMENU file = GetSubMenu(bar, 0);
    SendMessageA(f.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    // New, Open, Save, bar, Rename, bar, Exit: the hidden bars, Properties and recent files are not there.
    EXPECT_EQ(GetMenuItemCount(file), 7);
    GetMenuStringA(file, 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Save current skin\tCtrl+S");
    EXPECT_FALSE(f.Menu("mnuFileProperties").Visible());
    EXPECT_FALSE(f.Menu("mnuRecentFile", 10).Visible());
    EXPECT_EQ(f.Menu("mnuRecentFile", 10).Caption(), "RecentFile10");
    EXPECT_FALSE(f.Menu("mnuPreviewOutput").Visible());
    EXPECT_EQ(f.Menu("mnuHelpContents").ShortcutText(), "F1");
}

TEST_F(DesignerTest, MissingOrGarbageSettingsGiveTheDefaults) {
    {
        frmDesigner& f = Open("");  // no settings file at all
        EXPECT_TRUE(PathExists(dir / "VexoVadiVirerova.ini"));
        EXPECT_EQ(ReadBytes(dir / "VexoVadiVirerova.ini"), "");
        ASSERT_EQ(prompts.asked.size(), 1u);  // FirstRun defaults to "1"
        EXPECT_EQ(prompts.asked[0].text,
                  "Welcome to the Vexo Vadi Virerova!\r\nThis is the first time that use this program,\r\n"
                  "and to work correctly need to set the Skins\r\nfolder of Vexo. Click Yes to start search for\r\n"
                  "Vexo\\Skins folder, otherwise choose No for cancel.");
        EXPECT_EQ(prompts.asked[0].style, 68u);
        EXPECT_EQ(prompts.asked[0].title, "Vexo VadiVirerova");
        EXPECT_TRUE(f.Menu("mnuOptionsCopyBMP").Checked());
        EXPECT_FALSE(f.Menu("mnuOptionsUseDefault").Checked());
        gFrmDesigner->Unload();
        gFrmDesigner.reset();
    }
    prompts.asked.clear();
    const std::string garbage("\x00\x01[Options\xFF\r\nFirstRun\r\n=\r\n\x7F\x80", 25);
    frmDesigner& f = Open(garbage);
    EXPECT_TRUE(f.IsVisible());
    EXPECT_EQ(f.txtSkinsFolder.Text(), "");
    EXPECT_EQ(ReadBytes(dir / "VexoVadiVirerova.ini"), garbage);  // read, never rewritten
}

TEST_F(DesignerTest, ASettingsFileThatCannotBeMadeIsReportedAndTheWindowStillOpens) {
    SetProgramFolder(dir / "no such folder");
    frmDesigner& f = Open("");
    EXPECT_TRUE(f.IsVisible());
    ASSERT_FALSE(prompts.asked.empty());
    EXPECT_EQ(prompts.asked[0].text.rfind("Error 3 (", 0), 0u) << prompts.asked[0].text;
    EXPECT_NE(prompts.asked[0].text.find(") in procedure Form_Load of Form frmDesigner"), std::string::npos);
}

TEST_F(DesignerTest, TabSwitchShowsOnePageAndMovesTheColourSwatch) {
    frmDesigner& f = Open();
    const RECT swatch = f.picColor.Bounds();
    f.TabStrip1.SetEnabled(true);

    f.TabStrip1.Select(3);
    EXPECT_EQ(f.m_CurrentTab, 3);
    EXPECT_TRUE(f.picTab(3).Visible());
    EXPECT_FALSE(f.picTab(1).Visible());
    EXPECT_EQ(GetParent(f.picColor.Hwnd()), f.picTab(3).Hwnd());
    RECT r = ChildRectInParent(f.picColor.Hwnd());
    EXPECT_EQ(r.left, swatch.left);
    EXPECT_EQ(r.top, swatch.top);

    f.TabStrip1.Select(3);  // the shown tab again: nothing changes
    EXPECT_TRUE(f.picTab(3).Visible());

    f.TabStrip1.Select(4);
    EXPECT_EQ(GetParent(f.picColor.Hwnd()), f.picTab(3).Hwnd());  // only pages 2 and 3 take it
    f.TabStrip1.Select(2);
    EXPECT_EQ(GetParent(f.picColor.Hwnd()), f.picTab(2).Hwnd());
    int visible = 0;
    for (int i = 1; i <= 5; ++i) visible += f.picTab(i).Visible() ? 1 : 0;
    EXPECT_EQ(visible, 1);

    // A real pick on the strip runs the same switch.
    SendMessageA(f.TabStrip1.Hwnd(), TCM_SETCURSEL, 4, 0);
    NMHDR nm{f.TabStrip1.Hwnd(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(f.Hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(f.m_CurrentTab, 5);
    EXPECT_TRUE(f.picTab(5).Visible());
}

TEST_F(DesignerTest, WindowsXpLookHasGradientPagesTransparentSlotsAndTallerWindow) {
    frmDesigner& f = Open("[Options]\r\nFirstRun=0\r\n", 6);
    EXPECT_NEAR(f.Height(), 7300, 15);
    EXPECT_FALSE(GetWindowLongA(f.TabStrip1.Hwnd(), GWL_STYLE) & TCS_HOTTRACK);
    PictureBox& page = f.picTab(4);
    const int bottom = TwipsToPixelsY(4765) - 1;
    EXPECT_EQ(page.Point(5, bottom), 0x00EEF3F4);  // the bottom bands are the second colour
    const int32_t top = page.Point(5, 0);
    EXPECT_NE(top, 0x00EEF3F4);
    EXPECT_GT(top & 0xFF, 0xF4 - 1);  // lighter toward the top
    for (int i = 0; i <= 10; ++i) {
        PictureBox& p = f.picTab(kGroupFrames[i].page);
        EXPECT_EQ(f.cmd1(i).BackColor(), p.Point(kGroupFrames[i].left, kGroupFrames[i].top)) << i;
    }
    EXPECT_TRUE(f.lblBmpName(0).Transparent());
    EXPECT_TRUE(f.lblBmpName(24).Transparent());
    EXPECT_FALSE(f.lblCtrlColor(0).Transparent());
    EXPECT_FALSE(f.lblCtrlColor(37).Transparent());
}

TEST_F(DesignerTest, OtherVersionsUseThePlainPageColour) {
    frmDesigner& f = Open("[Options]\r\nFirstRun=0\r\n", 5);
    EXPECT_NEAR(f.Height(), 7100, 15);
    EXPECT_EQ(f.picTab(4).Point(5, 5), static_cast<int32_t>(GetSysColor(COLOR_BTNFACE)));
    for (int i = 0; i <= 10; ++i) EXPECT_EQ(f.cmd1(i).BackColor(), f.picTab(kGroupFrames[i].page).BackColor());
    EXPECT_FALSE(f.lblBmpName(0).Transparent());
}

TEST_F(DesignerTest, MarkingChangedAndSavedSetsBothPanels) {
    frmDesigner& f = Open();
    EXPECT_FALSE(f.SkinIsChanged());
    f.MarkSkinChanged();
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
    EXPECT_EQ(f.sb1.PanelPicture("img"), f.imgChanged.GetPicture());
    EXPECT_TRUE(f.SkinIsChanged());
    f.MarkSkinSaved();
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");
    EXPECT_EQ(f.sb1.PanelPicture("img"), f.imgSaved.GetPicture());
    EXPECT_FALSE(f.SkinIsChanged());

    f.sb1.SetPanelText("msg", "hint");
    SendMessageA(f.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));  // bare background
    EXPECT_EQ(f.sb1.PanelText("msg"), "");
}

TEST_F(DesignerTest, ClosingAsksOnlyForAChangedSkinAndCancelKeepsTheWindow) {
    frmDesigner& f = Open();
    f.MarkSkinChanged();
    prompts.Answer(IDCANCEL);
    SendMessageA(f.Hwnd(), WM_CLOSE, 0, 0);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "The skin has changed. Save it?");
    EXPECT_EQ(prompts.asked[0].style, 35u);
    EXPECT_TRUE(f.IsLoaded());
    EXPECT_TRUE(f.IsVisible());

    prompts.Answer(IDNO);
    EXPECT_TRUE(f.Unload());
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_EQ(prompts.asked.size(), 2u);
}

TEST_F(DesignerTest, ClosingASavedSkinAsksNothing) {
    frmDesigner& f = Open();
    f.MarkSkinSaved();
    EXPECT_TRUE(f.Unload());
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(DesignerTest, LoadingAndUnloadingLeavesNoObjectsBehind) {
    auto counts = [] { return std::make_pair(CountGdiObjects(), CountUserObjects()); };
    Open();
    const auto loaded = counts();
    gFrmDesigner->Unload();
    gFrmDesigner.reset();
    const auto before = counts();
    // The probe sees the window's objects, so it would see them left behind.
    EXPECT_GT(loaded.first, before.first + 50);
    EXPECT_GT(loaded.second, before.second + 50);
    for (int i = 0; i < 20; ++i) {
        Open();
        gFrmDesigner->Unload();
        gFrmDesigner.reset();
    }
    const auto after = counts();
    EXPECT_EQ(after.first, before.first);
    EXPECT_EQ(after.second, before.second);
}

}  // namespace
