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
    void MakeSkin(const std::string& name) {
        WriteBytes(Skin(name), "[Vexo]\r\nname=" + name + "\r\n");
    }
    std::string Skin(const std::string& name) { return skins + "\\" + name + ".ini"; }
    std::string Recent(int i) {
        char buffer[512] = {0};
        GetPrivateProfileStringA("RecentsFiles", ("RecentFile" + std::to_string(i)).c_str(), "", buffer,
                                 sizeof buffer, (dir / "VexoVadiVirerova.ini").c_str());
        return buffer;
    }
};

TEST_F(SettingsTest, OpeningPutsNewFilesAtTheHeadAndKnownOnesKeepTheirPlace) {
    frmDesigner& f = OpenWithSkins();
    EXPECT_FALSE(f.Menu("mnuRecentFile", 0).Visible());
    for (const char* name : {"C", "B", "A"}) f.UpdateFileMenu(Skin(name));
    {
        DialogDriver driver(DialogPlan::ChooseFile(Skin("D")));
        f.mnuFileOpen_Click();
        EXPECT_TRUE(driver.Done()) << driver.Failure();
        EXPECT_EQ(driver.Seen().title, "Open Skin");
    }
    EXPECT_EQ(f.txtSkinFilename.Text(), "D.ini");  // the bare name after a menu open
    EXPECT_EQ(f.m_CurrentTab, 1);
    EXPECT_EQ(Recent(1), Skin("D"));
    EXPECT_EQ(Recent(2), Skin("A"));
    EXPECT_EQ(Recent(3), Skin("B"));
    EXPECT_EQ(Recent(4), Skin("C"));
    EXPECT_TRUE(f.Menu("mnuRecentFile", 0).Visible());
    EXPECT_EQ(f.Menu("mnuRecentFile", 1).Caption(), Skin("D"));
    EXPECT_TRUE(f.Menu("mnuRecentFile", 4).Visible());
    EXPECT_FALSE(f.Menu("mnuRecentFile", 5).Visible());

    f.UpdateFileMenu(Skin("B"));  // already shown: nothing moves
    EXPECT_EQ(Recent(1), Skin("D"));
    EXPECT_EQ(Recent(3), Skin("B"));

    // A click on B in the menu opens it and moves it to the head.
    f.mnuRecentFile_Click(3);
    EXPECT_EQ(f.txtSkinName.Text(), "B");
    EXPECT_EQ(f.txtSkinFilename.Text(), Skin("B"));  // the full path, unlike the Open command
    EXPECT_EQ(Recent(1), Skin("B"));
    EXPECT_EQ(Recent(2), Skin("D"));
    EXPECT_EQ(Recent(3), Skin("A"));
    EXPECT_EQ(Recent(4), Skin("C"));
    EXPECT_EQ(Recent(5), "");
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");
}

TEST_F(SettingsTest, ElevenEntriesAtMostTenShownAndMissingFilesDroppedAtClosing) {
    frmDesigner& f = OpenWithSkins();
    for (int i = 1; i <= 12; ++i) {
        std::string name = "S";
        name += std::to_string(i);
        MakeSkin(name);
        f.UpdateFileMenu(Skin(name));
    }
    EXPECT_EQ(Recent(1), Skin("S12"));
    EXPECT_EQ(Recent(10), Skin("S3"));
    EXPECT_EQ(Recent(11), Skin("S2"));  // kept, not shown; S1 was overwritten
    EXPECT_EQ(Recent(12), "");
    EXPECT_EQ(f.Menu("mnuRecentFile", 10).Caption(), Skin("S3"));

    DeleteFileA(Skin("S12").c_str());
    DeleteFileA(Skin("S5").c_str());
    f.mnuRecentFile_Click(1);  // a missing file is said so and stays until the clean-up
    ASSERT_FALSE(prompts.asked.empty());
    EXPECT_EQ(prompts.asked.back().text, "File " + Skin("S12") + " not found!");
    EXPECT_EQ(Recent(1), Skin("S12"));

    EXPECT_TRUE(f.Unload());
    EXPECT_EQ(Recent(1), Skin("S11"));
    EXPECT_EQ(Recent(6), Skin("S6"));
    EXPECT_EQ(Recent(7), Skin("S4"));
    EXPECT_EQ(Recent(9), Skin("S2"));
    EXPECT_EQ(Recent(10), "");
}

// The items the File menu shows after Exit, in order; the separator shows with them.
std::vector<std::string> Listed(frmDesigner& f) {
    std::vector<std::string> shown;
    for (int i = 1; i <= 10; ++i)
        if (f.Menu("mnuRecentFile", i).Visible()) shown.push_back(f.Menu("mnuRecentFile", i).Caption());
    EXPECT_EQ(f.Menu("mnuRecentFile", 0).Visible(), !shown.empty());
    return shown;
}

TEST_F(SettingsTest, TheMenuShowsExactlyTheListAfterCleanUpsAndClearing) {
    frmDesigner& f = OpenWithSkins();
    for (const char* name : {"C", "B", "A"}) f.UpdateFileMenu(Skin(name));
    DeleteFileA(Skin("B").c_str());
    f.mnuRecentFile_Click(3);  // C moves to the head; the missing B goes
    EXPECT_EQ(Listed(f), (std::vector<std::string>{Skin("C"), Skin("A")}));
    EXPECT_EQ(ReadBytes(dir / "VexoVadiVirerova.ini"),
              "[Options]\r\nFirstRun=0\r\nSkinsFolder=" + skins + "\r\n[RecentsFiles]\r\nRecentFile1=" + Skin("C") +
                  "\r\nRecentFile2=" + Skin("A") + "\r\n");

    prompts.Answer(IDCANCEL);
    f.mnuOptionsClearRecentsFiles_Click();
    EXPECT_EQ(prompts.asked.back().text, "Are you sure to delete all entries for recents files?");
    EXPECT_EQ(prompts.asked.back().style, 33u);
    EXPECT_EQ(Listed(f).size(), 2u);
    prompts.Answer(IDOK);
    f.mnuOptionsClearRecentsFiles_Click();
    EXPECT_EQ(Recent(1), "");
    EXPECT_TRUE(Listed(f).empty());

    // A skin that was listed before the clearing is listed again when opened.
    f.UpdateFileMenu(Skin("A"));
    EXPECT_EQ(Recent(1), Skin("A"));
    EXPECT_EQ(Listed(f), std::vector<std::string>{Skin("A")});

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
    EXPECT_TRUE(f.Menu("mnuOptionsCopyBMP").Checked());

    // On, with no skin loaded: the four values are asked, applying them is not.
    prompts.Answer(IDYES);
    prompts.AnswerInput("2.1");
    prompts.AnswerInput("Ann");
    prompts.AnswerInput("");
    prompts.AnswerInput("www.example.org");
    f.mnuOptionsUseDefault_Click();
    EXPECT_EQ(settings.Leggi("UseDefault", ""), "1");
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "Do you want set or change the default User values?");
    ASSERT_EQ(prompts.inputPrompts.size(), 4u);
    EXPECT_EQ(prompts.inputPrompts[0], "Enter your version of Vexo:\r\n(ie: 1.2)");
    settings.Sezione("Default");
    EXPECT_EQ(settings.Leggi("DefaultVersion", ""), "2.1");
    EXPECT_EQ(settings.Leggi("DefaultAuthor", ""), "Ann");
    EXPECT_EQ(settings.Leggi("DefaultEmail", "none"), "none");  // an empty answer writes nothing
    EXPECT_EQ(settings.Leggi("DefaultWebsite", ""), "www.example.org");

    // Off: writes "0", asks nothing.
    prompts.asked.clear();
    f.mnuOptionsUseDefault_Click();
    settings.Sezione("Options");
    EXPECT_EQ(settings.Leggi("UseDefault", ""), "0");
    EXPECT_TRUE(prompts.asked.empty());

    // On again with a skin loaded: the answers go to the fields too.
    f.m_Loading = true;
    f.OpenFile(Skin("A"));
    f.m_Loading = false;
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
