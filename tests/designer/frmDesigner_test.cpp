#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "DesignerFixture.h"
#include "ObjectCounts.h"
#include "RealBox.h"
#include "Twips.h"
#include "frmPreInput.h"

namespace {

RECT ChildRectInParent(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(DesignerTest, LoadsWithItsSizePagesControlsAndSettingsAndSwitchesPages) {
    frmDesigner& f = Open("[Options]\r\nFirstRun=0\r\nUseDefault=1\r\nCopyBitmapToSkinFolder=Falso\r\n"
                          "SkinsFolder=C:\\Vexo\\Skins\r\n");
    ASSERT_TRUE(f.IsVisible());
    EXPECT_EQ(f.Caption(), "Vexo Vadi Virerova");
    EXPECT_NEAR(f.Width(), 8700, 15);
    EXPECT_NEAR(f.Height(), 7100, 15);
    EXPECT_FALSE(GetWindowLongA(f.Hwnd(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    EXPECT_TRUE(prompts.asked.empty());  // not the first run

    for (int i = 1; i <= 5; ++i) {
        const RECT r = ChildRectInParent(f.picTab(i).Hwnd());
        EXPECT_EQ(std::vector<long>({r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  std::vector<long>({TwipsToPixelsX(360), TwipsToPixelsY(1050), TwipsToPixelsX(7875), TwipsToPixelsY(4765)}))
            << i;
        EXPECT_EQ(IsWindowVisible(f.picTab(i).Hwnd()) != 0, i == 1) << i;
    }
    EXPECT_EQ(f.TabStrip1.TabCount(), 5);
    EXPECT_EQ(f.TabStrip1.TabAt(3).caption, "Buttons");
    EXPECT_EQ(f.lblTab(2).Caption(), "On this tab you must indicate all the images (bmp) filename used.");
    EXPECT_FALSE(IsWindowEnabled(f.TabStrip1.Hwnd()));
    EXPECT_TRUE(GetWindowLongA(f.TabStrip1.Hwnd(), GWL_STYLE) & TCS_HOTTRACK);

    // Slots 0-10 on Images, 11-24 on Buttons; swatches 0-31 on Colors, 32-37 on Menu.
    EXPECT_EQ(f.lblBmp(8).Caption(), "ComboForeground :");
    EXPECT_EQ(f.lblBmp(19).Caption(), "Out  MPEG:");
    EXPECT_EQ(f.lblBmp(10).GetContainer(), &f.picTab(2));
    EXPECT_EQ(f.lblBmpName(11).GetContainer(), &f.picTab(3));
    EXPECT_EQ(f.lblBmpName(24).MousePointer(), 99);
    EXPECT_EQ(f.lblCtrl(0).Caption(), "Light Color:");
    EXPECT_EQ(f.lblCtrlColor(31).GetContainer(), &f.picTab(4));
    EXPECT_EQ(f.lblCtrlColor(32).GetContainer(), &f.picTab(5));
    RECT frame = ChildRectInParent(f.cmd1(3).Hwnd());
    EXPECT_EQ(f.cmd1(3).Caption(), "Buttons");
    EXPECT_EQ(frame.left, 11);
    EXPECT_EQ(frame.bottom - frame.top, 98);
    EXPECT_EQ(GetWindowLongA(f.cmd1(3).Hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(f.txtFontWeight.Text(), "600");

    EXPECT_EQ(f.sb1.PanelByKey("color").toolTip, "Current pick color");
    std::vector<int> rights = f.sb1.PanelRights();
    ASSERT_EQ(rights.size(), 5u);
    EXPECT_EQ(rights[4] - rights[3], TwipsToPixelsX(2540));
    EXPECT_EQ(rights[2] - rights[1], TwipsToPixelsX(636));

    EXPECT_EQ(gSkinsFolder, "C:\\Vexo\\Skins");
    EXPECT_TRUE(f.Menu("mnuOptionsUseDefault").Checked());
    EXPECT_FALSE(f.Menu("mnuOptionsCopyBMP").Checked());

    // The real menu bar: four menus; hidden items absent; shortcuts shown.
    HMENU bar = GetMenu(f.Hwnd());
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    HMENU file = GetSubMenu(bar, 0);
    SendMessageA(f.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    EXPECT_EQ(GetMenuItemCount(file), 7);  // New, Open, Save, bar, Rename, bar, Exit
    char text[128];
    GetMenuStringA(file, 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Save current skin\tCtrl+S");
    EXPECT_EQ(f.Menu("mnuRecentFile", 10).Caption(), "RecentFile10");

    // A tab switch shows one page and moves the colour swatch.
    const RECT swatch = f.picColor.Bounds();
    f.TabStrip1.SetEnabled(true);
    f.TabStrip1.Select(3);
    EXPECT_TRUE(f.picTab(3).Visible());
    EXPECT_FALSE(f.picTab(1).Visible());
    EXPECT_EQ(GetParent(f.picColor.Hwnd()), f.picTab(3).Hwnd());
    const RECT moved = ChildRectInParent(f.picColor.Hwnd());
    EXPECT_TRUE(moved.left == swatch.left && moved.top == swatch.top);
    f.TabStrip1.Select(4);
    EXPECT_EQ(GetParent(f.picColor.Hwnd()), f.picTab(3).Hwnd());  // only pages 2 and 3 take it

    // A real pick on the strip runs the same switch.
    SendMessageA(f.TabStrip1.Hwnd(), TCM_SETCURSEL, 4, 0);
    NMHDR nm{f.TabStrip1.Hwnd(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(f.Hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(f.picTab(i).Visible(), i == 5) << i;
}

TEST_F(DesignerTest, MissingGarbageOrUnmakeableSettingsGiveTheDefaults) {
    {
        frmDesigner& f = Open("");  // no settings file at all
        EXPECT_EQ(ReadBytes(dir / "VexoVadiVirerova.ini"), "");
        ASSERT_EQ(prompts.asked.size(), 1u);  // FirstRun defaults to "1"
        EXPECT_EQ(prompts.asked[0].text,
                  "Welcome to the Vexo Vadi Virerova!\r\nThis is the first time that use this program,\r\n"
                  "and to work correctly need to set the Skins\r\nfolder of Vexo. Click Yes to start search for\r\n"
                  "Vexo\\Skins folder, otherwise choose No for cancel.");
        EXPECT_EQ(prompts.asked[0].style, 68u);
        EXPECT_EQ(prompts.asked[0].title, "Vexo VadiVirerova");
        EXPECT_TRUE(f.Menu("mnuOptionsCopyBMP").Checked());
        EXPECT_FALSE(f.Menu("mnuOptionsUseDefault").Checked());
        gFrmDesigner.reset();
    }
    const std::string garbage("\x00\x01[Options\xFF\r\nFirstRun\r\n=\r\n\x7F\x80", 25);
    EXPECT_TRUE(Open(garbage).IsVisible());
    EXPECT_EQ(ReadBytes(dir / "VexoVadiVirerova.ini"), garbage);  // read, never rewritten
    gFrmDesigner.reset();

    prompts.asked.clear();
    SetProgramFolder(dir / "no such folder");
    EXPECT_TRUE(Open("").IsVisible());
    ASSERT_FALSE(prompts.asked.empty());
    EXPECT_EQ(prompts.asked[0].text.rfind("Error 3 (", 0), 0u) << prompts.asked[0].text;
    EXPECT_NE(prompts.asked[0].text.find(") in procedure Form_Load of Form frmDesigner"), std::string::npos);
}

TEST_F(DesignerTest, TheLookFollowsTheVersionAskedAgainAtLoad) {
    // Asked when the window is made and again when it loads: the second answer counts.
    SetOSVersionOverride(5);
    WriteBytes(dir / "VexoVadiVirerova.ini", "[Options]\r\nFirstRun=0\r\n");
    gFrmDesigner = std::make_unique<frmDesigner>();
    SetOSVersionOverride(6);
    gFrmDesigner->Show();
    frmDesigner& f = *gFrmDesigner;
    EXPECT_EQ(gOSVersion, 6);
    EXPECT_NEAR(f.Height(), 7300, 15);
    EXPECT_FALSE(GetWindowLongA(f.TabStrip1.Hwnd(), GWL_STYLE) & TCS_HOTTRACK);
    PictureBox& page = f.picTab(4);
    EXPECT_EQ(page.Point(5, TwipsToPixelsY(4765) - 1), 0x00EEF3F4);  // the bottom bands are the second colour
    EXPECT_NE(page.Point(5, 0), 0x00EEF3F4);
    EXPECT_EQ(f.cmd1(0).BackColor(), page.Point(180, 104));  // the frame takes the gradient under it
    EXPECT_TRUE(f.lblBmpName(24).Transparent());
    EXPECT_FALSE(f.lblCtrlColor(37).Transparent());
    gFrmDesigner.reset();

    frmDesigner& plain = Open("[Options]\r\nFirstRun=0\r\n", 5);
    EXPECT_NEAR(plain.Height(), 7100, 15);
    EXPECT_EQ(plain.picTab(4).Point(5, 5), static_cast<int32_t>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(plain.cmd1(0).BackColor(), plain.picTab(4).BackColor());
    EXPECT_FALSE(plain.lblBmpName(0).Transparent());
}

TEST_F(DesignerTest, ChangedAndSavedShowInBothPanelsAndClosingAsksOnlyWhenChanged) {
    frmDesigner& f = Open();
    f.MarkSkinChanged();
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
    EXPECT_EQ(f.sb1.PanelPicture("img"), f.imgChanged.GetPicture());
    prompts.Answer(IDCANCEL);
    SendMessageA(f.Hwnd(), WM_CLOSE, 0, 0);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "The skin has changed. Save it?");
    EXPECT_EQ(prompts.asked[0].style, 35u);
    EXPECT_TRUE(f.IsVisible());
    prompts.Answer(IDYES);  // a save refused for want of a name keeps the window too
    EXPECT_FALSE(f.Unload());
    EXPECT_EQ(prompts.asked.back().text, "Name is missing! You must enter the Name for your skin, first.");
    EXPECT_TRUE(f.SkinIsChanged());

    f.MarkSkinSaved();
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");
    EXPECT_EQ(f.sb1.PanelPicture("img"), f.imgSaved.GetPicture());
    f.sb1.SetPanelText("msg", "hint");
    SendMessageA(f.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));  // bare background
    EXPECT_EQ(f.sb1.PanelText("msg"), "");
    EXPECT_TRUE(f.Unload());
    EXPECT_EQ(prompts.asked.size(), 3u);
}

TEST_F(DesignerTest, EndingTheSessionAsksAsClosingDoesAndThenDoesTheClosingWork) {
    const std::string dark = skins + "\\Dark.ini", gone = skins + "\\Gone.ini";
    frmDesigner& f = OpenWithSkins("[RecentsFiles]\r\nRecentFile1=" + gone + "\r\nRecentFile2=" + dark + "\r\n");
    WriteBytes(dark, "[Vexo]\r\nname=Dark\r\n");
    ASSERT_TRUE(Load(dark));
    auto queryEnd = [&] { return SendMessageA(f.Hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF); };
    EXPECT_EQ(queryEnd(), TRUE);  // unchanged: no question
    EXPECT_TRUE(prompts.asked.empty());

    f.txtAuthor.SetText("Ann");
    prompts.Answer(IDCANCEL);
    EXPECT_EQ(queryEnd(), FALSE);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "The skin has changed. Save it?");
    EXPECT_EQ(prompts.asked[0].style, 35u);
    EXPECT_TRUE(f.IsVisible() && f.txtAuthor.Text() == "Ann" && f.SkinIsChanged());

    SetFileAttributesA(dark.c_str(), FILE_ATTRIBUTE_READONLY);  // Yes, but the save fails
    prompts.Answer(IDYES);
    EXPECT_EQ(queryEnd(), FALSE);
    EXPECT_EQ(Said().rfind("Error 5 (", 0), 0u) << Said();
    EXPECT_TRUE(f.SkinIsChanged());
    SetFileAttributesA(dark.c_str(), FILE_ATTRIBUTE_NORMAL);
    prompts.Answer(IDYES);
    EXPECT_EQ(queryEnd(), TRUE);
    EXPECT_NE(ReadBytes(dark).find("Author=Ann\r\n"), std::string::npos);
    EXPECT_FALSE(f.SkinIsChanged());

    f.txtAuthor.SetText("Bob");
    prompts.Answer(IDNO);
    EXPECT_EQ(queryEnd(), TRUE);
    const size_t asked = prompts.asked.size();
    SendMessageA(f.Hwnd(), WM_ENDSESSION, FALSE, 0);  // another program kept the session going
    EXPECT_TRUE(f.IsLoaded() && f.txtAuthor.Text() == "Bob");
    const std::string settings = ReadBytes(dir / "VexoVadiVirerova.ini");
    EXPECT_NE(settings.find(gone), std::string::npos);
    SendMessageA(f.Hwnd(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(f.IsLoaded());
    EXPECT_EQ(prompts.asked.size(), asked);  // answered once
    EXPECT_NE(ReadBytes(dark).find("Author=Ann\r\n"), std::string::npos);
    // The closing's clean-up of the recent-files list ran: the missing file is gone from it.
    const std::string after = ReadBytes(dir / "VexoVadiVirerova.ini");
    EXPECT_EQ(after.find(gone), std::string::npos) << after;
    EXPECT_NE(after.find("RecentFile1=" + dark + "\r\n"), std::string::npos) << after;
}

// At shutdown (lParam 0) as at log-off, the ended session closes the window and does the closing work.
TEST_F(DesignerTest, TheSessionsEndAtShutdownAsAtLogOffDoesTheClosingWork) {
    const std::string dark = skins + "\\Dark.ini", gone = skins + "\\Gone.ini";
    for (const LPARAM how : {LPARAM(0), LPARAM(ENDSESSION_LOGOFF)}) {
        frmDesigner& f = OpenWithSkins("[RecentsFiles]\r\nRecentFile1=" + gone + "\r\nRecentFile2=" + dark + "\r\n");
        WriteBytes(dark, "[Vexo]\r\nname=Dark\r\n");
        ASSERT_TRUE(Load(dark));
        f.mnuPreviewInput_Click();
        ASSERT_TRUE(gFrmPreInput && gFrmPreInput->IsLoaded());
        const HWND preview = gFrmPreInput->Hwnd();
        const size_t asked = prompts.asked.size();  // the preview's word on its missing background
        EXPECT_EQ(SendMessageA(f.Hwnd(), WM_QUERYENDSESSION, 0, how), TRUE) << how;
        SendMessageA(f.Hwnd(), WM_ENDSESSION, TRUE, how);
        EXPECT_FALSE(f.IsLoaded()) << how;
        EXPECT_FALSE(gFrmPreInput || IsWindow(preview)) << how;
        const std::string after = ReadBytes(dir / "VexoVadiVirerova.ini");
        EXPECT_EQ(after.find(gone), std::string::npos) << how << after;
        EXPECT_NE(after.find("RecentFile1=" + dark + "\r\n"), std::string::npos) << how << after;
        EXPECT_EQ(prompts.asked.size(), asked) << how << Said();
    }
}

BOOL CALLBACK AddVisibleBox(HWND w, LPARAM lParam) {
    char name[16] = {};
    GetClassNameA(w, name, sizeof name);
    if (IsWindowVisible(w) && std::string(name) == "#32770") reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(w);
    return TRUE;
}

std::vector<HWND> VisibleBoxes(DWORD thread) {
    std::vector<HWND> boxes;
    EnumThreadWindows(thread, AddVisibleBox, reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

// The box that is showing, counted whether or not it is visible yet (it is seen at its activation),
// and every other visible box of the thread.
size_t BoxesBeside(HWND box, DWORD thread) {
    const std::vector<HWND> visible = VisibleBoxes(thread);
    return 1 + size_t(std::count_if(visible.begin(), visible.end(), [box](HWND w) { return w != box; }));
}

// From a real box's helper thread, while the box shows: the session's end is asked of the window
// (then, when told, ended), and the boxes of the test's thread are counted. A box the question
// raised is cancelled before the first is answered, so a fault can't keep the test waiting in it.
struct SessionEndOverBox {
    HWND window;
    int button;             // answers the box once the session's end was asked
    LPARAM end = -1;        // >= 0: then the session ends, with this lParam
    DWORD thread = GetCurrentThreadId();
    bool answered = false;  // at once, not after a wait for a box of its own
    LRESULT result = -1;
    size_t boxes = 0, boxesAfterEnd = 0;

    void operator()(HWND box) {
        DWORD_PTR r = 0;
        answered = SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &r) != 0;
        result = LRESULT(r);
        boxes = BoxesBeside(box, thread);
        if (end >= 0 && answered) {
            SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, end, SMTO_NORMAL, 5000, nullptr);
            boxesAfterEnd = BoxesBeside(box, thread);
        }
        for (HWND other : VisibleBoxes(thread))
            if (other != box) PostMessageA(other, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(box, WM_COMMAND, button, 0);
    }
};

// While a real message or input box shows, the session's end raises no second box and is answered
// at once: no while the skin is changed, since the user is answering; yes when nothing is lost.
// Once the box is answered, the window goes on as before.
TEST_F(DesignerTest, TheSessionsEndWhileABoxShowsAsksNothingMoreAndIsAnsweredAtOnce) {
    const std::string dark = skins + "\\Dark.ini", light = skins + "\\Light", gone = skins + "\\Gone.ini";
    frmDesigner& f = OpenWithSkins("[RecentsFiles]\r\nRecentFile1=" + gone + "\r\nRecentFile2=" + dark + "\r\n");
    WriteBytes(dark, "[Vexo]\r\nname=Dark\r\n");
    WriteBytes(light + ".ini", "[Vexo]\r\nname=Light\r\n");
    CreateDirectoryA(light.c_str(), nullptr);
    ASSERT_TRUE(Load(dark));
    struct Case {
        const char* what;
        bool changed;
        std::function<void()> raise;
        std::string text;  // of the box
        LPARAM end;
    } cases[] = {
        {"New's save question", true, [&] { f.mnuFileNew_Click(); }, "The skin has changed. Save it?", -1},
        {"Rename's input box", true, [&] { f.RenameSkinAt(light); }, "Enter the new name for skin: Light", -1},
        {"New's input box, unchanged", false, [&] { f.mnuFileNew_Click(); }, "Enter the filename (not the extension)", -1},
        {"Rename's input box, unchanged, at shutdown", false, [&] { f.RenameSkinAt(light); },
         "Enter the new name for skin: Light", 0},
    };
    for (const Case& c : cases) {
        if (c.changed) f.txtAuthor.SetText(std::string("by ") + c.what);
        else ASSERT_TRUE(f.FileSaveProc());
        const std::string author = f.txtAuthor.Text();
        SessionEndOverBox over{f.Hwnd(), IDCANCEL, c.end};
        {
            RealBox box({f.Hwnd()}, [&over](HWND b) { over(b); });
            c.raise();
            box.Finish();
            EXPECT_NE(box.text.find(c.text), std::string::npos) << c.what << ": " << box.text;
        }
        EXPECT_TRUE(over.answered) << c.what;
        EXPECT_EQ(over.result, c.changed ? FALSE : TRUE) << c.what;
        EXPECT_EQ(over.boxes, 1u) << c.what;
        // The box answered, all goes on: no box left, the window as it was and taking input.
        EXPECT_TRUE(VisibleBoxes(GetCurrentThreadId()).empty()) << c.what;
        EXPECT_TRUE(f.IsLoaded() && IsWindowEnabled(f.Hwnd())) << c.what;
        EXPECT_EQ(f.SkinIsChanged(), c.changed) << c.what;
        EXPECT_EQ(f.txtAuthor.Text(), author) << c.what;
        EXPECT_EQ(f.txtSkinName.Text(), "Dark") << c.what;
        EXPECT_TRUE(PathExists(light + ".ini") && PathExists(light)) << c.what;
        if (c.end >= 0) {
            // Ended beneath the box: the closing work that outlasts the program ran, and the
            // window stayed for the box's caller.
            EXPECT_EQ(over.boxesAfterEnd, 1u);
            EXPECT_EQ(ReadBytes(dir / "VexoVadiVirerova.ini").find(gone), std::string::npos);
        }
    }
    EXPECT_TRUE(prompts.asked.empty() && prompts.inputPrompts.empty()) << "the script was bypassed";
    // No box showing: the session's end asks as closing does.
    f.txtAuthor.SetText("Ann");
    prompts.Answer(IDCANCEL);
    EXPECT_EQ(SendMessageA(f.Hwnd(), WM_QUERYENDSESSION, 0, 0), FALSE);
    EXPECT_EQ(Said(), "The skin has changed. Save it?");
}

TEST_F(DesignerTest, LoadingAndUnloadingLeavesNoObjectsBehind) {
    auto counts = [] { return std::make_pair(CountGdiObjects(), CountUserObjects()); };
    std::pair<int, int> before, loaded;
    // The first load also makes what lives for the whole program (classes, caches); three more:
    // even one object per load shows as a difference.
    for (int i = 0; i < 4; ++i) {
        if (i == 1) before = counts();
        Open();
        if (i == 1) loaded = counts();
        gFrmDesigner->Unload();
        gFrmDesigner.reset();
    }
    // The probe sees the window's objects, so it would see them left behind.
    EXPECT_TRUE(loaded.first > before.first + 50 && loaded.second > before.second + 50);
    EXPECT_EQ(counts(), before);
}

}  // namespace
