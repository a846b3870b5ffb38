// The Preview menu's two windows: shown, redrawn from unsaved edits, closed by the menu, by
// Escape and with the designer.
#include "BmpFile.h"
#include "DesignerFixture.h"
#include "RealBox.h"
#include "frmPreInput.h"
#include "frmPreview.h"

namespace {
TEST_F(DesignerTest, PreviewMenusShowRedrawAndCloseTheirWindows) {
    frmDesigner& f = OpenWithSkins();
    CreateDirectoryA((skins + "\\Demo").c_str(), nullptr);
    for (auto [name, color] : {std::pair{"green.bmp", 0x00A000}, {"blue.bmp", 0xA00000}, {"grey.bmp", 0x707070}})
        WriteBytes(skins + "\\Demo\\" + name, BmpFile(8, 8, color));
    WriteBytes(skins + "\\Demo.ini", "[Vexo]\r\nname=Demo\r\nbackground=green.bmp\r\n");
    ASSERT_TRUE(f.OpenFile(skins + "\\Demo.ini"));
    auto clickDesigner = [&] {  // on the window's bare background
        SendMessageA(f.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(f.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    };
    clickDesigner();  // nothing open: nothing to redraw
    // Each window, and where it shows the background; a click on the designer redraws the main one.
    for (const bool vexo : {true, false}) {
        MenuItem& item = f.Menu(vexo ? "mnuPreviewVexo" : "mnuPreviewInput");
        auto click = [&] { vexo ? f.mnuPreviewVexo_Click() : f.mnuPreviewInput_Click(); };
        auto form = [&]() -> Form* { return vexo ? static_cast<Form*>(gFrmPreview.get()) : gFrmPreInput.get(); };
        auto shown = [&] { return vexo ? gFrmPreview->picVexo.Point(300, 300) : gFrmPreInput->picDlgInput.Point(5, 150); };
        f.lblBmpName(0).SetCaption("green.bmp");
        click();
        ASSERT_TRUE(form() && form()->IsVisible()) << item.Name();
        EXPECT_TRUE(item.Checked() && IsWindowEnabled(f.Hwnd())) << "checked, and modeless";
        EXPECT_EQ(GetWindow(form()->Hwnd(), GW_OWNER), f.Hwnd());
        EXPECT_EQ(shown(), 0x00A000) << "its load draws the skin";
        f.lblBmpName(0).SetCaption("blue.bmp");
        clickDesigner();
        EXPECT_EQ(shown(), vexo ? 0xA00000 : 0x00A000) << item.Name();
        f.lblBmpName(0).SetCaption("grey.bmp");
        f.mnuPreviewUpdate_Click();
        EXPECT_EQ(shown(), 0x707070) << item.Name();
        click();  // the menu closes and releases it
        EXPECT_FALSE(item.Checked() || form());
        f.mnuPreviewUpdate_Click();  // nothing to redraw
        // Escape, pressed in the window, closes it and unchecks the item; the menu opens it again.
        click();
        PostMessageA(form()->Hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageA(form()->Hwnd(), WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001));
        const DWORD start = GetTickCount();
        RunMessageLoop([&] { return form()->IsLoaded() && GetTickCount() - start < 10000; });
        EXPECT_FALSE(form()->IsLoaded() || item.Checked()) << item.Name();
        clickDesigner();
        f.mnuPreviewUpdate_Click();
        click();
        ASSERT_TRUE(form()->IsVisible() && item.Checked()) << item.Name();
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

// A real box raised by the designer or by a preview keeps all three windows waiting; once it is
// answered they all take input again and the window it came from is active again.
TEST_F(DesignerTest, RealBoxesFromTheDesignerOrAPreviewKeepEveryWindowWaitingThenGiveTheActivationBack) {
    frmDesigner& f = OpenWithSkins();
    CreateDirectoryA((skins + "\\Demo").c_str(), nullptr);
    WriteBytes(skins + "\\Demo\\green.bmp", BmpFile(8, 8, 0x00A000));
    WriteBytes(skins + "\\Demo.ini", "[Vexo]\r\nname=Demo\r\nbackground=green.bmp\r\n");
    ASSERT_TRUE(f.OpenFile(skins + "\\Demo.ini"));
    f.mnuPreviewVexo_Click();
    f.mnuPreviewInput_Click();
    ASSERT_TRUE(gFrmPreview && gFrmPreInput);
    const std::vector<HWND> all{f.Hwnd(), gFrmPreview->Hwnd(), gFrmPreInput->Hwnd()};
    auto enabled = [&] { return IsWindowEnabled(all[0]) && IsWindowEnabled(all[1]) && IsWindowEnabled(all[2]); };
    const std::vector<bool> waiting(3, false);
    struct Raise {
        const char* what;
        HWND from;
        std::function<void()> raise;
        std::string text;
    } raised[] = {
        {"designer", f.Hwnd(), [&] { f.mnuHelpContents_Click(); }, "is missing."},
        {"press in the preview", gFrmPreview->Hwnd(),
         [&] {
             const HWND button = gFrmPreview->picBtn(0).Hwnd();
             SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
             SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
         },
         "[btn_alpha]"},
        {"Update with a background gone", f.Hwnd(),
         [&] {
             f.lblBmpName(0).SetCaption("gone.bmp");
             f.mnuPreviewUpdate_Click();
         },
         "Error 53 (File not found) in procedure Preview_Input of Form frmDesigner"},
    };
    for (const Raise& r : raised) {
        SetActiveWindow(r.from);
        ASSERT_EQ(GetActiveWindow(), r.from) << r.what;
        RealBox box(all);
        r.raise();
        box.Finish();
        EXPECT_NE(box.text.find(r.text), std::string::npos) << r.what << ": " << box.text;
        EXPECT_EQ(box.enabledWhile, waiting) << r.what;
        EXPECT_TRUE(enabled()) << r.what;
        EXPECT_EQ(GetActiveWindow(), r.from) << r.what;
        EXPECT_TRUE(gFrmPreview->IsVisible() && gFrmPreInput->IsVisible()) << r.what;
    }
    EXPECT_TRUE(prompts.asked.empty()) << "the script was bypassed";
}
}  // namespace
