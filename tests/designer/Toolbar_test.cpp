#include <windows.h>

#include <commctrl.h>

#include "DesignerFixture.h"
#include "DialogDriver.h"
#include "DoEvents.h"
#include "frmPreInput.h"
#include "frmPreview.h"
#include "modToolBar.h"

namespace {

class ToolbarTest : public DesignerTest {
protected:
    frmDesigner& Start() {
        CreateDirectoryA(skins.c_str(), nullptr);
        WriteBytes(skins + "\\Blue.ini", "[Vexo]\r\nname=Blue\r\n");
        return Open("[Options]\r\nFirstRun=0\r\nSkinsFolder=" + skins + "\r\n");
    }
    HWND Bar() { return gFrmDesigner->m_ToolBar->hWnd; }
    POINT Centre(int position) {
        RECT r{};
        SendMessageA(Bar(), TB_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&r));
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Click(int position) {
        const POINT p = Centre(position);
        SendMessageA(Bar(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageA(Bar(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }
    // Enabled states of positions 0, 1, 2, 4, 5, 7, 9.
    std::string States() {
        std::string s;
        for (int p : {0, 1, 2, 4, 5, 7, 9})
            s += (SendMessageA(Bar(), TB_GETSTATE, static_cast<WPARAM>(p + 1), 0) & TBSTATE_ENABLED) ? '1' : '0';
        return s;
    }
};

TEST_F(ToolbarTest, BandAboveTheTabStripWithButtonsThatRunTheirCommandsOnlyWhenEnabledAndMenuCommandsThatDoNot) {
    frmDesigner& f = Start();
    RECT bar;  // at the top left, hiding nothing of the window below
    GetWindowRect(f.m_CoolBar->hWnd, &bar);
    MapWindowPoints(nullptr, f.Hwnd(), reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_TRUE(bar.left == 0 && bar.top == 0 && bar.right == 600 && bar.bottom <= f.TabStrip1.Top());
    EXPECT_TRUE(GetParent(Bar()) == f.m_CoolBar->hWnd && ImageList_GetImageCount(f.m_ImageList->hImageList) == 7);
    std::string layout;  // image index, or - for a separator, of command ids 1 to 10
    for (int p = 0; p < 10; ++p) {
        TBBUTTON b{};
        SendMessageA(Bar(), TB_GETBUTTON, static_cast<WPARAM>(p), reinterpret_cast<LPARAM>(&b));
        layout += b.idCommand != p + 1 ? '?' : (b.fsStyle & BTNS_SEP) ? '-' : char('0' + b.iBitmap);
    }
    EXPECT_EQ(layout, "012-34-6-5");

    WriteBytes(skins + "\\Old.ini", "name=Old\r\n");
    prompts.Answer(IDCANCEL);  // a refused upgrade opens nothing
    EXPECT_FALSE(f.OpenFile(skins + "\\Old.ini"));
    EXPECT_EQ(States(), "1100011");
    prompts.asked.clear();
    for (int p : {2, 3, 4, 5, 6, 8}) Click(p);  // disabled ones and separators
    for (int p : {-1, 10}) f.ButtonInfo_ButtonClick(p);
    for (WPARAM id = 1; id <= 10; ++id) SendMessageA(f.Hwnd(), WM_COMMAND, id, 0);
    EXPECT_TRUE(prompts.asked.empty() && prompts.inputPrompts.empty());  // Save would say why it cannot
    {
        DialogDriver driver(DialogPlan::ChooseFile(skins + "\\Blue.ini"));
        Click(1);
        EXPECT_EQ(driver.Seen().title, "Open Skin");
    }
    EXPECT_EQ(States(), "1111111");
    prompts.AnswerInput("Dark");
    Click(0);
    f.txtAuthor.SetText("By button");
    Click(2);
    EXPECT_NE(ReadBytes(skins + "\\Dark.ini").find("Author=By button\r\n"), std::string::npos);

    DoEvents();  // what the closed dialog left in the queue, as the program's loop would
    WriteBytes(dir / "Context.hlp", "topics");  // without it What's This only names the missing file
    PostMessageA(f.Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);  // only a running help mode takes it
    Click(9);
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, f.Hwnd(), WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
    Click(4);  // as the menu items do
    Click(5);
    EXPECT_TRUE(gFrmPreview && f.Menu("mnuPreviewVexo").Checked() && gFrmPreInput && f.Menu("mnuPreviewInput").Checked());
    // Update redraws them: the Input Settings preview reports the missing background again.
    prompts.asked.clear();
    Click(7);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_NE(prompts.asked[0].text.find("in procedure Preview_Input"), std::string::npos);
}

TEST_F(ToolbarTest, TipsAndHelpTextsReachTheWindowAndTheFrameClearsTheHint) {
    frmDesigner& f = Start();
    // Update Preview's tip; an id no button has: no tip, the hint kept; the dummy 0: no tip, the hint cleared.
    for (UINT_PTR id : {8, 77, 0}) {
        NMTTDISPINFOA info{};
        info.hdr = {Bar(), id, TTN_NEEDTEXTA};
        f.ButtonInfo_ButtonHelp("kept");
        SendMessageA(f.Hwnd(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(std::string(info.lpszText ? info.lpszText : "none") + "|" + f.sb1.PanelText("msg"),
                  id == 8 ? "Update Preview|Update all the preview windows, if any is open" : id ? "none|kept" : "none|");
    }
    SendMessageA(f.Hwnd(), WM_NCMOUSEMOVE, HTCAPTION, 0);
    EXPECT_EQ(f.sb1.PanelText("msg"), "");
    // The state picture's tip follows the picture shown.
    f.MarkSkinChanged();
    SendMessageA(f.sb1.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(f.sb1.PanelToolTip("img"), "Changed");
    f.MarkSkinSaved();
    SendMessageA(f.sb1.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(f.sb1.PanelToolTip("img"), "Saved");
}

TEST_F(ToolbarTest, AMissingBitmapGoesToTheLoadAndClosingGivesTheProcedureBack) {
    SetToolbarFirstBitmapId(9001);
    Start();
    SetToolbarFirstBitmapId(101);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text.substr(0, 6), "Error ");
    EXPECT_NE(prompts.asked[0].text.find(") in procedure Form_Load of Form frmDesigner"), std::string::npos);
    gFrmDesigner->Unload();
    gFrmDesigner.reset();

    // The next window is whole, and a cancelled close keeps its toolbar working: New enables Save.
    frmDesigner& f = Start();
    EXPECT_EQ(GetWindowLongPtrA(f.Hwnd(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(ParentWndProc));
    f.MarkSkinChanged();
    prompts.Answer(IDCANCEL);
    ASSERT_FALSE(f.Unload());
    prompts.Answer(IDNO);
    prompts.AnswerInput("Fresh");
    Click(0);
    EXPECT_EQ(States(), "1111111");
    prompts.Answer(IDNO);
    ASSERT_TRUE(f.Unload());
    // Given back while closing, before the window went.
    EXPECT_TRUE(!f.m_ToolBar && !gToolbarObject && !gOldParentWndProc);
}

}  // namespace
