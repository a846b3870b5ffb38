#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "DesignerFixture.h"
#include "DialogDriver.h"
#include "ObjectCounts.h"
#include "modToolBar.h"

namespace {

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

class ToolbarTest : public DesignerTest {
protected:
    void TearDown() override {
        SetToolbarFirstBitmapId(101);
        DesignerTest::TearDown();
    }
    frmDesigner& OpenWithSkins(int osVersion = -1) {
        CreateDirectoryA(skins.c_str(), nullptr);
        return Open("[Options]\r\nFirstRun=0\r\nSkinsFolder=" + skins + "\r\n", osVersion);
    }
    HWND Toolbar() { return gFrmDesigner->m_ToolBar->hWnd; }
    RECT ButtonRect(int position) {
        RECT r{};
        SendMessageA(Toolbar(), TB_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // A real left click in the middle of the button at the position.
    void Click(int position) {
        const RECT r = ButtonRect(position);
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageA(Toolbar(), WM_MOUSEMOVE, 0, at);
        SendMessageA(Toolbar(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(Toolbar(), WM_LBUTTONUP, 0, at);
    }
    bool Enabled(int position) {
        return (SendMessageA(Toolbar(), TB_GETSTATE, static_cast<WPARAM>(position + 1), 0) & TBSTATE_ENABLED) != 0;
    }
    void ExpectStartStates() {
        for (int p : {0, 1, 7, 9}) EXPECT_TRUE(Enabled(p)) << p;
        for (int p : {2, 4, 5}) EXPECT_FALSE(Enabled(p)) << p;
    }
    void ExpectSkinStates() {
        for (int p : {0, 1, 2, 4, 5, 7, 9}) EXPECT_TRUE(Enabled(p)) << p;
    }
    // Asks for a tip as the tooltip control does, with the platform's own record.
    NMTTDISPINFOA AskTip(UINT_PTR id) {
        NMTTDISPINFOA info{};
        info.hdr.hwndFrom = Toolbar();
        info.hdr.idFrom = id;
        info.hdr.code = TTN_NEEDTEXTA;
        SendMessageA(gFrmDesigner->Hwnd(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
        return info;
    }
    std::string skins = dir / "Skins";
};

TEST_F(ToolbarTest, SevenPicturesAndThreeSeparatorsInTheRebarBandAboveTheTabStripInBothLooks) {
    for (int os : {6, 5}) {
        frmDesigner& f = OpenWithSkins(os);
        HWND rebar = f.m_CoolBar->hWnd;
        char cls[64] = "";
        GetClassNameA(rebar, cls, sizeof cls);
        EXPECT_STREQ(cls, "ReBarWindow32");
        EXPECT_EQ(GetParent(rebar), f.Hwnd());
        EXPECT_EQ(GetParent(Toolbar()), rebar);
        EXPECT_EQ(SendMessageA(rebar, RB_GETBANDCOUNT, 0, 0), 1);

        RECT bar;
        GetWindowRect(rebar, &bar);
        MapWindowPoints(nullptr, f.Hwnd(), reinterpret_cast<POINT*>(&bar), 2);
        EXPECT_EQ(bar.left, 0);
        EXPECT_EQ(bar.top, 0);
        EXPECT_EQ(bar.right - bar.left, 600);
        // The band holds the toolbar whole, and the bar ends above the tab strip.
        RECT tb;
        GetWindowRect(Toolbar(), &tb);
        MapWindowPoints(nullptr, f.Hwnd(), reinterpret_cast<POINT*>(&tb), 2);
        EXPECT_LE(tb.bottom, bar.bottom);
        EXPECT_LE(bar.bottom, f.TabStrip1.Top()) << "look " << os;

        ASSERT_EQ(SendMessageA(Toolbar(), TB_BUTTONCOUNT, 0, 0), 10);
        const int images[10] = {0, 1, 2, -1, 3, 4, -1, 6, -1, 5};
        for (int p = 0; p < 10; ++p) {
            TBBUTTON b{};
            SendMessageA(Toolbar(), TB_GETBUTTON, static_cast<WPARAM>(p), reinterpret_cast<LPARAM>(&b));
            EXPECT_EQ(b.idCommand, p + 1);
            EXPECT_EQ((b.fsStyle & BTNS_SEP) != 0, images[p] < 0) << p;
            if (images[p] >= 0) {
                EXPECT_EQ(b.iBitmap, images[p]) << p;
            }
        }
        EXPECT_EQ(ImageList_GetImageCount(f.m_ImageList->hImageList), 7);
        HIMAGELIST shown = reinterpret_cast<HIMAGELIST>(SendMessageA(Toolbar(), TB_GETIMAGELIST, 0, 0));
        EXPECT_EQ(shown, f.m_ImageList->hImageList);
        ExpectStartStates();

        ASSERT_EQ(gToolbarButtons.size(), 7u);
        EXPECT_EQ(gToolbarButtons[1].HelpText, "Open a existing skin from disk");
        EXPECT_EQ(gToolbarButtons[5].TipText, "Update Preview");
        EXPECT_EQ(gToolbarButtons[6].TipText, "What This?");
        EXPECT_EQ(gToolbarButtons[6].HelpText, "Show a short quick help for any object");
        f.Unload();
        gFrmDesigner.reset();
    }
}

TEST_F(ToolbarTest, EachButtonRunsItsCommandAndDisabledOnesAndSeparatorsDoNothing) {
    frmDesigner& f = OpenWithSkins();
    // Disabled at start: Save writes nothing, the previews do nothing.
    f.txtSkinName.SetText("Ghost");
    for (int p : {2, 4, 5, 3, 6, 8}) Click(p);
    EXPECT_FALSE(PathExists(skins + "\\Ghost.ini"));
    EXPECT_TRUE(prompts.asked.empty());

    // New: its prompt, then the skin; the three buttons come on.
    prompts.Answer(IDNO);
    prompts.AnswerInput("Dark");
    Click(0);
    ASSERT_EQ(prompts.inputPrompts.size(), 1u);
    EXPECT_EQ(prompts.inputPrompts[0].substr(0, 29), "Enter the filename (not the e");
    ASSERT_TRUE(PathExists(skins + "\\Dark.ini"));
    ExpectSkinStates();

    // Save, now enabled, writes the edit.
    f.txtAuthor.SetText("Toolbar author");
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
    Click(2);
    EXPECT_NE(ReadBytes(skins + "\\Dark.ini").find("Author=Toolbar author\r\n"), std::string::npos);
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");

    // Open shows the skin dialog.
    {
        DialogDriver driver(DialogPlan::Cancel());
        Click(1);
        EXPECT_TRUE(driver.Done()) << driver.Failure();
        EXPECT_EQ(driver.Seen().title, "Open Skin");
    }

    // What This? puts the window into What's This mode (any time); Escape ends it.
    static bool s_InMode = false;
    s_InMode = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        s_InMode = gFrmDesigner->InWhatsThisMode();
        PostMessageA(gFrmDesigner->Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    ASSERT_NE(timer, 0u);
    Click(9);
    EXPECT_TRUE(s_InMode);
    EXPECT_FALSE(f.InWhatsThisMode());

    // Update Preview and the preview buttons ask nothing; no position outside the
    // buttons runs anything.
    const size_t asked = prompts.asked.size(), inputs = prompts.inputPrompts.size();
    {
        DialogDriver none(DialogPlan::NoDialog());
        for (int p : {7, 4, 5}) Click(p);
        for (int p : {-1, 3, 6, 8, 10, 11}) f.ButtonInfo_ButtonClick(p);
        // A menu command, even one whose number is a button's, is not a button click.
        for (WPARAM id = 1; id <= 10; ++id) SendMessageA(f.Hwnd(), WM_COMMAND, id, 0);
        PumpUntil([] { return false; }, 400);
    }
    EXPECT_EQ(prompts.asked.size(), asked);
    EXPECT_EQ(prompts.inputPrompts.size(), inputs);
}

TEST_F(ToolbarTest, OpeningASkinOrARecentFileEnablesSaveAndThePreviews) {
    const std::string file = skins + "\\Blue.ini";
    CreateDirectoryA(skins.c_str(), nullptr);
    WriteBytes(file, "[Vexo]\r\nname=Blue\r\n");
    frmDesigner& f = OpenWithSkins();
    {
        DialogDriver driver(DialogPlan::ChooseFile(file));
        f.mnuFileOpen_Click();
        ASSERT_TRUE(driver.Done()) << driver.Failure();
    }
    ExpectSkinStates();
    f.Unload();
    gFrmDesigner.reset();

    // The next start lists it; the recent file alone turns the buttons on.
    frmDesigner& g = Open("");
    ExpectStartStates();
    ASSERT_EQ(g.Menu("mnuRecentFile", 1).Caption(), file);
    g.mnuRecentFile_Click(1);
    EXPECT_EQ(g.sb1.PanelText("skin"), "Blue");
    ExpectSkinStates();

    // A file whose upgrade is refused is not read: the buttons keep their state.
    g.Unload();
    gFrmDesigner.reset();
    WriteBytes(skins + "\\Old.ini", "name=Old\r\n");
    frmDesigner& h = Open("");
    prompts.Answer(IDCANCEL);
    EXPECT_FALSE(h.OpenFile(skins + "\\Old.ini"));
    ExpectStartStates();
}

TEST_F(ToolbarTest, HoveringUpdatePreviewShowsItsTipAndItsHelpUntilTheFrameIsCrossed) {
    frmDesigner& f = OpenWithSkins();
    HWND tips = reinterpret_cast<HWND>(SendMessageA(Toolbar(), TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tips, nullptr);
    // The pointer rests on the button: the tooltip asks the window, which answers.
    // Tips show only in the active window, and parallel tests take the activation
    // and centre their windows: the top-left corner is ours, and the wait keeps the
    // window active.
    SetWindowPos(f.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
    const RECT r = ButtonRect(7);
    const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    auto rest = [&] {
        SetForegroundWindow(f.Hwnd());
        POINT screen = at;
        ClientToScreen(Toolbar(), &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageA(Toolbar(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    };
    rest();
    ASSERT_TRUE(PumpUntil([&] {
        if (GetForegroundWindow() != f.Hwnd()) rest();
        return f.sb1.PanelText("msg") == "Update all the preview windows, if any is open";
    })) << "msg: " << f.sb1.PanelText("msg");
    EXPECT_EQ(gTipText, "Update Preview");

    // The frame, title or menu bar clears the hint.
    SendMessageA(f.Hwnd(), WM_NCMOUSEMOVE, HTCAPTION, 0);
    EXPECT_EQ(f.sb1.PanelText("msg"), "");

    // Asked directly with the platform's record: the tip's address goes back in it.
    NMTTDISPINFOA info = AskTip(8);
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, "Update Preview");
    EXPECT_EQ(f.sb1.PanelText("msg"), "Update all the preview windows, if any is open");
    info = AskTip(10);
    EXPECT_STREQ(info.lpszText, "What This?");

    // Id 0 is the dummy: the hint is cleared and no tip is given.
    info = AskTip(0);
    EXPECT_EQ(info.lpszText, nullptr);
    EXPECT_EQ(info.szText[0], '\0');
    EXPECT_EQ(f.sb1.PanelText("msg"), "");
    // An id no button has changes nothing.
    f.ButtonInfo_ButtonHelp("kept");
    info = AskTip(77);
    EXPECT_EQ(info.lpszText, nullptr);
    EXPECT_EQ(f.sb1.PanelText("msg"), "kept");
}

TEST_F(ToolbarTest, TheStatusBarPictureTellsChangedOrSavedAsThePointerCrossesIt) {
    frmDesigner& f = OpenWithSkins();
    const RECT bar = f.sb1.Bounds();
    const LPARAM at = MAKELPARAM(bar.right - 40, 5);
    f.MarkSkinChanged();
    SendMessageA(f.sb1.Hwnd(), WM_MOUSEMOVE, 0, at);
    EXPECT_EQ(f.sb1.PanelByKey("img").toolTip, "Changed");
    f.MarkSkinSaved();
    SendMessageA(f.sb1.Hwnd(), WM_MOUSEMOVE, 0, at);
    EXPECT_EQ(f.sb1.PanelByKey("img").toolTip, "Saved");
    // Any picture other than the changed one counts as saved.
    f.sb1.SetPanelPicture("img", f.imgHand.GetPicture());
    f.MarkSkinChanged();
    f.sb1.SetPanelPicture("img", f.imgEye.GetPicture());
    SendMessageA(f.sb1.Hwnd(), WM_MOUSEMOVE, 0, at);
    EXPECT_EQ(f.sb1.PanelByKey("img").toolTip, "Saved");
}

TEST_F(ToolbarTest, AMissingToolbarBitmapIsReportedByTheLoad) {
    SetToolbarFirstBitmapId(9001);
    Open();
    ASSERT_FALSE(prompts.asked.empty());
    EXPECT_NE(prompts.asked[0].text.find("in procedure Form_Load of Form frmDesigner"), std::string::npos)
        << prompts.asked[0].text;
    EXPECT_EQ(prompts.asked[0].text.substr(0, 6), "Error ");
}

TEST_F(ToolbarTest, TheWindowGetsItsOwnProcedureBackAndASecondWindowWorks) {
    auto counts = [] { return std::make_pair(CountGdiObjects(), CountUserObjects()); };
    std::pair<int, int> first{};
    for (int round = 0; round < 3; ++round) {
        frmDesigner& f = OpenWithSkins();
        EXPECT_EQ(GetWindowLongPtrA(f.Hwnd(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(ParentWndProc));
        EXPECT_EQ(gToolbarObject, f.m_ToolBar.get());
        EXPECT_EQ(gToolbarParentHwnd, f.Hwnd());
        // A cancelled close keeps the toolbar working.
        f.MarkSkinChanged();
        prompts.Answer(IDCANCEL);
        EXPECT_FALSE(f.Unload());
        ASSERT_NE(f.m_ToolBar, nullptr);
        prompts.Answer(IDNO);
        prompts.AnswerInput("");
        const size_t before = prompts.inputPrompts.size();
        Click(0);
        EXPECT_EQ(prompts.inputPrompts.size(), before + 1) << round;

        HWND window = f.Hwnd();
        HWND toolbar = Toolbar();
        f.MarkSkinSaved();
        ASSERT_TRUE(f.Unload());
        EXPECT_FALSE(IsWindow(window));
        EXPECT_FALSE(IsWindow(toolbar));
        EXPECT_EQ(gToolbarObject, nullptr);
        EXPECT_EQ(gOldParentWndProc, nullptr);
        gFrmDesigner.reset();
        if (round == 0) first = counts();
    }
    const auto last = counts();
    EXPECT_LE(last.first, first.first);
    EXPECT_LE(last.second, first.second);
}

}  // namespace
