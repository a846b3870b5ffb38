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
        gPickColor = 0;
        return f;
    }
    // Real mouse messages: to a box itself, or to the page at a label (a press is released after).
    void Send(Control& at, UINT msg, WPARAM keys, int x = 2, int y = 2) {
        if (auto* box = dynamic_cast<PictureBox*>(&at)) return void(SendMessageA(box->Hwnd(), msg, keys, MAKELPARAM(x, y)));
        SendMessageA(at.GetContainer()->Hwnd(), msg, keys, MAKELPARAM(at.Left() + x, at.Top() + y));
        if (msg != WM_MOUSEMOVE) SendMessageA(at.GetContainer()->Hwnd(), msg + 1, 0, MAKELPARAM(at.Left() + x, at.Top() + y));
    }
    uintptr_t Cursor(int swatch) { return gFrmDesigner->lblCtrlColor(swatch).MouseIcon().Handle(); }
};

TEST_F(ColorSwatchesTest, AnyButtonOpensTheDialogOnTheSwatchAndOnlyAChoiceChangesIt) {
    frmDesigner& f = OpenSkin();
    f.lblCtrlColor(5).SetBackColor(0x123456);
    f.lblCtrlColor(6).SetBackColor(int32_t(0x80000005));
    auto click = [&](int swatch, int16_t button, DialogPlan plan) {
        DialogDriver driver(plan);
        f.lblCtrlColor_MouseDown(int16_t(swatch), button, 0, 0, 0);
        EXPECT_TRUE(driver.Done()) << driver.Failure();
        return std::vector<int>{driver.Seen().red, driver.Seen().green, driver.Seen().blue};
    };
    EXPECT_EQ(click(5, 1, DialogPlan::PickColor(10, 20, 30)), (std::vector<int>{0x56, 0x34, 0x12}));
    EXPECT_EQ(f.lblCtrlColor(5).BackColor(), 0x1E140A);
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
    f.MarkSkinSaved();
    EXPECT_EQ(click(5, 2, DialogPlan::Cancel()), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(click(6, 4, DialogPlan::Cancel()), (std::vector<int>{255, 255, 255}));  // a system colour opens on white
    EXPECT_EQ(f.lblCtrlColor(5).BackColor(), 0x1E140A);
    EXPECT_EQ(f.lblCtrlColor(6).BackColor(), int32_t(0x80000005));
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(ColorSwatchesTest, CtrlPastesShiftCopiesBothPasteAndKeysSetTheCursors) {
    frmDesigner& f = OpenSkin();
    DialogDriver none(DialogPlan::NoDialog());
    f.lblCtrlColor(0).SetBackColor(0x445566);
    Send(f.lblCtrlColor(0), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(f.lblCtrlColor(0).BackColor(), 0);  // nothing picked yet: black
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
    f.MarkSkinSaved();
    const uintptr_t panel = f.sb1.PanelPicture("color").Handle();
    f.lblCtrlColor(1).SetBackColor(0x0A0B0C);
    Send(f.lblCtrlColor(1), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT);
    EXPECT_EQ(gPickColor, 0x0A0B0C);
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");
    EXPECT_EQ(f.sb1.PanelPicture("color").Handle(), panel);
    f.lblCtrlColor_MouseDown(2, 1, ShiftState::Ctrl | ShiftState::Shift, 0, 0);
    EXPECT_EQ(f.lblCtrlColor(2).BackColor(), 0x0A0B0C);
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");

    const uintptr_t hand = f.imgHand.GetPicture().Handle();
    f.lblCtrlColor(3).SetBackColor(255);
    f.lblCtrlColor(4).SetBackColor(int32_t(0x80000005));
    Send(f.lblCtrlColor(3), WM_MOUSEMOVE, 0);
    EXPECT_EQ(f.sb1.PanelText("msg"), "0x0000FF\\255");
    gPickColor = 0;
    f.Form_KeyDown(VK_CONTROL, ShiftState::Ctrl);
    f.lblCtrlColor_MouseMove(3, 0, 0, 0, 0);
    EXPECT_EQ(Cursor(3), hand);  // no bucket while the pick colour is black
    gPickColor = 0x102030;
    f.lblCtrlColor_MouseMove(4, 0, 0, 0, 0);
    EXPECT_EQ(f.sb1.PanelText("msg"), "");
    EXPECT_EQ(Cursor(4), hand);
    f.lblCtrlColor_MouseMove(3, 0, 0, 0, 0);
    EXPECT_EQ(Cursor(3), f.imgFill.GetPicture().Handle());
    f.Form_KeyUp('A', 0);
    EXPECT_EQ(Cursor(3), hand);
    f.Form_KeyDown(VK_SHIFT, ShiftState::Shift);
    f.lblCtrlColor_MouseMove(3, 0, 0, 0, 0);
    EXPECT_EQ(Cursor(3), f.imgContagocce.GetPicture().Handle());
    f.Form_KeyUp(VK_SHIFT, 0);
    SendMessageA(f.picTab(4).Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(175, 50));  // bare page, between frames
    f.Form_KeyDown(VK_CONTROL, ShiftState::Ctrl);
    f.lblCtrlColor_MouseMove(3, 0, 0, 0, 0);
    EXPECT_EQ(Cursor(3), hand);
}

TEST_F(ColorSwatchesTest, PreviewReadoutPickAndReleaseOutside) {
    frmDesigner& f = OpenSkin();
    Send(f.picBitmapPreview, WM_MOUSEMOVE, 0);
    Send(f.picBitmapPreview, WM_LBUTTONUP, 0);
    EXPECT_EQ(f.lblImageCurrentRGBColor.Caption(), "");
    EXPECT_EQ(gPickColor, 0);
    Send(f.picButtonPreview, WM_LBUTTONUP, 0);
    EXPECT_EQ(gPickColor, int32_t(GetSysColor(COLOR_BTNFACE)));  // the empty box's own background

    WriteBytes(dir / "Skins\\Dark\\p.bmp", BmpFile(2, 1, {0x302010, 0x0000FF}));
    f.lblBmpName(0).SetCaption("p.bmp");
    f.lblBmpName_MouseDown(0, 2, 0, 0, 0);
    Send(f.picBitmapPreview, WM_MOUSEMOVE, 0, 0, 0);
    EXPECT_EQ(f.lblImageCurrentRGBColor.Caption(), "RGB (16,32,48)\r\n(Click to pick a color)");
    EXPECT_EQ(f.picColor.Point(3, 3), 0x302010);
    SendMessageA(f.picTab(2).Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(330, 5));
    EXPECT_EQ(f.lblImageCurrentRGBColor.Caption(), "");
    EXPECT_EQ(f.picColor.Point(3, 3), 0xFFFFFF);

    Send(f.picBitmapPreview, WM_LBUTTONUP, 0, 0, 0);
    EXPECT_EQ(gPickColor, 0x302010);
    const uintptr_t picked = f.sb1.PanelPicture("color").Handle();
    EXPECT_EQ(picked, f.picColor.GetPicture().Handle());
    Send(f.picBitmapPreview, WM_MOUSEMOVE, 0, 1, 0);
    EXPECT_EQ(f.picColor.Point(3, 3), 0x0000FF);
    EXPECT_EQ(f.sb1.PanelPicture("color").Handle(), picked);
    SendMessageA(f.picBitmapPreview.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, 400));
    SendMessageA(f.picBitmapPreview.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(-5, 400));
    EXPECT_EQ(gPickColor, 0x302010);
    EXPECT_EQ(f.lblImageCurrentRGBColor.Caption(), "RGB (255,0,0)\r\n(Click to pick a color)");
    EXPECT_EQ(f.sb1.PanelPicture("color").Handle(), picked);
}

}  // namespace
