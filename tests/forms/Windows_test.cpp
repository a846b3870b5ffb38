#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "AppError.h"
#include "CommonControls.h"
#include "Form.h"
#include "Label.h"
#include "PictureBox.h"
#include "PromptScript.h"
#include "RealBox.h"
#include "StdControls.h"
#include "Twips.h"

namespace {

using Log = std::vector<std::string>;
using std::to_string;

Log Take(Log& log) { return std::exchange(log, {}); }

// Logs "name Event button shift x,y" and "name Click".
void Watch(Control& c, Log& log) {
    auto mouse = [&log, &c](const char* event) {
        return [&log, &c, event](int button, int shift, float x, float y) {
            log.push_back(c.Name() + " " + event + " " + to_string(button) + " " + to_string(shift) + " " +
                          to_string(int(x)) + "," + to_string(int(y)));
        };
    };
    c.MouseDown = mouse("Down");
    c.MouseMove = mouse("Move");
    c.MouseUp = mouse("Up");
    c.Click = [&log, &c] { log.push_back(c.Name() + " Click"); };
}

void Send(HWND w, UINT msg, WPARAM keys, int x, int y) { SendMessageA(w, msg, keys, MAKELPARAM(x, y)); }
void LeftClick(HWND w, int x, int y) { Send(w, WM_LBUTTONDOWN, MK_LBUTTON, x, y); Send(w, WM_LBUTTONUP, 0, x, y); }

// Holds keys down in the thread's keyboard state, as GetKeyState sees it.
struct HeldKeys {
    explicit HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(saved.data());
        auto state = saved;
        for (int k : keys) state[k] = 0x80;
        SetKeyboardState(state.data());
    }
    ~HeldKeys() { SetKeyboardState(saved.data()); }
    std::array<BYTE, 256> saved{};
};

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override { form.Load(); }
    PromptScript prompts;
    Form form{"frmTest"};
};

TEST_F(FormsTest, WindowlessLabelsTakeTheMouseInTheirContainerAndPaintOverIt) {
    PictureBox box("picBox");
    box.Create(form, 0, 0, 200, 100);
    Label under("lblUnder"), top("lblTop"), hidden("lblHidden"), off("lblOff");
    Log log;
    Watch(box, log);
    for (auto [l, x, y, w] : {std::tuple{&under, 10, 10, 50}, {&top, 40, 15, 30}, {&hidden, 100, 10, 20}, {&off, 130, 10, 20}}) {
        l->Move(x, y, w, 20);
        Watch(*l, log);
        box.Add(*l);
    }
    hidden.SetVisible(false);
    off.SetEnabled(false);
    const HWND w = box.Hwnd();

    Send(w, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 15, 16);
    Send(w, WM_LBUTTONUP, MK_SHIFT, 15, 16);
    EXPECT_EQ(Take(log), (Log{"lblUnder Down 1 1 5,6", "lblUnder Up 1 1 5,6", "lblUnder Click"}));
    // The later label lies on top; a right button is no click; hidden and disabled labels let the box have it.
    Send(w, WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, 45, 20);
    Send(w, WM_RBUTTONUP, MK_CONTROL, 45, 20);
    EXPECT_EQ(Take(log), (Log{"lblTop Down 2 2 5,5", "lblTop Up 2 2 5,5"}));
    for (int x : {105, 135}) {
        LeftClick(w, x, 15);
        const std::string at = to_string(x) + ",15";
        EXPECT_EQ(Take(log), (Log{"picBox Down 1 0 " + at, "picBox Up 1 0 " + at, "picBox Click"}));
    }
    // Whoever took the press keeps the mouse; a release outside it is no click.
    Send(w, WM_LBUTTONDOWN, MK_LBUTTON, 15, 16);
    Send(w, WM_MOUSEMOVE, MK_LBUTTON, 150, 80);
    Send(w, WM_LBUTTONUP, 0, 150, 80);
    Send(w, WM_LBUTTONDOWN, MK_LBUTTON, 190, 90);
    Send(w, WM_LBUTTONUP, 0, 250, 150);
    EXPECT_EQ(Take(log), (Log{"lblUnder Down 1 0 5,6", "lblUnder Move 1 0 140,70", "lblUnder Up 1 0 140,70",
                              "picBox Down 1 0 190,90", "picBox Up 1 0 250,150"}));

    // A label that goes away leaves its container.
    {
        Label gone("lblGone");
        gone.Move(0, 50, 30, 30);
        box.Add(gone);
        EXPECT_EQ(box.HitTest(POINT{5, 60}), &gone);
    }
    EXPECT_EQ(box.HitTest(POINT{5, 60}), nullptr);

    // Painted over the image, never into it: opaque, transparent, hidden, system colour.
    box.SetBackColor(RGB(255, 0, 0));
    under.SetBackColor(RGB(0, 0, 255));
    top.SetTransparent(true);
    off.SetBackColor(SystemColor(COLOR_BTNFACE));
    box.PSet(15, 15, RGB(0, 255, 0));
    form.Show();
    UpdateWindow(w);
    WindowDC dc(w);
    EXPECT_EQ(box.Point(15, 15), int32_t(RGB(0, 255, 0)));
    EXPECT_EQ(GetPixel(dc.Get(), 15, 15), RGB(0, 0, 255));
    for (int x : {5, 65, 105}) EXPECT_EQ(GetPixel(dc.Get(), x, 20), RGB(255, 0, 0)) << x;
    EXPECT_EQ(GetPixel(dc.Get(), 135, 20), GetSysColor(COLOR_BTNFACE));
}

TEST_F(FormsTest, ControlsFireTheirEventsReportHandlerErrorsAndStatusPanelsShareTheWidth) {
    Label swatch("lblSwatch");
    swatch.Move(0, 0, 20, 20);
    form.Add(swatch);
    swatch.Click = [] { throw AppError(5, "x"); };
    LeftClick(form.Hwnd(), 5, 5);

    // A locked box takes no typing, yet the program may still change it.
    TextBox text("txtName");
    text.Create(form, 30, 0, 120, 20, "abc");
    Log changes;
    text.Change = [&] { changes.push_back(text.Text()); };
    text.SetLocked(true);
    SendMessageA(text.Hwnd(), WM_CHAR, 'r', 1);
    text.SetText("");
    EXPECT_EQ(changes, Log{""});

    CommandButton button("cmdGo");
    button.Create(form, 0, 30, 80, 24, "Go");
    button.Click = [] { throw std::runtime_error("boom"); };
    SendMessageA(button.Hwnd(), BM_CLICK, 0, 0);

    CheckBox check("chkBold");
    check.Create(form, 0, 60, 80, 20, "Bold");
    Log values;
    check.Click = [&] { values.push_back(to_string(check.Value())); };
    check.SetValue(1);
    check.SetValue(1);
    SendMessageA(check.Hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(values, (Log{"1", "0"}));

    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[0].text, "Error 5 (x) in procedure lblSwatch_Click of Form frmTest");
    EXPECT_EQ(prompts.asked[0].title, "Vexo VadiVirerova");
    EXPECT_EQ(prompts.asked[1].text, "Error 51 (boom) in procedure cmdGo_Click of Form frmTest");

    StatusBar bar("sbStatus");
    bar.Create(form, {{"msg", "Ready", "", 0, 0, {}}, {"file", "a.ini", "", 1500, 0, {}}, {"state", "", "", 750, 0, {}}});
    bar.SetPanelText("msg", "Busy");
    char panel[64] = {0};
    SendMessageA(bar.Hwnd(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(panel));
    EXPECT_STREQ(panel, "Busy");
    EXPECT_THROW(bar.SetPanelText("nope", "x"), AppError);
    // The spring panel takes what the others leave, as the form's width changes.
    SetWindowPos(form.Hwnd(), nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(form.Hwnd(), &client);
    const int last = TwipsToPixelsX(750), fixed = TwipsToPixelsX(1500) + last;
    EXPECT_EQ(bar.PanelRights(), (std::vector<int>{client.right - fixed, client.right - last, int(client.right)}));
}

// Arrays, hidden and disabled items, and shortcuts of the form layer; the designer's
// tests cover captions, popups and the item states its handlers compute.
TEST(Menus, FollowTheirTableAndState) {
    Form form("frmTest");
    MenuBar& menus = form.Menus();
    menus.Build({{0, "mnuFile", "&File", nullptr}, {1, "mnuNew", "&New", "Ctrl+N"}, {1, "mnuSecret", "Secret", nullptr, false},
                 {1, "mnuRecent", "One", nullptr, true, 0}, {1, "mnuRecent", "Two", nullptr, true, 1},
                 {0, "mnuHelp", "&Help", nullptr}, {1, "mnuAbout", "&About", "F1"}});
    form.Load();
    TextBox edit("txtFind");
    edit.Create(form, 0, 0, 100, 20);
    Log log;
    menus.Item("mnuFile").Click = [&] { log.push_back("File"); };
    for (const char* name : {"mnuNew", "mnuAbout"}) menus.Item(name).Click = [&log, name] { log.push_back(name); };
    for (int i : {0, 1}) menus.Item("mnuRecent", i).Click = [&log, i] { log.push_back("Recent" + to_string(i)); };
    EXPECT_EQ(GetMenuItemCount(menus.Item("mnuFile").Popup()), 3);
    menus.Item("mnuRecent", 1).SetEnabled(false);
    SendMessageA(form.Hwnd(), WM_COMMAND, MAKEWPARAM(menus.Item("mnuRecent", 0).Id(), 0), 0);
    SendMessageA(form.Hwnd(), WM_COMMAND, MAKEWPARAM(menus.Item("mnuRecent", 1).Id(), 0), 0);
    EXPECT_EQ(Take(log), Log{"Recent0"});

    // From any control, with exactly their modifiers; the top menu's Click runs first, as
    // opening the menu would, even when the item then refuses; a hidden menu's items take none.
    SendMessageA(form.Hwnd(), WM_KEYDOWN, 'N', 0);
    SendMessageA(form.Hwnd(), WM_KEYDOWN, VK_F1, 0);
    {
        HeldKeys ctrl{VK_CONTROL};
        SendMessageA(edit.Hwnd(), WM_KEYDOWN, 'N', 0);
        SendMessageA(form.Hwnd(), WM_KEYDOWN, VK_F1, 0);
        menus.Item("mnuNew").SetEnabled(false);
        SendMessageA(edit.Hwnd(), WM_KEYDOWN, 'N', 0);
    }
    {
        HeldKeys shift{VK_SHIFT};
        SendMessageA(form.Hwnd(), WM_KEYDOWN, VK_F1, 0);
    }
    menus.Item("mnuHelp").SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(menus.Handle()), 1);
    SendMessageA(form.Hwnd(), WM_KEYDOWN, VK_F1, 0);
    EXPECT_EQ(log, (Log{"mnuAbout", "File", "mnuNew", "File"}));
    EXPECT_THROW(menus.Item("mnuRecent", 2), AppError);
}

TEST(Menus, LiteralCaptionsShowEveryAmpersandAndGiveTheTextBack) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\t\\R&D.ini", "C:\\t\\R&&D.ini"}, {"&&", "&&&&"}, {"a&", "a&&"}, {"&b&&c", "&&b&&&&c"}, {"plain", "plain"}, {"", ""}};
    for (auto [text, caption] : cases) {
        EXPECT_EQ(LiteralCaption(text), caption);
        EXPECT_EQ(LiteralText(caption), text);
    }
}

class TestForm : public Form {
public:
    TestForm() : Form("frmTest") {}
    ~TestForm() override { Destroy(); }
    Log log;
    int cancelUnloads = 0;
    HWND other = nullptr;
    TextBox text{"txtIn"};

protected:
    void CreateControls() override {
        log.push_back("CreateControls");
        text.Create(*this, 0, 0, 100, 20);
    }
    void Form_Load() override { log.push_back(text.Hwnd() ? "Load" : "Load without controls"); }
    void Form_Unload(bool& cancel) override {
        log.push_back(other && !IsWindowEnabled(other) ? "Unload while other disabled" : "Unload");
        cancel = cancelUnloads > 0;
        cancelUnloads -= cancel;
    }
    void Form_KeyDown(int key, int shift) override { log.push_back("KeyDown " + to_string(key) + " " + to_string(shift)); }
    void Form_KeyUp(int key, int shift) override {
        log.push_back("KeyUp " + to_string(key) + " " + to_string(shift) + (key == VK_ESCAPE && EscapeWentDownHere() ? " here" : ""));
    }
};

TEST(Forms, LoadSizesInTwipsPreviewsKeysAndModalShowGivesTheActivationBack) {
    Form owner("frmOwner");
    owner.Show();
    TestForm form;
    form.other = owner.Hwnd();
    form.SetDesignClientSize(3000, 1500);
    form.Load();
    EXPECT_EQ(Take(form.log), (Log{"CreateControls", "Load"}));
    EXPECT_EQ(std::pair(form.ScaleWidth(), form.ScaleHeight()), std::pair(TwipsToPixelsX(3000), TwipsToPixelsY(1500)));
    form.SetWidth(6000);
    EXPECT_EQ(form.Width(), PixelsToTwipsX(TwipsToPixelsX(6000)));

    {
        HeldKeys keys{VK_SHIFT, VK_CONTROL};
        SendMessageA(form.text.Hwnd(), WM_KEYDOWN, 'A', 0);
        form.KeyPreview = true;
        SendMessageA(form.text.Hwnd(), WM_KEYDOWN, 'A', 0);
    }
    SendMessageA(form.text.Hwnd(), WM_KEYUP, 'A', 0);
    EXPECT_EQ(Take(form.log), (Log{"KeyDown 65 3", "KeyUp 65 0"}));

    // A cancelled unload keeps the form; shown modal it runs until it unloads, and the
    // window it disabled has its input and the activation back.
    const HWND window = form.Hwnd();
    form.cancelUnloads = 2;
    EXPECT_FALSE(form.Unload());
    EXPECT_TRUE(IsWindow(window));
    SetActiveWindow(owner.Hwnd());
    PostMessageA(window, WM_CLOSE, 0, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    form.Show(true);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(IsWindowEnabled(owner.Hwnd()));
    EXPECT_EQ(GetActiveWindow(), owner.Hwnd());
    EXPECT_EQ(form.log, (Log{"Unload", "Unload while other disabled", "Unload while other disabled"}));
}

// A real box keeps every other window that took input waiting, and gives exactly those their
// input back and the activation to the window it came from; with the hook set nothing waits.
TEST(Forms, RealBoxesKeepTheOtherWindowsWaitingAndGiveTheActivationBack) {
    Form a("frmA"), hidden("frmHidden"), off("frmOff");
    TestForm b;
    a.Show(), b.Show(), off.Show(), hidden.Load();
    EnableWindow(off.Hwnd(), FALSE);
    const std::vector<HWND> watched{a.Hwnd(), b.Hwnd(), off.Hwnd(), hidden.Hwnd()};
    auto enabled = [&] {
        std::vector<bool> e;
        for (HWND w : watched) e.push_back(IsWindowEnabled(w) != FALSE);
        return e;
    };
    const std::vector<bool> before{true, true, false, true}, waiting{false, false, false, true};

    SetActiveWindow(b.Hwnd());
    SetFocus(b.text.Hwnd());
    {
        RealBox box(watched);
        EXPECT_EQ(MsgBox("Is it there?", MB_OKCANCEL), IDOK);
        box.Finish();
        EXPECT_EQ(box.title, "Vexo VadiVirerova");
        EXPECT_NE(box.text.find("Is it there?"), std::string::npos) << box.text;
        EXPECT_EQ(box.enabledWhile, waiting);
    }
    EXPECT_EQ(enabled(), before);
    EXPECT_EQ(GetActiveWindow(), b.Hwnd());
    EXPECT_EQ(GetFocus(), b.text.Hwnd());

    SetActiveWindow(a.Hwnd());
    {
        RealBox box(watched, [](HWND input) {
            SetWindowTextA(FindWindowExA(input, nullptr, "Edit", nullptr), "Night");
            RealBox::PressOk(input);
        });
        EXPECT_EQ(InputBox("Name?", "Rename skin"), "Night");
        box.Finish();
        EXPECT_EQ(box.title, "Rename skin");
        EXPECT_EQ(box.enabledWhile, waiting);
    }
    EXPECT_EQ(enabled(), before);
    EXPECT_EQ(GetActiveWindow(), a.Hwnd());

    // Answered by the hook, no box shows and nothing waits.
    std::vector<bool> whileAsked;
    PromptHook hook;
    hook.msgBox = [&](const std::string&, UINT, const std::string&) { return whileAsked = enabled(), IDYES; };
    hook.inputBox = [&](const std::string&, const std::string&, const std::string&) { return whileAsked = enabled(), "x"; };
    const PromptHook old = SetPromptHook(hook);
    EXPECT_EQ(MsgBox("Sure?", MB_YESNO), IDYES);
    EXPECT_EQ(whileAsked, before);
    whileAsked.clear();
    EXPECT_EQ(InputBox("Name?"), "x");
    EXPECT_EQ(whileAsked, before);
    SetPromptHook(old);
}

// Escape acts on a form only when it went down there: not the Escape that answered a box
// over it, nor one whose key-down another window took.
TEST(Forms, EscapeActsOnlyWhenItWentDownInTheFormThatKeptTheActivation) {
    Form a("frmA");
    TestForm b;
    a.Show(), b.Show();
    b.KeyPreview = true;
    auto escape = [&](bool down, bool up) {
        if (down) SendMessageA(b.text.Hwnd(), WM_KEYDOWN, VK_ESCAPE, 1);
        if (up) SendMessageA(b.text.Hwnd(), WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001));
    };
    b.log.clear();
    escape(true, true);
    escape(false, true);
    escape(true, false);
    SetActiveWindow(a.Hwnd());  // another window took the key over
    escape(false, true);
    SetActiveWindow(b.Hwnd());
    {
        RealBox box({b.Hwnd()}, RealBox::PressEscape,
                    [&] { PostMessageA(b.text.Hwnd(), WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001)); });
        EXPECT_EQ(MsgBox("Escape answers me", MB_OKCANCEL), IDCANCEL);
        box.Finish();
    }
    escape(true, true);
    EXPECT_EQ(b.log, (Log{"KeyDown 27 0", "KeyUp 27 0 here", "KeyUp 27 0", "KeyDown 27 0", "KeyUp 27 0", "KeyUp 27 0",
                          "KeyDown 27 0", "KeyUp 27 0 here"}));
}

}  // namespace
