// Whatever file a skin came from, nothing of another skin is written or deleted without the
// user's yes, and a failed open or upgrade leaves the window as it was.
#include <windows.h>

#include "DesignerFixture.h"
#include "FolderDriver.h"
#include "IniManag.h"

namespace {

const std::string kMark = "\xEF\xBB\xBF";
const std::string kAnns = "[Vexo]\r\nname=Dark\r\nAuthor=Ann\r\n";
const std::string kUpgradeQuestion =
    "The file isn't configured to be used with VadiVirerova.\r\nWould you like update this file?";
const std::string kUpdated = "Your file is now updated.\r\nClick OK to continue...";
const std::string kFolderItem = "\"Select the Vexo skins folder...\" in the Options menu";

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class SkinFileSafetyTest : public DesignerTest {
protected:
    frmDesigner& OpenWithSkins() {
        CreateDirectoryA(skins.c_str(), nullptr);
        CreateDirectoryA(other.c_str(), nullptr);
        return Open("[Options]\r\nFirstRun=0\r\nSkinsFolder=" + skins + "\r\n");
    }
    // As the open commands read a file.
    bool Load(frmDesigner& f, const std::string& path) {
        f.m_Loading = true;
        const bool loaded = f.OpenFile(path);
        f.m_Loading = false;
        return loaded;
    }
    std::string skins = dir / "Skins", other = dir / "Other";
};

TEST_F(SkinFileSafetyTest, SaveAsksBeforeOverwritingAFileTheSkinWasNotOpenedFrom) {
    frmDesigner& f = OpenWithSkins();
    const std::string anns = skins + "\\Dark.ini";
    for (const std::string& opened : {skins + "\\Dark.txt", skins + "\\Dark.skin", other + "\\Dark.ini",
                                      skins + "\\Dark.v2.ini"}) {
        WriteBytes(anns, kAnns);
        WriteBytes(opened, "[Vexo]\r\nname=Mine\r\nAuthor=Me\r\n");
        ASSERT_TRUE(Load(f, opened)) << opened;
        f.txtAuthor.SetText("Me again");
        prompts.asked.clear();
        EXPECT_FALSE(f.FileSaveProc()) << opened;  // the script answers No
        ASSERT_EQ(prompts.asked.size(), 1u) << opened;
        EXPECT_TRUE(Has(prompts.asked[0].text, "\"" + anns + "\"")) << prompts.asked[0].text;
        EXPECT_TRUE(Has(prompts.asked[0].text, "\"" + opened + "\"")) << prompts.asked[0].text;
        EXPECT_EQ(prompts.asked[0].style, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2));
        EXPECT_EQ(ReadBytes(anns), kAnns) << opened;
        EXPECT_EQ(f.sb1.PanelText("state"), "Changed") << opened;

        prompts.Answer(IDYES);
        EXPECT_TRUE(f.FileSaveProc()) << opened;
        EXPECT_TRUE(Has(ReadBytes(anns), "name=Mine\r\nAuthor=Me again\r\n")) << opened;
        EXPECT_EQ(ReadBytes(opened), "[Vexo]\r\nname=Mine\r\nAuthor=Me\r\n") << opened;
        EXPECT_TRUE(f.FileSaveProc());  // the skin now lives there: no second question
        EXPECT_EQ(prompts.asked.size(), 2u) << opened;
    }
    // The file opened, under another spelling of its path, is saved without a question.
    WriteBytes(anns, kAnns);
    ASSERT_TRUE(Load(f, skins + "\\DARK.INI"));
    gSkinsFolder = skins + "\\";
    f.txtAuthor.SetText("Ann again");
    prompts.asked.clear();
    EXPECT_TRUE(f.FileSaveProc());
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_TRUE(Has(ReadBytes(anns), "Author=Ann again\r\n"));
}

TEST_F(SkinFileSafetyTest, CleanUpWorksOnlyInTheFolderOfASkinLoadedFromTheSkinsFolder) {
    frmDesigner& f = OpenWithSkins();
    WriteBytes(skins + "\\Dark.ini", kAnns);
    CreateDirectoryA((skins + "\\Dark").c_str(), nullptr);
    const std::string theirs = skins + "\\Dark\\theirs.bmp";
    WriteBytes(theirs, "Ann's bitmap");
    for (const std::string& opened : {other + "\\Dark.ini", skins + "\\Dark.v2.ini"}) {
        WriteBytes(opened, "[Vexo]\r\nname=Mine\r\n");
        ASSERT_TRUE(Load(f, opened));
        EXPECT_FALSE(f.IsLoadedSkinFolder(skins + "\\Dark")) << opened;
        prompts.asked.clear();
        prompts.Answer(IDOK);
        f.mnuOptionsDeleteUnusedBitmap_Click();
        ASSERT_EQ(prompts.asked.size(), 1u) << opened;
        EXPECT_TRUE(Has(prompts.asked[0].text, "\"Delete unused bitmap\"")) << prompts.asked[0].text;
        EXPECT_TRUE(Has(prompts.asked[0].text, "\"" + skins + "\\Dark\"")) << prompts.asked[0].text;
        EXPECT_TRUE(Has(prompts.asked[0].text, "Nothing was deleted.")) << prompts.asked[0].text;
        EXPECT_TRUE(PathExists(theirs)) << opened;
    }
    // Loaded from the skins folder, the folder of its name is its own, however spelt.
    ASSERT_TRUE(Load(f, skins + "\\Dark.ini"));
    gSkinsFolder = skins + "\\";
    EXPECT_TRUE(f.IsLoadedSkinFolder(skins + "\\DARK\\"));
    EXPECT_FALSE(f.IsLoadedSkinFolder(other + "\\Dark"));
    EXPECT_FALSE(f.IsLoadedSkinFolder(skins));
    prompts.asked.clear();
    prompts.Answer(IDOK);
    f.mnuOptionsDeleteUnusedBitmap_Click();
    EXPECT_EQ(prompts.asked.back().text, "1 files deleted.");
    EXPECT_FALSE(PathExists(theirs));
}

bool g_BrowserShown = false;
void CALLBACK CancelBrowser(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND cancel = FolderDriver::HostButton("Cancel")) {
        g_BrowserShown = true;
        PostMessageA(cancel, BM_CLICK, 0, 0);
    }
}

TEST_F(SkinFileSafetyTest, NewSaveAndRenameRefuseWithoutASkinsFolderOrASkinFile) {
    frmDesigner& f = Open();  // first run declined: no skins folder
    const std::string zed = "Zed" + std::to_string(GetCurrentProcessId());  // never there before
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CancelBrowser);
    for (const std::string& folder : {std::string(), dir / "gone"}) {
        gSkinsFolder = folder;
        prompts.asked.clear();
        prompts.AnswerInput(zed);
        f.FileNewProc();
        f.txtSkinName.SetText(zed);
        f.txtSkinFilename.SetText(zed + ".ini");
        EXPECT_FALSE(f.FileSaveProc());
        f.cmdRenameSkin_Click();
        ASSERT_EQ(prompts.asked.size(), 3u) << folder;
        for (const auto& asked : prompts.asked) {
            EXPECT_TRUE(Has(asked.text, kFolderItem)) << asked.text;
            EXPECT_TRUE(folder.empty() || Has(asked.text, "\"" + folder + "\" doesn't exist")) << asked.text;
        }
        EXPECT_TRUE(prompts.inputPrompts.empty());
        EXPECT_FALSE(g_BrowserShown);
        EXPECT_FALSE(PathExists("\\" + zed + ".ini"));
        EXPECT_FALSE(PathExists("\\" + zed));
        EXPECT_FALSE(PathExists(folder + "\\" + zed + ".ini"));
        EXPECT_FALSE(f.TabStrip1.Enabled());
        f.txtSkinFilename.SetText("");
    }
    KillTimer(nullptr, timer);

    // A skins folder, a typed name, but no skin file: nothing to save into.
    CreateDirectoryA(skins.c_str(), nullptr);
    gSkinsFolder = skins;
    prompts.asked.clear();
    f.txtSkinName.SetText("Typed");
    EXPECT_FALSE(f.FileSaveProc());
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_TRUE(Has(prompts.asked[0].text, "Use \"New skin...\" or \"Open skin...\" in the File menu first."));
    EXPECT_FALSE(PathExists(skins + "\\.ini"));
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
}

TEST_F(SkinFileSafetyTest, OpeningFilesOfEveryKind) {
    frmDesigner& f = OpenWithSkins();
    WriteBytes(skins + "\\Base.ini", "[Vexo]\r\nname=Base\r\nAuthor=Bea\r\n");
    struct Case {
        const char* what;
        std::string bytes;
        bool readOnly;
        bool loads;
        int answer;                          // to the upgrade question; 0: not asked
        std::vector<std::string> messages;  // texts, or their start
        std::string after;                   // empty: the file is left as it was
        const char *name, *author;
    };
    const Case cases[] = {
        {"section without a name", "[Vexo]\r\nAuthor=Ann\r\n", false, true, 0, {}, "", "", "Ann"},
        {"lower-case section, empty name", "[vexo]\r\nname=\r\nAuthor=Ann\r\n", false, true, 0, {}, "", "", "Ann"},
        {"empty section", "key=1\r\n[VEXO]\r\n", false, true, 0, {}, "", "", ""},
        {"no header", "name=Dark\r\nAuthor=Ann\r\n", false, true, IDOK, {kUpgradeQuestion, kUpdated},
         "[Vexo]\r\n\r\nname=Dark\r\nAuthor=Ann\r\n\r\n", "Dark", "Ann"},
        {"byte-order mark, no header", kMark + "name=Dark\r\nAuthor=Ann\r\n", false, true, IDOK,
         {kUpgradeQuestion, kUpdated}, kMark + "[Vexo]\r\n\r\nname=Dark\r\nAuthor=Ann\r\n\r\n", "Dark", "Ann"},
        {"other sections only", "[Extra]\r\nname=x\r\n", false, false, IDCANCEL,
         {kUpgradeQuestion, "Sorry, this file can't be loaded.) "}, "", "Base", "Bea"},
        {"read-only with section", "[Vexo]\r\nname=Dark\r\n", true, true, 0, {}, "", "Dark", ""},
        {"read-only, no header", "name=Dark\r\n", true, false, 0, {"The file \"<path>\" has no [Vexo] section and is read-only"},
         "", "Base", "Bea"},
    };
    for (const Case& c : cases) {
        const std::string path = skins + "\\Case.ini";
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        WriteBytes(path, c.bytes);
        if (c.readOnly) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        ASSERT_TRUE(Load(f, skins + "\\Base.ini"));
        prompts.asked.clear();
        if (c.answer) prompts.Answer(c.answer);
        EXPECT_EQ(Load(f, path), c.loads) << c.what;
        std::vector<std::string> asked;
        for (const auto& a : prompts.asked) asked.push_back(a.text);
        ASSERT_EQ(asked.size(), c.messages.size()) << c.what;
        for (size_t i = 0; i < asked.size(); ++i) {
            std::string expected = c.messages[i];
            if (const size_t at = expected.find("<path>"); at != std::string::npos) expected.replace(at, 6, path);
            EXPECT_EQ(asked[i].substr(0, expected.size()), expected) << c.what;
        }
        EXPECT_EQ(ReadBytes(path), c.after.empty() ? c.bytes : c.after) << c.what;
        EXPECT_EQ(f.txtSkinName.Text(), c.name) << c.what;
        EXPECT_EQ(f.txtAuthor.Text(), c.author) << c.what;
        EXPECT_EQ(gSkinFileName, c.loads ? "Case.ini" : "Base.ini") << c.what;
        EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY,
                  c.readOnly ? static_cast<DWORD>(FILE_ATTRIBUTE_READONLY) : 0u)
            << c.what;
        if (c.loads) {
            prompts.asked.clear();
            EXPECT_TRUE(Load(f, path)) << c.what;  // once is enough: the next open asks nothing
            EXPECT_TRUE(prompts.asked.empty()) << c.what;
        }
        EXPECT_TRUE(f.m_File->GetFiles(skins + "\\*.tmp").size() == 1) << c.what;
    }
    SetFileAttributesA((skins + "\\Case.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SkinFileSafetyTest, AFailedOpenOrUpgradeLeavesTheLoadedSkinAsItWas) {
    frmDesigner& f = OpenWithSkins();
    WriteBytes(skins + "\\Base.ini", "[Vexo]\r\nname=Base\r\nAuthor=Bea\r\nbtn_play=play.bmp\r\n");
    auto shows = [&](const char* what) {
        EXPECT_EQ(f.txtSkinName.Text(), "Base") << what;
        EXPECT_EQ(f.txtAuthor.Text(), "Bea") << what;
        EXPECT_EQ(f.lblBmpName(13).Caption(), "play.bmp") << what;
        EXPECT_EQ(gSkinFileName, "Base.ini") << what;
        EXPECT_EQ(f.sb1.PanelText("state"), "Saved") << what;
    };
    ASSERT_TRUE(Load(f, skins + "\\Base.ini"));

    // Another program holds the file: the read fails before anything changes.
    const std::string held = skins + "\\Held.ini";
    WriteBytes(held, "[Vexo]\r\nname=Held\r\nAuthor=Hal\r\n");
    HANDLE lock = CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    prompts.asked.clear();
    EXPECT_FALSE(Load(f, held));
    CloseHandle(lock);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text.rfind("Error 32 (", 0), 0u) << prompts.asked[0].text;
    EXPECT_TRUE(Has(prompts.asked[0].text, ") in procedure OpenFile of Form frmDesigner"));
    shows("locked file");

    // Another program reads the old file: the upgrade cannot replace it.
    const std::string old = skins + "\\Old.ini";
    WriteBytes(old, "name=Old\r\n");
    lock = CreateFileA(old.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    prompts.asked.clear();
    prompts.Answer(IDOK);
    EXPECT_FALSE(Load(f, old));
    CloseHandle(lock);
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[0].text, kUpgradeQuestion);
    EXPECT_EQ(prompts.asked[1].text.rfind("Error ", 0), 0u);
    EXPECT_TRUE(Has(prompts.asked[1].text, ") in procedure UpdateFileVexo of Form frmDesigner"));
    EXPECT_EQ(ReadBytes(old), "name=Old\r\n");
    EXPECT_EQ(f.m_File->GetFiles(skins + "\\*.*").size(), 4u);  // Base, Held, Old: nothing left behind
    shows("failed upgrade");

    // The skin saves as ever.
    f.txtAuthor.SetText("Bea two");
    prompts.asked.clear();
    EXPECT_TRUE(f.FileSaveProc());
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_TRUE(Has(ReadBytes(skins + "\\Base.ini"), "name=Base\r\n"));
}

TEST_F(SkinFileSafetyTest, ARefusedWriteNamesTheFile) {
    const AppError silent = IniManag::WriteError("C:\\Skins\\Dark.ini", 0);
    EXPECT_NE(silent.Number(), 0);
    EXPECT_EQ(silent.Description(), "The file \"C:\\Skins\\Dark.ini\" could not be written");
    const AppError coded = IniManag::WriteError("C:\\Skins\\Dark.ini", ERROR_SHARING_VIOLATION);
    EXPECT_EQ(coded.Number(), 32);
    EXPECT_EQ(coded.Description().rfind("The file \"C:\\Skins\\Dark.ini\" could not be written: ", 0), 0u);

    frmDesigner& f = OpenWithSkins();
    const std::string base = skins + "\\Base.ini";
    WriteBytes(base, "[Vexo]\r\nname=Base\r\n");
    ASSERT_TRUE(Load(f, base));
    f.txtAuthor.SetText("Bea");
    HANDLE lock = CreateFileA(base.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(f.FileSaveProc());
    CloseHandle(lock);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text.rfind("Error 32 (The file \"" + base + "\" could not be written: ", 0), 0u)
        << prompts.asked[0].text;
    EXPECT_TRUE(Has(prompts.asked[0].text, ") in procedure FileSaveProc of Form frmDesigner"));
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
    EXPECT_EQ(ReadBytes(base), "[Vexo]\r\nname=Base\r\n");
}

}  // namespace
