#include <windows.h>

#include "BmpFile.h"
#include "DesignerFixture.h"
#include "DialogDriver.h"

namespace {

class ColorSwatchesTest : public DesignerTest {
protected:
    frmDesigner& OpenSkin() {
        CreateDirectoryA((dir / "Skins").c_str(), nullptr);
        frmDesigner& f = Open("[Options]\r\nFirstRun=0\r\nSkinsFolder=" + dir / "Skins");
        prompts.AnswerInput("Dark");
        f.mnuFileNew_Click();
        f.lblCtrlColor(3).SetBackColor(255);
        f.lblCtrlColor(4).SetBackColor(int32_t(0x80000005));
        gPickColor = 0;
        return f;
    }
    // A real press and release (or a move) on the page at a swatch, or on a box at x, y.
    void Send(Control& at, UINT msg, WPARAM keys, int x = 2, int y = 2) {
        const bool box = dynamic_cast<PictureBox*>(&at);
        HWND window = box ? static_cast<PictureBox&>(at).Hwnd() : at.GetContainer()->Hwnd();
        const LPARAM point = box ? MAKELPARAM(x, y) : MAKELPARAM(at.Left() + x, at.Top() + y);
        SendMessageA(window, msg, keys, point);
        if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) SendMessageA(window, msg + 1, 0, point);
    }
    // The swatch's colour and cursor, the pick colour, the skin state and panel "msg".
    std::string Shown(int swatch) {
        frmDesigner& f = *gFrmDesigner;
        const uintptr_t cursor = f.lblCtrlColor(swatch).MouseIcon().Handle();
        const int32_t color = f.lblCtrlColor(swatch).BackColor();
        return (color < 0 ? "system" : ColorToHex(color)) +
               (cursor == f.imgHand.GetPicture().Handle() ? " hand" : cursor == f.imgFill.GetPicture().Handle() ? " fill" :
                cursor == f.imgContagocce.GetPicture().Handle() ? " dropper" : " ?") +
               " pick " + ColorToHex(gPickColor) + " " + f.sb1.PanelText("state") + " " + f.sb1.PanelText("msg");
    }
};

TEST_F(ColorSwatchesTest, AnyButtonOpensTheDialogOnTheSwatchAndOnlyAChoiceChangesIt) {
    frmDesigner& f = OpenSkin();
    auto click = [&](int swatch, int16_t button, DialogPlan plan) {
        DialogDriver driver(plan);
        f.lblCtrlColor_MouseDown(int16_t(swatch), button, 0, 0, 0);
        EXPECT_TRUE(driver.Done()) << driver.Failure();
        return RGB(driver.Seen().red, driver.Seen().green, driver.Seen().blue);
    };
    EXPECT_EQ(click(3, 1, DialogPlan::PickColor(10, 20, 30)), 255u);
    EXPECT_EQ(Shown(3), "0x1E140A hand pick 0x000000 Changed ");
    f.MarkSkinSaved();
    EXPECT_EQ(click(3, 2, DialogPlan::Cancel()), 0x1E140Au);
    EXPECT_EQ(click(4, 4, DialogPlan::Cancel()), 0xFFFFFFu);  // a system colour opens on white
    EXPECT_EQ(Shown(3), "0x1E140A hand pick 0x000000 Saved ");
    EXPECT_EQ(Shown(4), "system hand pick 0x000000 Saved ");
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(ColorSwatchesTest, CtrlPastesShiftCopiesAndTheKeyModesSetTheCursors) {
    frmDesigner& f = OpenSkin();
    DialogDriver none(DialogPlan::NoDialog());
    Send(f.lblCtrlColor(0), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(Shown(0), "0x000000 hand pick 0x000000 Changed ");  // nothing picked yet: black
    f.MarkSkinSaved();
    Send(f.lblCtrlColor(3), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT);
    EXPECT_EQ(Shown(3), "0x0000FF hand pick 0x0000FF Saved ");
    EXPECT_EQ(f.sb1.PanelPicture("color").Handle(), 0u);
    f.lblCtrlColor_MouseDown(2, 1, ShiftState::Ctrl | ShiftState::Shift, 0, 0);
    EXPECT_EQ(Shown(2), "0x0000FF hand pick 0x0000FF Changed ");

    gPickColor = 0;
    Send(f.lblCtrlColor(3), WM_MOUSEMOVE, 0);
    f.Form_KeyDown(VK_CONTROL, ShiftState::Ctrl);
    Send(f.lblCtrlColor(3), WM_MOUSEMOVE, 0);
    EXPECT_EQ(Shown(3), "0x0000FF hand pick 0x000000 Changed 0x0000FF\\255");  // no bucket over black
    gPickColor = 0x102030;
    f.lblCtrlColor_MouseMove(4, 0, 0, 0, 0);
    EXPECT_EQ(Shown(4), "system hand pick 0x102030 Changed ");
    f.lblCtrlColor_MouseMove(3, 0, 0, 0, 0);
    EXPECT_EQ(Shown(3).substr(0, 13), "0x0000FF fill");
    f.Form_KeyUp('A', 0);
    f.Form_KeyDown(VK_SHIFT, ShiftState::Shift);
    f.lblCtrlColor_MouseMove(2, 0, 0, 0, 0);
    EXPECT_EQ(Shown(3).substr(0, 13) + Shown(2).substr(0, 16), "0x0000FF hand0x0000FF dropper");
    f.Form_KeyUp(VK_SHIFT, 0);
    SendMessageA(f.picTab(4).Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(175, 50));  // bare page, between frames
    f.Form_KeyDown(VK_CONTROL, ShiftState::Ctrl);
    f.lblCtrlColor_MouseMove(3, 0, 0, 0, 0);
    EXPECT_EQ(Shown(3).substr(0, 13), "0x0000FF hand");
}

TEST_F(ColorSwatchesTest, PreviewReadoutPickAndReleaseOutside) {
    frmDesigner& f = OpenSkin();
    Send(f.picBitmapPreview, WM_MOUSEMOVE, 0);
    Send(f.picBitmapPreview, WM_LBUTTONUP, 0);
    EXPECT_EQ(f.lblImageCurrentRGBColor.Caption() + ColorToHex(gPickColor), "0x000000");
    Send(f.picButtonPreview, WM_LBUTTONUP, 0);
    EXPECT_EQ(gPickColor, int32_t(GetSysColor(COLOR_BTNFACE)));  // the empty box's own background

    WriteBytes(dir / "Skins\\Dark\\p.bmp", BmpFile(2, 1, {0x302010, 0x0000FF}));
    f.lblBmpName(0).SetCaption("p.bmp");
    f.lblBmpName_MouseDown(0, 2, 0, 0, 0);
    Send(f.picBitmapPreview, WM_MOUSEMOVE, 0, 0, 0);
    EXPECT_EQ(f.lblImageCurrentRGBColor.Caption(), "RGB (16,32,48)\r\n(Click to pick a color)");
    EXPECT_EQ(f.picColor.Point(3, 3), 0x302010);
    SendMessageA(f.picTab(2).Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(330, 5));
    EXPECT_EQ(f.lblImageCurrentRGBColor.Caption() + ColorToHex(f.picColor.Point(3, 3)), "0xFFFFFF");

    Send(f.picBitmapPreview, WM_LBUTTONUP, 0, 0, 0);
    const uintptr_t picked = f.sb1.PanelPicture("color").Handle();
    EXPECT_EQ(picked, f.picColor.GetPicture().Handle());
    Send(f.picBitmapPreview, WM_MOUSEMOVE, 0, 1, 0);
    Send(f.picBitmapPreview, WM_MOUSEMOVE, MK_LBUTTON, -5, 400);
    Send(f.picBitmapPreview, WM_LBUTTONUP, 0, -5, 400);
    EXPECT_EQ(f.lblImageCurrentRGBColor.Caption(), "RGB (255,0,0)\r\n(Click to pick a color)");
    EXPECT_EQ(f.picColor.Point(3, 3), 0x0000FF);
    EXPECT_EQ(gPickColor, 0x302010);
    EXPECT_EQ(f.sb1.PanelPicture("color").Handle(), picked);
}

}  // namespace
