#include <windows.h>

#include "BmpFile.h"
#include "DesignerFixture.h"
#include "DialogDriver.h"

namespace {

class ColorSwatchesTest : public DesignerTest {
protected:
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

TEST_F(ColorSwatchesTest, ClicksCtrlPastesShiftCopiesKeyModesAndPicksFromThePreviews) {
    CreateDirectoryA((dir / "Skins").c_str(), nullptr);
    frmDesigner& f = Open("[Options]\r\nFirstRun=0\r\nSkinsFolder=" + dir / "Skins");
    prompts.AnswerInput("Dark");
    f.mnuFileNew_Click();
    f.lblCtrlColor(4).SetBackColor(int32_t(0x80000005));
    // Any button opens the dialog on the swatch, white for a system colour; only a choice changes it.
    auto click = [&](int swatch, int16_t button, DialogPlan plan) {
        DialogDriver driver(plan);
        f.lblCtrlColor_MouseDown(int16_t(swatch), button, 0, 0, 0);
        EXPECT_TRUE(driver.Done()) << driver.Failure();
        return RGB(driver.Seen().red, driver.Seen().green, driver.Seen().blue);
    };
    f.lblCtrlColor(3).SetBackColor(255);
    EXPECT_EQ(click(3, 1, DialogPlan::PickColor(10, 20, 30)), 255u);
    EXPECT_EQ(Shown(3), "0x1E140A hand pick 0x000000 Changed ");
    f.MarkSkinSaved();
    EXPECT_EQ(click(3, 2, DialogPlan::Cancel()), 0x1E140Au);
    EXPECT_EQ(click(4, 4, DialogPlan::Cancel()), 0xFFFFFFu);
    EXPECT_EQ(Shown(3) + "|" + Shown(4), "0x1E140A hand pick 0x000000 Saved |system hand pick 0x000000 Saved ");
    EXPECT_TRUE(prompts.asked.empty());

    // Ctrl pastes (black before any pick), Shift copies, both paste; a real Ctrl click on the page.
    f.lblCtrlColor(3).SetBackColor(255);
    DialogDriver none(DialogPlan::NoDialog());
    const Label& swatch = f.lblCtrlColor(0);
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP})
        SendMessageA(swatch.GetContainer()->Hwnd(), m, MK_CONTROL, MAKELPARAM(swatch.Left() + 2, swatch.Top() + 2));
    EXPECT_EQ(Shown(0), "0x000000 hand pick 0x000000 Changed ");
    f.MarkSkinSaved();
    f.lblCtrlColor_MouseDown(3, 2, ShiftState::Shift, 0, 0);
    EXPECT_EQ(Shown(3), "0x0000FF hand pick 0x0000FF Saved ");
    EXPECT_EQ(f.sb1.PanelPicture("color").Handle(), 0u);  // still the earlier pick
    f.lblCtrlColor_MouseDown(2, 1, ShiftState::Ctrl | ShiftState::Shift, 0, 0);
    EXPECT_EQ(Shown(2), "0x0000FF hand pick 0x0000FF Changed ");

    // A key pressed over a swatch sets a mode shown at the next move over one; any key's release ends it.
    f.lblCtrlColor_MouseMove(3, 0, 0, 0, 0);
    f.Form_KeyDown(VK_CONTROL, ShiftState::Ctrl);
    f.lblCtrlColor_MouseMove(3, 0, 0, 0, 0);
    EXPECT_EQ(Shown(3), "0x0000FF fill pick 0x0000FF Changed 0x0000FF\\255");
    f.Form_KeyUp('A', 0);
    f.Form_KeyDown(VK_SHIFT, ShiftState::Shift);
    f.lblCtrlColor_MouseMove(2, 0, 0, 0, 0);
    EXPECT_EQ(Shown(3).substr(0, 13) + Shown(2).substr(0, 16), "0x0000FF hand0x0000FF dropper");

    // The previews: nothing read or picked from an empty one; then the readout, and a pick on release.
    f.picBitmapPreview_MouseMove(0, 0, 2, 2);
    f.picBitmapPreview_MouseUp(1, 0, 2, 2);
    EXPECT_EQ(f.lblImageCurrentRGBColor.Caption() + ColorToHex(gPickColor), "0x0000FF");
    WriteBytes(dir / "Skins\\Dark\\p.bmp", BmpFile(2, 1, {0x302010, 0x0000FF}));
    f.lblBmpName(0).SetCaption("p.bmp");
    f.lblBmpName_MouseDown(0, 2, 0, 0, 0);
    auto readout = [&] { return f.lblImageCurrentRGBColor.Caption() + " " + ColorToHex(f.picColor.Point(3, 3)); };
    SendMessageA(f.picBitmapPreview.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));
    EXPECT_EQ(readout(), "RGB (16,32,48)\r\n(Click to pick a color) 0x302010");
    SendMessageA(f.picBitmapPreview.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
    const uintptr_t picked = f.sb1.PanelPicture("color").Handle();
    EXPECT_EQ(picked, f.picColor.GetPicture().Handle());
    // Dragged out from the red pixel and released outside: the pick and its picture stay.
    f.picBitmapPreview_MouseMove(0, 0, 1, 0);
    f.picBitmapPreview_MouseMove(1, 0, -5, 400);
    f.picBitmapPreview_MouseUp(1, 0, -5, 400);
    EXPECT_EQ(readout() + " " + ColorToHex(gPickColor), "RGB (255,0,0)\r\n(Click to pick a color) 0x0000FF 0x302010");
    EXPECT_EQ(f.sb1.PanelPicture("color").Handle(), picked);
}

}  // namespace
