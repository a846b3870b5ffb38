#include <windows.h>

#include "BmpFile.h"
#include "DesignerFixture.h"
#include "frmPreview.h"

namespace {

class PreviewVexoTest : public DesignerTest {
protected:
    // A loaded skin whose background is one plain colour.
    frmDesigner& OpenSkin() {
        CreateDirectoryA(skins.c_str(), nullptr);
        CreateDirectoryA((skins + "\\Demo").c_str(), nullptr);
        WriteBytes(skins + "\\Demo\\green.bmp", BmpFile(8, 8, 0x00A000));
        WriteBytes(skins + "\\Demo\\blue.bmp", BmpFile(8, 8, 0xA00000));
        WriteBytes(skins + "\\Demo\\grey.bmp", BmpFile(8, 8, 0x707070));
        WriteBytes(skins + "\\Demo.ini", "[Vexo]\r\nname=Demo\r\nbackground=green.bmp\r\n");
        frmDesigner& f = Open("[Options]\r\nFirstRun=0\r\nSkinsFolder=" + skins + "\r\n");
        EXPECT_TRUE(f.OpenFile(skins + "\\Demo.ini"));
        return f;
    }
    static COLORREF Shown() { return static_cast<COLORREF>(gFrmPreview->picVexo.Point(300, 300)); }
    // A left click on the designer window's bare background.
    static void ClickDesigner(frmDesigner& f) {
        SendMessageA(f.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(f.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    std::string skins = dir / "Skins";
};

TEST_F(PreviewVexoTest, MenuShowsChecksRedrawsAndCloses) {
    frmDesigner& f = OpenSkin();
    MenuItem& item = f.Menu("mnuPreviewVexo");
    ClickDesigner(f);  // nothing open: nothing to redraw
    EXPECT_EQ(gFrmPreview, nullptr);

    f.mnuPreviewVexo_Click();
    ASSERT_NE(gFrmPreview, nullptr);
    EXPECT_TRUE(item.Checked());
    EXPECT_TRUE(gFrmPreview->IsVisible());
    EXPECT_EQ(GetWindow(gFrmPreview->Hwnd(), GW_OWNER), f.Hwnd());
    EXPECT_EQ(Shown(), 0x00A000u) << "its load draws the skin";

    // Unsaved edits show: a click on the designer window redraws, and so does Update.
    f.lblBmpName(0).SetCaption("blue.bmp");
    ClickDesigner(f);
    EXPECT_EQ(Shown(), 0xA00000u);
    f.lblBmpName(0).SetCaption("grey.bmp");
    f.mnuPreviewUpdate_Click();
    EXPECT_EQ(Shown(), 0x707070u);

    // The menu closes it and releases it.
    f.mnuPreviewVexo_Click();
    EXPECT_FALSE(item.Checked());
    EXPECT_EQ(gFrmPreview, nullptr);
    f.mnuPreviewUpdate_Click();  // nothing open: only the hourglass
    ClickDesigner(f);
    EXPECT_EQ(gFrmPreview, nullptr);
}

TEST_F(PreviewVexoTest, EscapeClosesAndUnchecksAndTheNextClickOpensAgain) {
    frmDesigner& f = OpenSkin();
    MenuItem& item = f.Menu("mnuPreviewVexo");
    f.mnuPreviewVexo_Click();
    ASSERT_NE(gFrmPreview, nullptr);
    SendMessageA(gFrmPreview->Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(gFrmPreview->Hwnd(), WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_FALSE(gFrmPreview->IsLoaded());
    EXPECT_FALSE(item.Checked());
    ClickDesigner(f);  // unchecked: no redraw of a closed window

    f.mnuPreviewVexo_Click();
    ASSERT_NE(gFrmPreview, nullptr);
    EXPECT_TRUE(gFrmPreview->IsLoaded());
    EXPECT_TRUE(item.Checked());
}

TEST_F(PreviewVexoTest, ClosingTheDesignerUnloadsThePreview) {
    frmDesigner& f = OpenSkin();
    f.mnuPreviewVexo_Click();
    ASSERT_NE(gFrmPreview, nullptr);
    const HWND preview = gFrmPreview->Hwnd();
    f.MarkSkinChanged();
    prompts.Answer(IDCANCEL);
    EXPECT_FALSE(f.Unload());
    ASSERT_NE(gFrmPreview, nullptr);
    EXPECT_TRUE(gFrmPreview->IsLoaded()) << "Cancel keeps the preview open";
    prompts.Answer(IDNO);
    EXPECT_TRUE(f.Unload());
    EXPECT_EQ(gFrmPreview, nullptr);
    EXPECT_FALSE(IsWindow(preview));
    gFrmDesigner.reset();
}

}  // namespace
