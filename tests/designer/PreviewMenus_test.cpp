// The Preview menu's two windows: shown, redrawn from unsaved edits, closed by the menu, by
// Escape and with the designer.
#include "BmpFile.h"
#include "DesignerFixture.h"
#include "frmPreInput.h"
#include "frmPreview.h"

namespace {
TEST_F(DesignerTest, PreviewMenusShowRedrawAndCloseTheirWindows) {
    const std::string skins = dir / "Skins";
    CreateDirectoryA(skins.c_str(), nullptr);
    CreateDirectoryA((skins + "\\Demo").c_str(), nullptr);
    for (auto [name, color] : {std::pair{"green.bmp", 0x00A000}, {"blue.bmp", 0xA00000}, {"grey.bmp", 0x707070}})
        WriteBytes(skins + "\\Demo\\" + name, BmpFile(8, 8, color));
    WriteBytes(skins + "\\Demo.ini", "[Vexo]\r\nname=Demo\r\nbackground=green.bmp\r\n");
    frmDesigner& f = Open("[Options]\r\nFirstRun=0\r\nSkinsFolder=" + skins + "\r\n");
    ASSERT_TRUE(f.OpenFile(skins + "\\Demo.ini"));
    auto clickDesigner = [&] {  // on the window's bare background
        SendMessageA(f.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(f.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    };
    clickDesigner();  // nothing open: nothing to redraw
    f.mnuPreviewUpdate_Click();
    // Each window, and where it shows the background; a click on the designer redraws the main one.
    const struct {
        const char* menu;
        void (frmDesigner::*click)();
        std::function<Form*()> form;
        std::function<int32_t()> shown;
        bool redrawnByClick;
    } previews[] = {{"mnuPreviewVexo", &frmDesigner::mnuPreviewVexo_Click, [] { return static_cast<Form*>(gFrmPreview.get()); },
                     [] { return gFrmPreview->picVexo.Point(300, 300); }, true},
                    {"mnuPreviewInput", &frmDesigner::mnuPreviewInput_Click, [] { return static_cast<Form*>(gFrmPreInput.get()); },
                     [] { return gFrmPreInput->picDlgInput.Point(5, 150); }, false}};
    for (const auto& v : previews) {
        MenuItem& item = f.Menu(v.menu);
        f.lblBmpName(0).SetCaption("green.bmp");
        (f.*v.click)();
        ASSERT_TRUE(v.form() && v.form()->IsVisible()) << v.menu;
        EXPECT_TRUE(item.Checked() && IsWindowEnabled(f.Hwnd())) << "checked, and modeless";
        EXPECT_EQ(GetWindow(v.form()->Hwnd(), GW_OWNER), f.Hwnd());
        EXPECT_EQ(v.shown(), 0x00A000) << "its load draws the skin";
        f.lblBmpName(0).SetCaption("blue.bmp");
        clickDesigner();
        EXPECT_EQ(v.shown(), v.redrawnByClick ? 0xA00000 : 0x00A000) << v.menu;
        f.lblBmpName(0).SetCaption("grey.bmp");
        f.mnuPreviewUpdate_Click();
        EXPECT_EQ(v.shown(), 0x707070) << v.menu;
        (f.*v.click)();  // the menu closes and releases it
        EXPECT_FALSE(item.Checked() || v.form());
        f.mnuPreviewUpdate_Click();  // nothing to redraw
        // Escape, pressed in the window, closes it and unchecks the item; the menu opens it again.
        (f.*v.click)();
        PostMessageA(v.form()->Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(v.form()->Hwnd(), WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001));
        const DWORD start = GetTickCount();
        RunMessageLoop([&] { return v.form()->IsLoaded() && GetTickCount() - start < 10000; });
        EXPECT_FALSE(v.form()->IsLoaded() || item.Checked()) << v.menu;
        clickDesigner();
        f.mnuPreviewUpdate_Click();
        (f.*v.click)();
        ASSERT_TRUE(v.form()->IsVisible() && item.Checked()) << v.menu;
    }
    // Closing: Cancel at the save prompt keeps both; closing for real unloads and releases them.
    const HWND main = gFrmPreview->Hwnd(), input = gFrmPreInput->Hwnd();
    f.MarkSkinChanged();
    prompts.Answer(IDCANCEL);
    EXPECT_FALSE(f.Unload());
    EXPECT_TRUE(IsWindowVisible(main) && IsWindowVisible(input));
    prompts.Answer(IDNO);
    EXPECT_TRUE(f.Unload());
    EXPECT_FALSE(gFrmPreview || gFrmPreInput || IsWindow(main) || IsWindow(input));
}
}  // namespace
