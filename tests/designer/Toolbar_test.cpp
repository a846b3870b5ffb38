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
    void TearDown() override {
        SetToolbarFirstBitmapId(101);
        DesignerTest::TearDown();
    }
    frmDesigner& Start(const std::string& settings = "", int osVersion = -1) {
        CreateDirectoryA(skins.c_str(), nullptr);
        return Open("[Options]\r\nFirstRun=0\r\nSkinsFolder=" + skins + "\r\n" + settings, osVersion);
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
    const char* AskTip(UINT_PTR id) {
        NMTTDISPINFOA info{};
        info.hdr = {Bar(), id, TTN_NEEDTEXTA};
        SendMessageA(gFrmDesigner->Hwnd(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
        return info.lpszText;
    }
    std::string skins = dir / "Skins";
};

TEST_F(ToolbarTest, BandAboveTheTabStripInBothLooksWithSevenPicturesAndThreeSeparators) {
    for (int os : {6, 5}) {
        frmDesigner& f = Start("", os);
        RECT bar;
        GetWindowRect(f.m_CoolBar->hWnd, &bar);
        MapWindowPoints(nullptr, f.Hwnd(), reinterpret_cast<POINT*>(&bar), 2);
        const RECT expected{0, 0, 600, bar.bottom};
        EXPECT_TRUE(EqualRect(&bar, &expected));
        EXPECT_LE(bar.bottom, f.TabStrip1.Top()) << "look " << os;  // nothing of the window is hidden
        EXPECT_EQ(GetParent(Bar()), f.m_CoolBar->hWnd);
        EXPECT_EQ(ImageList_GetImageCount(f.m_ImageList->hImageList), 7);
        std::string layout;  // image index, or - for a separator, of command ids 1 to 10
        for (int p = 0; p < 10; ++p) {
            TBBUTTON b{};
            SendMessageA(Bar(), TB_GETBUTTON, static_cast<WPARAM>(p), reinterpret_cast<LPARAM>(&b));
            layout += b.idCommand != p + 1 ? '?' : (b.fsStyle & BTNS_SEP) ? '-' : char('0' + b.iBitmap);
        }
        EXPECT_EQ(layout, "012-34-6-5");
        EXPECT_EQ(States(), "1100011");
        f.Unload();
        gFrmDesigner.reset();
    }
}

TEST_F(ToolbarTest, ButtonsRunTheirCommandsOnlyWhenEnabledAndMenuCommandsAreNotButtons) {
    frmDesigner& f = Start();
    f.txtSkinName.SetText("Ghost");
    for (int p : {2, 3, 4, 5, 6, 8}) Click(p);  // disabled ones and separators
    for (int p : {-1, 10}) f.ButtonInfo_ButtonClick(p);
    for (WPARAM id = 1; id <= 10; ++id) SendMessageA(f.Hwnd(), WM_COMMAND, id, 0);
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_TRUE(prompts.inputPrompts.empty());
    EXPECT_FALSE(PathExists(skins + "\\Ghost.ini"));

    prompts.Answer(IDNO);
    prompts.AnswerInput("Dark");
    Click(0);
    ASSERT_EQ(prompts.inputPrompts.size(), 1u);
    EXPECT_EQ(States(), "1111111");
    f.txtAuthor.SetText("By button");
    Click(2);
    EXPECT_NE(ReadBytes(skins + "\\Dark.ini").find("Author=By button\r\n"), std::string::npos);
    {
        DialogDriver driver(DialogPlan::Cancel());
        Click(1);
        EXPECT_EQ(driver.Seen().title, "Open Skin");
    }
    static bool s_InMode = false;
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        s_InMode = gFrmDesigner->InWhatsThisMode();
        PostMessageA(gFrmDesigner->Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    DoEvents();  // what the closed dialog left in the queue, as the program's loop would
    WriteBytes(dir / "Context.hlp", "topics");  // without it What's This only names the missing file
    Click(9);
    EXPECT_TRUE(s_InMode);
    Click(4);  // as the menu items: the previews open, then close
    Click(5);
    EXPECT_TRUE(gFrmPreview && f.Menu("mnuPreviewVexo").Checked());
    EXPECT_TRUE(gFrmPreInput && f.Menu("mnuPreviewInput").Checked());
    // Update redraws them: the Input Settings preview reports the missing background again.
    const size_t asked = prompts.asked.size();
    Click(7);
    ASSERT_EQ(prompts.asked.size(), asked + 1);
    EXPECT_NE(prompts.asked.back().text.find("in procedure Preview_Input"), std::string::npos);
    Click(4);
    Click(5);
    EXPECT_FALSE(gFrmPreview || f.Menu("mnuPreviewVexo").Checked());
    EXPECT_FALSE(gFrmPreInput || f.Menu("mnuPreviewInput").Checked());
}

TEST_F(ToolbarTest, OpenAndARecentFileEnableSaveAndThePreviewsARefusedUpgradeDoesNot) {
    const std::string file = skins + "\\Blue.ini";
    CreateDirectoryA(skins.c_str(), nullptr);
    WriteBytes(file, "[Vexo]\r\nname=Blue\r\n");
    WriteBytes(skins + "\\Old.ini", "name=Old\r\n");
    frmDesigner& f = Start("[RecentsFiles]\r\nRecentFile1=" + file + "\r\n");
    prompts.Answer(IDCANCEL);
    EXPECT_FALSE(f.OpenFile(skins + "\\Old.ini"));
    EXPECT_EQ(States(), "1100011");
    f.mnuRecentFile_Click(1);
    EXPECT_EQ(States(), "1111111");
    f.Unload();
    gFrmDesigner.reset();
    frmDesigner& g = Start();
    DialogDriver driver(DialogPlan::ChooseFile(file));
    g.mnuFileOpen_Click();
    EXPECT_EQ(States(), "1111111");
}

TEST_F(ToolbarTest, TipsAndHelpTextsReachTheWindowAndTheFrameClearsTheHint) {
    frmDesigner& f = Start();
    // The pointer rests on the button of the active window (the test runs alone):
    // the tooltip asks the window, which answers.
    SetForegroundWindow(f.Hwnd());
    POINT at = Centre(7), screen = at;
    ClientToScreen(Bar(), &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(Bar(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    const DWORD start = GetTickCount();
    while (f.sb1.PanelText("msg").empty() && GetTickCount() - start < 10000) {
        DoEvents();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    EXPECT_EQ(f.sb1.PanelText("msg"), "Update all the preview windows, if any is open");
    EXPECT_EQ(gTipText, "Update Preview");
    SendMessageA(f.Hwnd(), WM_NCMOUSEMOVE, HTCAPTION, 0);
    EXPECT_EQ(f.sb1.PanelText("msg"), "");

    EXPECT_STREQ(AskTip(10), "What This?");
    EXPECT_EQ(f.sb1.PanelText("msg"), "Show a short quick help for any object");
    EXPECT_EQ(AskTip(0), nullptr);  // the dummy: no tip, the hint cleared
    EXPECT_EQ(f.sb1.PanelText("msg"), "");
    f.ButtonInfo_ButtonHelp("kept");
    EXPECT_EQ(AskTip(77), nullptr);
    EXPECT_EQ(f.sb1.PanelText("msg"), "kept");
}

TEST_F(ToolbarTest, StatusPictureTooltipFollowsTheChangedPicture) {
    frmDesigner& f = Start();
    auto hover = [&] {
        SendMessageA(f.sb1.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        return f.sb1.PanelByKey("img").toolTip;
    };
    f.MarkSkinChanged();
    EXPECT_EQ(hover(), "Changed");
    f.sb1.SetPanelPicture("img", f.imgEye.GetPicture());  // any other picture
    EXPECT_EQ(hover(), "Saved");
}

TEST_F(ToolbarTest, AMissingBitmapGoesToTheLoadAndClosingGivesTheProcedureBack) {
    SetToolbarFirstBitmapId(9001);
    Start();
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text.substr(0, 6), "Error ");
    EXPECT_NE(prompts.asked[0].text.find(") in procedure Form_Load of Form frmDesigner"), std::string::npos);
    gFrmDesigner->Unload();
    gFrmDesigner.reset();

    // The next window is whole, and a cancelled close keeps its toolbar working.
    SetToolbarFirstBitmapId(101);
    frmDesigner& f = Start();
    EXPECT_EQ(GetWindowLongPtrA(f.Hwnd(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(ParentWndProc));
    f.MarkSkinChanged();
    prompts.Answer(IDCANCEL);
    ASSERT_FALSE(f.Unload());
    prompts.Answer(IDNO);
    prompts.AnswerInput("");
    Click(0);
    EXPECT_EQ(prompts.inputPrompts.size(), 1u);
    prompts.Answer(IDNO);
    ASSERT_TRUE(f.Unload());
    EXPECT_EQ(gToolbarObject, nullptr);
    EXPECT_EQ(gOldParentWndProc, nullptr);
}

}  // namespace
