#include <windows.h>

#include "DesignerFixture.h"
#include "DialogDriver.h"
#include "IniManag.h"

namespace {

class SettingsTest : public DesignerTest {
protected:
    frmDesigner& OpenWithSkins(const std::string& extra = "") {
        CreateDirectoryA(skins.c_str(), nullptr);
        for (const char* name : {"A", "B", "C", "D"}) MakeSkin(name);
        return DesignerTest::OpenWithSkins(extra);
    }
    void MakeSkin(const std::string& name) { WriteBytes(Skin(name), "[Vexo]\r\nname=" + name + "\r\n"); }
    std::string Skin(const std::string& name) { return skins + "\\" + name + ".ini"; }
    // The settings file's list as skin names: "D A B C".
    std::string Recents() {
        std::string list;
        for (int i = 1; i <= 12; ++i) {
            char path[512] = {0};
            GetPrivateProfileStringA("RecentsFiles", ("RecentFile" + std::to_string(i)).c_str(), "", path, sizeof path,
                                     (dir / "VexoVadiVirerova.ini").c_str());
            if (*path) list += Name(path);
        }
        return list.substr(list.empty() ? 0 : 1);
    }
    // What the File menu lists, likewise; the separator shows with the items.
    std::string Listed(frmDesigner& f) {
        std::string list;
        for (int i = 1; i <= 10; ++i)
            if (f.Menu("mnuRecentFile", i).Visible()) list += Name(f.Menu("mnuRecentFile", i).Caption());
        EXPECT_EQ(f.Menu("mnuRecentFile", 0).Visible(), !list.empty());
        return list.substr(list.empty() ? 0 : 1);
    }
    std::string Name(const std::string& path) {  // with a space in front
        EXPECT_EQ(path.rfind(skins + "\\", 0), 0u) << path;
        return std::string(" ").append(path, skins.size() + 1, path.size() - skins.size() - 5);
    }
};

TEST_F(SettingsTest, OpeningPutsNewFilesAtTheHeadAndKnownOnesKeepTheirPlace) {
    frmDesigner& f = OpenWithSkins();
    EXPECT_EQ(Listed(f), "");
    for (const char* name : {"C", "B", "A"}) f.UpdateFileMenu(Skin(name));
    {
        DialogDriver driver(DialogPlan::ChooseFile(Skin("D")));
        f.mnuFileOpen_Click();
        EXPECT_TRUE(driver.Done()) << driver.Failure();
        EXPECT_EQ(driver.Seen().title, "Open Skin");
    }
    EXPECT_EQ(f.txtSkinFilename.Text(), "D.ini");  // the bare name after a menu open
    EXPECT_EQ(Recents() + " / " + Listed(f), "D A B C / D A B C");
    f.UpdateFileMenu(Skin("B"));  // already shown: nothing moves
    EXPECT_EQ(Recents(), "D A B C");

    // A click on B in the menu opens it and moves it to the head.
    f.mnuRecentFile_Click(3);
    EXPECT_EQ(f.txtSkinName.Text(), "B");
    EXPECT_EQ(f.txtSkinFilename.Text(), Skin("B"));  // the full path, unlike the Open command
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");
    EXPECT_EQ(Recents() + " / " + Listed(f), "B D A C / B D A C");
}

// Outside the code page the dialog hands over a lookalike ("Omega.ini" for the Greek capital omega's,
// or a file of that name in a folder so named) or "?": typed or picked, in a name or a folder, such a
// name opens nothing, not even its lookalike beside it.
TEST_F(SettingsTest, OpenSkinRefusesADeviceOrANameOutsideTheCodePageChangingNothing) {
    frmDesigner& f = OpenWithSkins();
    MakeSkin("Omega");
    WriteBytes(Widen(skins) + L"\\\u65E5\u672C.ini", "[Vexo]\r\nname=Nihon\r\n");
    WriteBytes(Widen(skins) + L"\\\u03A9mega.ini", "[Vexo]\r\nname=Real Omega\r\n");
    MakeFolder(Widen(skins) + L"\\\u03A9");
    WriteBytes(Widen(skins) + L"\\\u03A9\\A.ini", "[Vexo]\r\nname=Real A\r\n");
    f.UpdateFileMenu(Skin("A"));
    ASSERT_TRUE(Load(Skin("A")));
    const std::string settings = ReadBytes(dir / "VexoVadiVirerova.ini");
    const std::string outside = "its name holds characters that the system's code page can't show";
    const struct {
        DialogPlan plan;
        std::wstring picked;
        std::string path, why;
    } cases[] = {{DialogPlan::ChooseFile(skins + "\\NUL.ini"), L"", skins + "\\NUL.ini", "its name stands for the device NUL, not for a file"},
                 {DialogPlan::ChooseFile(skins), L"\u65E5\u672C.ini", skins + "\\??.ini", outside},
                 {DialogPlan::ChooseFile(L"\u03A9mega.ini"), L"", skins + "\\?mega.ini", outside},
                 {DialogPlan::ChooseFile(L" \"" + Widen(skins) + L"\\\u03A9\\A.ini\" "), L"", skins + "\\?\\A.ini", outside}};
    for (const auto& [plan, picked, path, why] : cases) {
        prompts.asked.clear();
        {
            DialogDriver driver(plan);
            if (!picked.empty()) driver.BeforeAnswer = [&, picked = picked](HWND d) { EXPECT_TRUE(SelectListedFile(d, picked)); };
            f.mnuFileOpen_Click();
            EXPECT_TRUE(driver.Done()) << driver.Failure();
        }
        ASSERT_EQ(prompts.asked.size(), 1u) << path;
        EXPECT_EQ(prompts.asked[0].text, "The file " + path + " can't be used: " + why + ".\r\nPlease, choose another file.");
        EXPECT_EQ(prompts.asked[0].style, 48u);
        EXPECT_EQ(f.txtSkinName.Text() + "|" + f.txtSkinFilename.Text() + "|" + f.sb1.PanelText("state"),
                  "A|" + Skin("A") + "|Saved");
        EXPECT_EQ(ReadBytes(dir / "VexoVadiVirerova.ini"), settings);
        EXPECT_EQ(Listed(f), "A");
    }
    // The lookalike's own name still opens it.
    {
        DialogDriver driver(DialogPlan::ChooseFile(Skin("Omega")));
        f.mnuFileOpen_Click();
        EXPECT_TRUE(driver.Done()) << driver.Failure();
    }
    EXPECT_EQ(f.txtSkinName.Text() + "|" + f.txtSkinFilename.Text() + "|" + Listed(f), "Omega|Omega.ini|Omega A");
}

// The menu shows a path as it is; the item opens that path.
TEST_F(SettingsTest, ARecentPathWithAnAmpersandIsShownAsItIsAndOpens) {
    frmDesigner& f = OpenWithSkins();
    MakeSkin("R&D");
    for (const char* name : {"A", "R&D"}) f.UpdateFileMenu(Skin(name));
    EXPECT_EQ(f.Menu("mnuRecentFile", 1).Caption(), skins + "\\R&&D.ini");
    f.UpdateFileMenu(Skin("R&D"));  // already shown: nothing moves
    EXPECT_EQ(Recents(), "R&D A");
    f.mnuRecentFile_Click(2);
    f.mnuRecentFile_Click(2);
    EXPECT_EQ(prompts.asked.size(), 0u) << Said();
    EXPECT_EQ(f.txtSkinName.Text() + "|" + f.txtSkinFilename.Text(), "R&D|" + Skin("R&D"));
    EXPECT_EQ(Recents(), "R&D A");
    EXPECT_EQ(f.Menu("mnuRecentFile", 1).Caption() + "|" + f.Menu("mnuRecentFile", 2).Caption(),
              skins + "\\R&&D.ini|" + Skin("A"));
}

TEST_F(SettingsTest, ElevenEntriesAtMostTenShownAndMissingFilesDroppedAtClosing) {
    frmDesigner& f = OpenWithSkins();
    for (int i = 1; i <= 12; ++i) {
        std::string name = "S";
        name += std::to_string(i);
        MakeSkin(name);
        f.UpdateFileMenu(Skin(name));
    }
    EXPECT_EQ(Recents(), "S12 S11 S10 S9 S8 S7 S6 S5 S4 S3 S2");  // S2 kept, not shown; S1 overwritten
    EXPECT_EQ(Listed(f), "S12 S11 S10 S9 S8 S7 S6 S5 S4 S3");

    DeleteFileA(Skin("S12").c_str());
    DeleteFileA(Skin("S5").c_str());
    f.mnuRecentFile_Click(1);  // a missing file is said so and stays until the clean-up
    EXPECT_EQ(prompts.asked.back().text, "File " + Skin("S12") + " not found!");
    EXPECT_EQ(Recents(), "S12 S11 S10 S9 S8 S7 S6 S5 S4 S3 S2");
    EXPECT_TRUE(f.Unload());
    EXPECT_EQ(Recents(), "S11 S10 S9 S8 S7 S6 S4 S3 S2");
}

TEST_F(SettingsTest, TheMenuShowsExactlyTheListAfterCleanUpsAndClearing) {
    frmDesigner& f = OpenWithSkins();
    for (const char* name : {"C", "B", "A"}) f.UpdateFileMenu(Skin(name));
    DeleteFileA(Skin("B").c_str());
    f.mnuRecentFile_Click(3);  // C moves to the head; the missing B goes
    EXPECT_EQ(Listed(f), "C A");
    EXPECT_EQ(ReadBytes(dir / "VexoVadiVirerova.ini"),
              "[Options]\r\nFirstRun=0\r\nSkinsFolder=" + skins + "\r\n[RecentsFiles]\r\nRecentFile1=" + Skin("C") +
                  "\r\nRecentFile2=" + Skin("A") + "\r\n");

    prompts.Answer(IDCANCEL);
    f.mnuOptionsClearRecentsFiles_Click();
    EXPECT_EQ(prompts.asked.back().text, "Are you sure to delete all entries for recents files?");
    EXPECT_EQ(prompts.asked.back().style, 33u);
    EXPECT_EQ(Listed(f), "C A");
    prompts.Answer(IDOK);
    f.mnuOptionsClearRecentsFiles_Click();
    EXPECT_EQ(Recents() + " / " + Listed(f), " / ");

    // A skin that was listed before the clearing is listed again when opened.
    f.UpdateFileMenu(Skin("A"));
    EXPECT_EQ(Recents() + " / " + Listed(f), "A / A");

    // All entries missing at closing: the section goes, no key is written, no error shown.
    DeleteFileA(Skin("A").c_str());
    const size_t asked = prompts.asked.size();
    EXPECT_TRUE(f.Unload());
    EXPECT_EQ(prompts.asked.size(), asked);
    EXPECT_EQ(ReadBytes(dir / "VexoVadiVirerova.ini").find("RecentsFiles"), std::string::npos);
}

TEST_F(SettingsTest, OptionsWriteOneOrZeroAndUseDefaultAsksForTheValues) {
    frmDesigner& f = OpenWithSkins("UseDefault=Falso\r\n");
    IniManag settings;
    settings.Nome(dir / "VexoVadiVirerova.ini");
    settings.Sezione("Options");
    EXPECT_FALSE(gUseDefault);
    f.mnuOptionsCopyBMP_Click();
    EXPECT_EQ(settings.Leggi("CopyBitmapToSkinFolder", ""), "0");
    EXPECT_FALSE(gCopyBitmapToSkinFolder);
    f.mnuOptionsCopyBMP_Click();
    EXPECT_EQ(settings.Leggi("CopyBitmapToSkinFolder", ""), "1");

    // On, with no skin loaded: the four values are asked, applying them is not.
    prompts.Answer(IDYES);
    for (const char* a : {"2.1", "Ann", "", "www.example.org"}) prompts.AnswerInput(a);
    f.mnuOptionsUseDefault_Click();
    EXPECT_EQ(settings.Leggi("UseDefault", ""), "1");
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "Do you want set or change the default User values?");
    ASSERT_EQ(prompts.inputPrompts.size(), 4u);
    EXPECT_EQ(prompts.inputPrompts[0], "Enter your version of Vexo:\r\n(ie: 1.2)");
    const std::string file = ReadBytes(dir / "VexoVadiVirerova.ini");  // an empty answer writes nothing
    EXPECT_NE(file.find("[Default]\r\nDefaultVersion=2.1\r\nDefaultAuthor=Ann\r\nDefaultWebsite=www.example.org\r\n"),
              std::string::npos) << file;

    // Off: writes "0", asks nothing.
    prompts.asked.clear();
    f.mnuOptionsUseDefault_Click();
    EXPECT_EQ(settings.Leggi("UseDefault", ""), "0");
    EXPECT_TRUE(prompts.asked.empty());

    // On again with a skin loaded: the answers go to the fields too.
    ASSERT_TRUE(Load(Skin("A")));
    prompts.Answer(IDYES);
    for (const char* a : {"3.0", "Bo", "bo@example.org", ""}) prompts.AnswerInput(a);
    prompts.Answer(IDOK);
    f.mnuOptionsUseDefault_Click();
    EXPECT_EQ(prompts.asked.back().text, "Apply this informations to the current skin?");
    EXPECT_EQ(f.txtSkinVersion.Text(), "3.0");
    EXPECT_EQ(f.txtWeb.Text(), "");
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
}

}  // namespace
