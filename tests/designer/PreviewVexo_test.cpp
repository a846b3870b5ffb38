#include <windows.h>

#include "BmpFile.h"
#include "DesignerFixture.h"
#include "frmPreview.h"

namespace {

// A loaded skin whose background is one plain colour; the preview shows it at (300, 300).
TEST_F(DesignerTest, PreviewMenuShowsChecksRedrawsAndClosesTheMainWindowPreview) {
    const std::string skins = dir / "Skins";
    CreateDirectoryA(skins.c_str(), nullptr);
    CreateDirectoryA((skins + "\\Demo").c_str(), nullptr);
    for (auto [name, color] : {std::pair{"green.bmp", 0x00A000}, {"blue.bmp", 0xA00000}, {"grey.bmp", 0x707070}})
        WriteBytes(skins + "\\Demo\\" + name, BmpFile(8, 8, color));
    WriteBytes(skins + "\\Demo.ini", "[Vexo]\r\nname=Demo\r\nbackground=green.bmp\r\n");
    frmDesigner& f = Open("[Options]\r\nFirstRun=0\r\nSkinsFolder=" + skins + "\r\n");
    ASSERT_TRUE(f.OpenFile(skins + "\\Demo.ini"));
    MenuItem& item = f.Menu("mnuPreviewVexo");
    auto shown = [] { return gFrmPreview->picVexo.Point(300, 300); };
    auto clickDesigner = [&] {  // on the window's bare background
        SendMessageA(f.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(f.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    };
    clickDesigner();  // nothing open: nothing to redraw
    EXPECT_EQ(gFrmPreview, nullptr);

    f.mnuPreviewVexo_Click();
    ASSERT_NE(gFrmPreview, nullptr);
    EXPECT_TRUE(item.Checked());
    EXPECT_TRUE(gFrmPreview->IsVisible());
    EXPECT_EQ(GetWindow(gFrmPreview->Hwnd(), GW_OWNER), f.Hwnd());
    EXPECT_EQ(shown(), 0x00A000) << "its load draws the skin";
    // Unsaved edits show after a click on the designer window, and after Update.
    f.lblBmpName(0).SetCaption("blue.bmp");
    clickDesigner();
    EXPECT_EQ(shown(), 0xA00000);
    f.lblBmpName(0).SetCaption("grey.bmp");
    f.mnuPreviewUpdate_Click();
    EXPECT_EQ(shown(), 0x707070);
    // The menu closes and releases it.
    f.mnuPreviewVexo_Click();
    EXPECT_FALSE(item.Checked());
    EXPECT_EQ(gFrmPreview, nullptr);
    f.mnuPreviewUpdate_Click();  // only the hourglass

    // Escape closes it and unchecks the item; the next click opens it again.
    f.mnuPreviewVexo_Click();
    SendMessageA(gFrmPreview->Hwnd(), WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_FALSE(gFrmPreview->IsLoaded());
    EXPECT_FALSE(item.Checked());
    clickDesigner();
    f.mnuPreviewVexo_Click();
    ASSERT_TRUE(gFrmPreview->IsLoaded());
    EXPECT_TRUE(item.Checked());

    // Closing: Cancel at the save prompt keeps it; closing for real unloads and releases it.
    const HWND preview = gFrmPreview->Hwnd();
    f.MarkSkinChanged();
    prompts.Answer(IDCANCEL);
    EXPECT_FALSE(f.Unload());
    EXPECT_TRUE(IsWindow(preview));
    prompts.Answer(IDNO);
    EXPECT_TRUE(f.Unload());
    EXPECT_EQ(gFrmPreview, nullptr);
    EXPECT_FALSE(IsWindow(preview));
}

}  // namespace
