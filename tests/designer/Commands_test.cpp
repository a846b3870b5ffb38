#include <windows.h>

#include <algorithm>

#include "DesignerFixture.h"
#include "DialogDriver.h"
#include "SkinTables.h"
#include "frmSplash.h"

namespace {

class CommandsTest : public DesignerTest {};

TEST_F(CommandsTest, NewMakesTheFolderAndTheFileWithOrWithoutTheDefaultValues) {
    frmDesigner& f = OpenWithSkins();
    f.txtAuthor.SetText("previous author");
    prompts.Answer(IDNO);  // the save prompt: the typed author stays in the window all the same
    prompts.AnswerInput("Dark.INI");
    f.mnuFileNew_Click();
    ASSERT_EQ(prompts.inputPrompts.size(), 1u);
    EXPECT_EQ(prompts.inputPrompts[0],
              "Enter the filename (not the extension) for new Skin :\r\n(note: this name is used for subfolder, also)");
    EXPECT_TRUE(PathExists(skins + "\\Dark"));
    const std::string file = ReadBytes(skins + "\\Dark.ini");
    for (const char* line : {"name=Dark\r\n", "directory=Skins\\Dark\r\n", "Author=previous author\r\n" /* defaults off */,
                             "background=\r\n", "MenuBar_DarkColor=0x000000\r\n",
                             "MenuBar_font_name=Tahoma\r\nMenuBar_font_width=10\r\n"})
        EXPECT_NE(file.find(line), std::string::npos) << line;
    EXPECT_EQ(gSkinFileName, "Dark.ini");
    EXPECT_EQ(f.txtSkinFilename.Text(), "Dark.ini");
    EXPECT_EQ(f.lblSkinDirectory.Caption(), "Skins\\Dark");
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");
    EXPECT_TRUE(f.TabStrip1.Enabled());
    EXPECT_EQ(f.Menu("mnuRecentFile", 1).Caption(), skins + "\\Dark.ini");

    // With the default values on, the four fields take them, an empty one included.
    WriteBytes(dir / "VexoVadiVirerova.ini", "[Default]\r\nDefaultVersion=9.9\r\nDefaultAuthor=Zed\r\n");
    gUseDefault = true;
    f.txtEmail.SetText("old@example.org");
    prompts.Answer(IDNO);
    prompts.AnswerInput("Night");
    f.mnuFileNew_Click();
    EXPECT_EQ(f.txtAuthor.Text(), "Zed");
    EXPECT_NE(ReadBytes(skins + "\\Night.ini").find("version=9.9\r\ndirectory=Skins\\Night\r\nAuthor=Zed\r\nE-Mail=\r\n"),
              std::string::npos);
}

TEST_F(CommandsTest, NewRefusesTakenAndImproperNamesBeforeTouchingTheDisk) {
    frmDesigner& f = OpenWithSkins();
    CreateDirectoryA((skins + "\\Dark").c_str(), nullptr);
    WriteBytes(skins + "\\Lone.ini", "[Vexo]\r\nname=Lone\r\nAuthor=someone\r\n");
    // Taken names, a skin file without its folder included, then names no skin can have.
    for (std::string typed :
         {"Dark", "lone", "..\\Escape", "a/b", "..", "...", "con", "Lpt1", "what?", "name.", " lead", "Dark.v2"}) {
        prompts.asked.clear();
        prompts.AnswerInput(typed);
        f.mnuFileNew_Click();
        ASSERT_EQ(prompts.asked.size(), 1u) << typed;
        EXPECT_EQ(prompts.asked[0].title, "Skin name error") << typed;
        EXPECT_EQ(prompts.asked[0].style, 48u) << typed;
        CharUpperBuffA(typed.data(), static_cast<DWORD>(typed.size()));
        const bool taken = typed == "DARK" || typed == "LONE";
        EXPECT_TRUE(taken ? Said() == "This skin " + typed + " already exist!  Please, enter another name."
                          : Said().find("can't be used for a skin") != std::string::npos) << Said();
    }
    EXPECT_EQ(ReadBytes(skins + "\\Lone.ini"), "[Vexo]\r\nname=Lone\r\nAuthor=someone\r\n");
    EXPECT_FALSE(PathExists(skins + "\\Lone"));
    EXPECT_FALSE(PathExists(dir / "Escape"));
    EXPECT_FALSE(f.TabStrip1.Enabled());
    EXPECT_EQ(gSkinName, "");

    prompts.asked.clear();
    f.mnuFileNew_Click();  // an empty answer or Cancel: nothing at all
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(CommandsTest, TheSavePromptBeforeNewAndOpen) {
    frmDesigner& f = OpenWithSkins();
    f.txtAuthor.SetText("typed");  // changed, and the skin has no name yet

    prompts.Answer(IDCANCEL);
    f.mnuFileNew_Click();
    EXPECT_TRUE(prompts.inputPrompts.empty());

    // Yes, but the save is refused: the command stops and the edits stay.
    prompts.Answer(IDYES);
    f.mnuFileNew_Click();
    EXPECT_EQ(prompts.asked.back().text, "Name is missing! You must enter the Name for your skin, first.");
    EXPECT_TRUE(prompts.inputPrompts.empty());
    EXPECT_EQ(f.txtAuthor.Text(), "typed");
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");

    // Yes with a name: saved first, then the command runs.
    f.txtSkinName.SetText("First");
    f.txtSkinFilename.SetText("First.ini");
    prompts.Answer(IDYES);
    {
        DialogDriver driver(DialogPlan::Cancel());
        f.mnuFileOpen_Click();
        EXPECT_TRUE(driver.Done()) << driver.Failure();
    }
    EXPECT_NE(ReadBytes(skins + "\\First.ini").find("Author=typed\r\n"), std::string::npos);
    EXPECT_EQ(f.txtSkinName.Text(), "First");  // the cancelled open changed nothing
    EXPECT_FALSE(f.Menu("mnuRecentFile", 0).Visible());

    // No: the command runs and the edits are dropped.
    f.txtAuthor.SetText("dropped");
    prompts.Answer(IDNO);
    prompts.AnswerInput("Second");
    f.mnuFileNew_Click();
    EXPECT_EQ(f.txtSkinName.Text(), "Second");
    EXPECT_EQ(ReadBytes(skins + "\\First.ini").find("dropped"), std::string::npos);
}

TEST_F(CommandsTest, CleanUpWorksOnlyInTheLoadedSkinsFolder) {
    frmDesigner& f = OpenWithSkins();
    prompts.Answer(IDOK);
    f.mnuOptionsDeleteUnusedBitmap_Click();
    EXPECT_EQ(prompts.asked.back().text, "You have to load a skin, first!");

    prompts.AnswerInput("Dark");
    f.mnuFileNew_Click();
    const std::string folder = skins + "\\Dark\\";
    for (const char* name : {"_back.bmp", "BACK.BMP", "sky.bmp", "old.bmp", "held.bmp", "notes.txt"})
        WriteBytes(folder + name, "x");
    CreateDirectoryA((skins + "\\Other").c_str(), nullptr);
    WriteBytes(skins + "\\Other\\theirs.bmp", "x");
    f.lblBmpName(0).SetCaption("back.bmp");
    f.lblBmpName(5).SetCaption("sky.bmp");
    f.txtSkinName.SetText("Other");  // a typed name never points the clean-up elsewhere

    HANDLE held = CreateFileA((folder + "held.bmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    prompts.asked.clear();
    prompts.Answer(IDOK);
    f.mnuOptionsDeleteUnusedBitmap_Click();
    CloseHandle(held);
    ASSERT_EQ(prompts.asked.size(), 3u);
    EXPECT_EQ(prompts.asked[0].text, "Delete unused files now. Are you sure?");
    EXPECT_EQ(prompts.asked[0].style, 49u);
    EXPECT_NE(prompts.asked[1].text.find("held.bmp"), std::string::npos);
    EXPECT_EQ(prompts.asked[2].text, "1 files deleted.");
    EXPECT_EQ(prompts.asked[2].style, 64u);
    for (const char* kept : {"_back.bmp", "BACK.BMP", "sky.bmp", "notes.txt"}) EXPECT_TRUE(PathExists(folder + kept)) << kept;
    EXPECT_FALSE(PathExists(folder + "old.bmp"));
    EXPECT_TRUE(PathExists(skins + "\\Other\\theirs.bmp"));

    DeleteFileA((folder + "held.bmp").c_str());
    prompts.asked.clear();
    prompts.Answer(IDOK);
    f.mnuOptionsDeleteUnusedBitmap_Click();
    EXPECT_EQ(prompts.asked.back().text, "All files is in use. Nothing files to delete.");
}

TEST_F(CommandsTest, CleanUpKeepsEveryFileASlotLeadsToHoweverItIsSpelt) {
    frmDesigner& f = OpenWithSkins();
    prompts.AnswerInput("Dark");
    f.mnuFileNew_Click();
    const std::string folder = skins + "\\Dark\\";
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp", "f.bmp", "g.bmp", "longbitmapname.bmp", "unused.bmp"})
        WriteBytes(folder + name, "x");
    char shortPath[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameA((folder + "longbitmapname.bmp").c_str(), shortPath, MAX_PATH), 0u);
    const std::string shortName = std::string(shortPath).substr(std::string(shortPath).find_last_of('\\') + 1);
    ASSERT_NE(UpperCase(shortName), "LONGBITMAPNAME.BMP");
    // The system's own spellings, which the previews load; then quoted or padded texts, which
    // the skin file gives back as the bare names once saved.
    const std::vector<std::string> spelt = {"a.bmp.", "f.bmp...", "d.bmp ", ".\\c.bmp", "..\\Dark\\e.bmp", shortName},
                                   saved = {"\"b.bmp \"", " 'g.bmp' "};
    int slot = 0;
    for (const std::string& name : spelt) {
        f.lblBmpName(slot).SetCaption(name);
        EXPECT_TRUE(PathExists(f.SkinBitmapPath(slot++))) << name;
    }
    for (const std::string& name : saved) f.lblBmpName(slot++).SetCaption(name);
    prompts.Answer(IDOK);
    f.mnuOptionsDeleteUnusedBitmap_Click();
    EXPECT_EQ(Said(), "1 files deleted.");
    for (const char* kept : {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp", "f.bmp", "g.bmp", "longbitmapname.bmp"})
        EXPECT_TRUE(PathExists(folder + kept)) << kept;
    EXPECT_FALSE(PathExists(folder + "unused.bmp"));

    ASSERT_TRUE(f.FileSaveProc());
    ASSERT_TRUE(Load(skins + "\\Dark.ini"));
    EXPECT_EQ(f.lblBmpName(6).Caption(), "b.bmp ");
    EXPECT_EQ(f.lblBmpName(7).Caption(), "g.bmp");
    prompts.Answer(IDOK);
    f.mnuOptionsDeleteUnusedBitmap_Click();
    EXPECT_EQ(Said(), "All files is in use. Nothing files to delete.");
}

// In ANSI the fullwidth reverse solidus is "\": "x\..\..\Light\fg.bmp" in Dark's folder would be
// Light's fg.bmp. Names the code page can't hold are none of the folder's: never deleted or counted.
TEST_F(CommandsTest, CleanUpNeverLeavesTheFolderThroughANameTheCodePageCantHold) {
    frmDesigner& f = OpenWithSkins();
    const std::string light = skins + "\\Light\\";
    prompts.AnswerInput("Light");
    f.mnuFileNew_Click();
    for (const char* name : {"fg.bmp", "bg.bmp"}) WriteBytes(light + name, std::string("Light's ") + name);
    prompts.AnswerInput("Dark");
    f.mnuFileNew_Click();
    ASSERT_EQ(f.txtSkinName.Text(), "Dark");
    const std::wstring dark = Widen(skins) + L"\\Dark\\";
    const std::wstring foreign[] = {L"x\uFF3C..\uFF3C..\uFF3CLight\uFF3Cfg.bmp", L"..\uFF3CLight\uFF3Cbg.bmp",
                                    L"\uFF53un.bmp", L"\u03A9mega.bmp"};
    for (const std::wstring& name : foreign) WriteBytes(dark + name, "x");
    WriteBytes(skins + "\\Dark\\old.bmp", "x");
    f.lblBmpName(0).SetCaption("Omega.bmp");  // the lookalike of one of them, in no folder

    prompts.asked.clear();
    prompts.Answer(IDOK);
    f.mnuOptionsDeleteUnusedBitmap_Click();
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[1].text, "1 files deleted.");
    for (const char* name : {"fg.bmp", "bg.bmp"}) EXPECT_EQ(ReadBytes(light + name), std::string("Light's ") + name);
    for (const std::wstring& name : foreign)
        EXPECT_NE(GetFileAttributesW((dark + name).c_str()), INVALID_FILE_ATTRIBUTES) << (&name - foreign);
    EXPECT_FALSE(PathExists(skins + "\\Dark\\old.bmp"));
}

// Closing without saving keeps the saved skin file, so what it names stays, in any spelling; without
// a saved file the window alone counts.
TEST_F(CommandsTest, CleanUpKeepsWhatTheSavedSkinFileNamesUnlessThereIsNone) {
    frmDesigner& f = OpenWithSkins();
    const std::string file = skins + "\\Dark.ini", folder = skins + "\\Dark\\",
                      saved = "[Vexo]\r\nname=Dark\r\nforeground=FRONT.BMP\r\nmenuback=menuback.bmp\r\n";
    WriteBytes(file, saved);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : {"front.bmp", "menuback.bmp", "new.bmp", "unused.bmp"}) WriteBytes(folder + name, "x");
    ASSERT_TRUE(Load(file));
    f.lblBmpName(1).SetCaption("new.bmp");  // changed in the window, not saved
    f.lblBmpName(6).SetCaption("new.bmp");
    prompts.Answer(IDOK);
    f.mnuOptionsDeleteUnusedBitmap_Click();
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[0].text, "Delete unused files now. Are you sure?");
    EXPECT_EQ(Said(), "1 files deleted.");
    for (const char* kept : {"front.bmp", "menuback.bmp", "new.bmp"}) EXPECT_TRUE(PathExists(folder + kept)) << kept;
    EXPECT_FALSE(PathExists(folder + "unused.bmp"));
    EXPECT_EQ(ReadBytes(file), saved);

    // A saved file that can't be read can't say what it names: nothing goes.
    WriteBytes(folder + "unused.bmp", "x");
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    prompts.asked.clear();
    prompts.Answer(IDOK);
    f.mnuOptionsDeleteUnusedBitmap_Click();
    CloseHandle(held);
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(Said().rfind("The skin file \"" + file + "\" could not be read for the bitmaps it names: ", 0), 0u) << Said();
    EXPECT_TRUE(Said().size() > 22 && Said().substr(Said().size() - 22) == "\r\nNothing was deleted.") << Said();
    EXPECT_TRUE(PathExists(folder + "unused.bmp"));

    // No saved file: what only the file named goes too.
    ASSERT_TRUE(DeleteFileA(file.c_str()));
    prompts.Answer(IDOK);
    f.mnuOptionsDeleteUnusedBitmap_Click();
    EXPECT_EQ(Said(), "3 files deleted.");
    EXPECT_TRUE(PathExists(folder + "new.bmp"));
    EXPECT_FALSE(PathExists(file));
}

TEST(CleanUpTextsTest, TheCountOfAnyRunAndTheNamesASavedSlotGivesBack) {
    EXPECT_EQ(DeletedFilesText(0), "All files is in use. Nothing files to delete.");
    EXPECT_EQ(DeletedFilesText(1), "1 files deleted.");
    EXPECT_EQ(DeletedFilesText(32768), "32768 files deleted.");
    EXPECT_EQ(DeletedFilesText(70000), "70000 files deleted.");
    using Names = std::vector<std::string>;
    EXPECT_EQ(SlotNameSpellings(""), Names{});
    EXPECT_EQ(SlotNameSpellings("a.bmp"), Names{"a.bmp"});
    EXPECT_EQ(SlotNameSpellings("\"b.bmp \""), (Names{"\"b.bmp \"", "b.bmp "}));
    EXPECT_EQ(SlotNameSpellings(" \t'c.bmp'  "), (Names{" \t'c.bmp'  ", "c.bmp"}));
    EXPECT_EQ(SlotNameSpellings(" d.bmp "), (Names{" d.bmp ", "d.bmp"}));
    EXPECT_EQ(SlotNameSpellings("\"e.bmp'"), Names{"\"e.bmp'"});  // quotes that do not pair stay
    EXPECT_EQ(SlotNameSpellings("\""), Names{"\""});
    EXPECT_EQ(SlotNameSpellings("\"\""), Names{"\"\""});
}

TEST_F(CommandsTest, MenusEnableByTheSkinsStateAndExitAsksFirst) {
    frmDesigner& f = OpenWithSkins();
    HMENU bar = GetMenu(f.Hwnd());
    auto grayed = [&](int menu, UINT id) {
        HMENU popup = GetSubMenu(bar, menu);
        SendMessageA(f.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), menu);
        return (GetMenuState(popup, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
    };
    // Save, the three Preview items and What's This: G grayed.
    auto states = [&] {
        std::string seen;
        for (auto [menu, name] : {std::pair{0, "mnuFileSave"}, {2, "mnuPreviewVexo"}, {2, "mnuPreviewInput"},
                                  {2, "mnuPreviewUpdate"}, {3, "mnuHelpWhatThis"}})
            seen += grayed(menu, f.Menu(name).Id()) ? 'G' : '-';
        return seen;
    };
    EXPECT_EQ(states(), "GGG-G");
    f.txtSkinName.SetText("Typed");  // a typed name counts as a loaded skin for the previews
    EXPECT_EQ(states(), "----G");
    f.TabStrip1.SetEnabled(true);
    EXPECT_EQ(states(), "-----");
    f.MarkSkinSaved();
    EXPECT_EQ(states(), "G----");

    // Ctrl+S follows the item's state as the menu last computed it, and only Ctrl+S:
    // with Shift or Alt held too it is another key.
    f.txtSkinFilename.SetText("Typed.ini");
    auto press = [&](std::initializer_list<int> held) {
        BYTE saved[256], state[256];
        GetKeyboardState(saved);
        std::copy(saved, saved + 256, state);
        for (int k : held) state[k] = 0x80;
        SetKeyboardState(state);
        SendMessageA(f.txtAuthor.Hwnd(), WM_KEYDOWN, 'S', 0);
        SetKeyboardState(saved);
    };
    press({VK_CONTROL});
    EXPECT_FALSE(PathExists(skins + "\\Typed.ini"));
    SendMessageA(f.txtAuthor.Hwnd(), WM_CHAR, 'z', 0);
    grayed(0, f.Menu("mnuFileSave").Id());
    press({VK_CONTROL, VK_SHIFT});
    press({VK_CONTROL, VK_MENU});
    EXPECT_FALSE(PathExists(skins + "\\Typed.ini"));
    press({VK_CONTROL});
    EXPECT_TRUE(PathExists(skins + "\\Typed.ini"));

    // The hidden Properties item says only what it would do; Exit asks to save first.
    prompts.asked.clear();
    SendMessageA(f.Hwnd(), WM_COMMAND, f.Menu("mnuFileProperties").Id(), 0);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "Inserire il codice per il menu Propriet\xE0.");

    f.MarkSkinChanged();
    prompts.Answer(IDNO);
    SendMessageA(f.Hwnd(), WM_COMMAND, f.Menu("mnuFileExit").Id(), 0);
    EXPECT_EQ(Said(), "The skin has changed. Save it?");
    EXPECT_FALSE(f.IsLoaded());
}

TEST_F(CommandsTest, HelpNamesAMissingHelpFileAndWhatsThisShowsTheControlsTopic) {
    frmDesigner& f = OpenWithSkins();
    SendMessageA(f.Hwnd(), WM_KEYDOWN, VK_F1, 0);  // Help Contents
    PostMessageA(f.Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);  // ends a What's This mode that should not start
    f.mnuHelpWhatThis_Click();
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&msg);
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[0].text, "The help file " + (dir / "VexoVadiVirerova.chm") + " is missing.");
    EXPECT_EQ(prompts.asked[0].style, 48u);
    EXPECT_EQ(prompts.asked[1].text, "The help file " + (dir / "Context.hlp") + " is missing.");
    EXPECT_EQ(gHelpFile, dir / "VexoVadiVirerova.chm");
    EXPECT_FALSE(f.InWhatsThisMode());

    WriteBytes(dir / "Context.hlp", "topics");
    AppHelpFile() = "kept.chm";
    std::vector<std::pair<std::string, int32_t>> shown;
    SetHelpPopup([&](HWND, const std::string& file, int32_t id) { shown.push_back({file, id}); });
    RECT box;
    GetWindowRect(f.txtAuthor.Hwnd(), &box);
    POINT pt{box.left + 3, box.top + 3};
    ScreenToClient(f.Hwnd(), &pt);
    PostMessageA(f.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    f.mnuHelpWhatThis_Click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, dir / "Context.hlp");
    EXPECT_EQ(shown[0].second, f.txtAuthor.WhatsThisHelpID());
    EXPECT_NE(shown[0].second, 0);
    EXPECT_EQ(AppHelpFile(), "kept.chm");
    EXPECT_FALSE(f.InWhatsThisMode());
    EXPECT_EQ(prompts.asked.size(), 2u);
}

std::string g_About;  // how things stood while the About window showed

// Clicks the About window once it shows, noting how things stood meanwhile.
void CALLBACK ClickAbout(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!gFrmSplash || !gFrmSplash->IsVisible()) return;
    KillTimer(nullptr, timer);
    const bool hand =
        gFrmSplash->MousePointer == 99 && gFrmSplash->MouseIcon.Handle() == gFrmDesigner->imgMano.GetPicture().Handle();
    g_About = std::string(IsWindowEnabled(gFrmDesigner->Hwnd()) ? "designer enabled, " : "designer disabled, ") +
              (hand ? "hand, " : "arrow, ") + gFrmSplash->lblVersion.Caption();
    PostMessageA(gFrmSplash->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageA(gFrmSplash->Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

// Refuses to make any top-level form, as when the system has no room for another window.
LRESULT CALLBACK RefuseForms(int code, WPARAM wParam, LPARAM lParam) {
    char cls[32] = {};
    if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls) &&
        std::string(cls) == "VexoForm")
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(CommandsTest, AboutIsModalGivesTheDesignerBackItsActivationAndSurvivesAFailedSplash) {
    frmDesigner& f = OpenWithSkins();
    SetActiveWindow(f.Hwnd());
    SetFocus(f.txtAuthor.Hwnd());
    ASSERT_EQ(GetActiveWindow(), f.Hwnd());
    SetTimer(nullptr, 0, 20, ClickAbout);
    f.mnuHelpAbout_Click();
    EXPECT_EQ(g_About, "designer disabled, hand, Version 0.2.0 ");
    EXPECT_FALSE(gFrmSplash);
    // As after a modal dialog: the keyboard reaches the designer again without a click.
    EXPECT_TRUE(IsWindowEnabled(f.Hwnd()));
    EXPECT_EQ(GetActiveWindow(), f.Hwnd());
    EXPECT_EQ(GetFocus(), f.txtAuthor.Hwnd());

    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseForms, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    SendMessageA(f.Hwnd(), WM_COMMAND, f.Menu("mnuHelpAbout").Id(), 0);
    UnhookWindowsHookEx(hook);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_NE(prompts.asked[0].text.find("in procedure mnuHelpAbout_Click"), std::string::npos);
    EXPECT_TRUE(IsWindowEnabled(f.Hwnd()));
    EXPECT_FALSE(gFrmSplash);

    g_About.clear();
    SetTimer(nullptr, 0, 20, ClickAbout);
    f.mnuHelpAbout_Click();
    EXPECT_FALSE(g_About.empty());
    EXPECT_EQ(GetActiveWindow(), f.Hwnd());
}

}  // namespace
