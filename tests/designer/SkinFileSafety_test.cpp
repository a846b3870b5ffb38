// Whatever file a skin came from, nothing of another skin is written or deleted without the
// user's yes, and a failed open or upgrade leaves the window as it was.
#include <windows.h>

#include <cctype>
#include <regex>

#include "DesignerFixture.h"
#include "DialogDriver.h"
#include "FolderDriver.h"
#include "FolderLink.h"
#include "IniManag.h"
#include "SmallDisk.h"
#include "WineUnix.h"

namespace {
const std::string kAnns = "[Vexo]\r\nname=Dark\r\nAuthor=Ann\r\n", kMark = "\xEF\xBB\xBF",
                  kAsk = "The file isn't configured to be used with VadiVirerova.\r\nWould you like update this file?",
                  kUpdated = "Your file is now updated.\r\nClick OK to continue...";

// The text matches the pattern, each * standing for any run of characters.
bool Matches(const std::string& text, const std::string& pattern) {
    std::string re;
    for (char c : pattern) re += c == '*' ? std::string("[\\s\\S]*") : std::string(std::isalnum(uint8_t(c)) ? "" : "\\") + c;
    return std::regex_match(text, std::regex(re));
}

class SkinFileSafetyTest : public DesignerTest {
protected:
    frmDesigner& OpenWithSkins() {
        CreateDirectoryA(other.c_str(), nullptr);
        return DesignerTest::OpenWithSkins();
    }
    std::string other = dir / "Other";
};

TEST_F(SkinFileSafetyTest, SaveWritesAFileTheSkinWasNotOpenedFromOnlyAfterAYes) {
    frmDesigner& f = OpenWithSkins();
    const std::string anns = skins + "\\Dark.ini";
    for (const std::string& opened :
         {skins + "\\Dark.txt", skins + "\\Dark.skin", other + "\\Dark.ini", skins + "\\Dark.v2.ini"}) {
        WriteBytes(anns, kAnns);
        WriteBytes(opened, "[Vexo]\r\nname=Mine\r\n");
        ASSERT_TRUE(Load(opened));
        f.txtAuthor.SetText("Me");
        prompts.asked.clear();
        EXPECT_FALSE(f.FileSaveProc()) << opened;  // No, the default answer
        ASSERT_EQ(prompts.asked.size(), 1u) << opened;
        EXPECT_TRUE(Matches(Said(), "Saving writes this skin into \"" + anns + "\" (the skin was opened from \"" + opened +
                                        "\"), but that file already exists*Overwrite it?")) << Said();
        EXPECT_EQ(prompts.asked[0].style, UINT(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2));
        EXPECT_EQ(ReadBytes(anns), kAnns);
        EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
        prompts.Answer(IDYES);
        EXPECT_TRUE(f.FileSaveProc() && f.FileSaveProc() && prompts.asked.size() == 2u) << "once agreed, the file is its own";
        EXPECT_TRUE(Matches(ReadBytes(anns), "[Vexo]\r\nname=Mine\r\nAuthor=Me\r\n*directory=Skins\\Dark\r\n*"));
    }
    // Its own file, spelt otherwise, is saved without a question; a refused write names it.
    ASSERT_TRUE(Load(skins + "\\DARK.INI"));
    gSkinsFolder = skins + "\\";
    f.txtAuthor.SetText("Ann");
    const std::string saved = ReadBytes(anns);
    HANDLE lock = CreateFileA(anns.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    prompts.asked.clear();
    EXPECT_FALSE(f.FileSaveProc());
    CloseHandle(lock);
    EXPECT_EQ(ReadBytes(anns), saved);
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
    EXPECT_TRUE(Matches(Said(), "Error 32 (The file \"" + skins + "\\DARK.ini\" could not be written: *) in procedure "
                                "FileSaveProc of Form frmDesigner")) << Said();
    EXPECT_TRUE(f.FileSaveProc() && prompts.asked.size() == 1u);
    // A read-only skin file is refused as Windows refuses it, root under Wine too, and so is its
    // upgrade called directly: bytes, flag and folder stay as they were.
    const std::vector<std::string> listed = f.m_File->GetFiles(skins + "\\*.*");
    const std::string kept = ReadBytes(anns);
    ASSERT_TRUE(SetFileAttributesA(anns.c_str(), FILE_ATTRIBUTE_READONLY));
    f.txtAuthor.SetText("Bob");
    const std::string denied = "Error 5 (The file \"" + skins + "\\DARK.ini\" could not be written: Access denied) in procedure ";
    EXPECT_FALSE(f.FileSaveProc());
    EXPECT_EQ(Said(), denied + "FileSaveProc of Form frmDesigner");
    EXPECT_FALSE(f.UpdateFileVexo(skins + "\\DARK.ini"));
    EXPECT_EQ(Said(), denied + "UpdateFileVexo of Form frmDesigner");
    EXPECT_EQ(ReadBytes(anns), kept);
    EXPECT_TRUE(GetFileAttributesA(anns.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(f.m_File->GetFiles(skins + "\\*.*"), listed);
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
    SetFileAttributesA(anns.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ErrorMessageText(IniManag::WriteError("C:\\x.ini", 0), "P"),  // a refusal without a code
              "Error 75 (The file \"C:\\x.ini\" could not be written) in procedure P of Form frmDesigner");
}

// The profile functions may report a write that a full disk cut short: a save or a rename then
// fails saying so, and the skin files keep every byte, their other sections too. With no room
// the copy can't be made; with one block of room it is made and the keys are cut short in it.
TEST_F(SkinFileSafetyTest, AFullDiskFailsSaveAndRenameAndCostsTheFilesNothing) {
    SmallDisk disk(dir / "Small");
    if (!disk.Failure().empty()) GTEST_SKIP() << disk.Failure();
    skins = dir / "Small\\Skins";
    frmDesigner& f = OpenWithSkins();
    const std::string dark = "[Vexo]\r\nname=Dark\r\n[Other]\r\nkeep=1\r\n",
                      blue = "[Vexo]\r\nname=Blue\r\n[Other]\r\nkeep=" + std::string(4050, 'k') + "\r\n";  // a block, nearly
    WriteBytes(skins + "\\Dark.ini", dark);
    WriteBytes(skins + "\\Blue.ini", blue);
    for (const char* name : {"Dark", "Blue"}) CreateDirectoryA((skins + "\\" + name).c_str(), nullptr);
    ASSERT_TRUE(Load(skins + "\\Dark.ini"));
    f.txtAuthor.SetText(std::string(6000, 'A'));
    const std::vector<std::string> listed = f.m_File->GetFiles(skins + "\\*.*");
    const std::string full = " could not be written: Disk full) in procedure ";
    for (unsigned long room : {0ul, 4096ul}) {
        disk.Fill(room);
        prompts.asked.clear();
        EXPECT_FALSE(f.FileSaveProc()) << room;
        EXPECT_EQ(Said(), "Error 112 (The file \"" + skins + "\\Dark.ini\"" + full + "FileSaveProc of Form frmDesigner");
        EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
        prompts.AnswerInput("Night"), prompts.Answer(IDYES);
        f.RenameSkinAt(skins + "\\Blue");
        EXPECT_EQ(Said(), "Error 112 (The file \"" + skins + "\\Blue.ini\"" + full +
                              "cmdRenameSkin_Click of Form frmDesigner\r\n\r\nNothing was renamed.") << room;
        EXPECT_EQ(ReadBytes(skins + "\\Dark.ini"), dark) << room;
        EXPECT_EQ(ReadBytes(skins + "\\Blue.ini"), blue) << room;
        EXPECT_EQ(f.m_File->GetFiles(skins + "\\*.*"), listed) << room;  // no copy left behind
        EXPECT_TRUE(PathExists(skins + "\\Blue") && !PathExists(skins + "\\Night")) << room;
        disk.Free();
    }
    EXPECT_TRUE(f.FileSaveProc());
    // Found by position, not by a pattern: a pattern's matcher recurses once a character.
    const std::string saved = ReadBytes(skins + "\\Dark.ini");
    EXPECT_EQ(saved.rfind("[Vexo]\r\nname=Dark\r\n", 0), 0u);
    EXPECT_NE(saved.find("\r\nAuthor=" + std::string(6000, 'A') + "\r\n"), std::string::npos);
    EXPECT_EQ(saved.substr(saved.size() - 17), "[Other]\r\nkeep=1\r\n");
    EXPECT_EQ(f.m_File->GetFiles(skins + "\\*.*"), listed);
}

// A rename whose copy the disk cuts in a key of the skin's section that the rename doesn't write:
// the file keeps every byte and nothing is renamed.
TEST_F(SkinFileSafetyTest, ARenameCutShortInTheSkinSectionsOtherKeysCostsNothing) {
    SmallDisk disk(dir / "Small");
    if (!disk.Failure().empty()) GTEST_SKIP() << disk.Failure();
    skins = dir / "Small\\Skins";
    frmDesigner& f = OpenWithSkins();
    // Just under a block; the new name, longer by 18 in two keys, puts the last 20 bytes past it.
    std::string blue = "[Vexo]\r\nname=Blue\r\ndirectory=Skins\\Blue\r\nAuthor=";
    blue += std::string(4078 - blue.size(), 'A') + "\r\n";
    WriteBytes(skins + "\\Blue.ini", blue);
    CreateDirectoryA((skins + "\\Blue").c_str(), nullptr);
    const std::vector<std::string> listed = f.m_File->GetFiles(skins + "\\*.*");
    disk.Fill(4096);
    prompts.AnswerInput("BlueNightSkyOfTheNorth"), prompts.Answer(IDYES);
    f.RenameSkinAt(skins + "\\Blue");
    EXPECT_EQ(Said(), "Error 112 (The file \"" + skins + "\\Blue.ini\" could not be written: Disk full) in procedure "
                      "cmdRenameSkin_Click of Form frmDesigner\r\n\r\nNothing was renamed.");
    EXPECT_TRUE(ReadBytes(skins + "\\Blue.ini") == blue);
    EXPECT_EQ(f.m_File->GetFiles(skins + "\\*.*"), listed);
    disk.Free();
}

// A skin file reached through a link stays the link, its target written; hard links stay one file
// through Save, Rename and the upgrade; values longer than any read buffer are checked whole.
TEST_F(SkinFileSafetyTest, LinkedSkinFilesStayLinksAndLongValuesAreSavedWhole) {
    if (UnixPath(dir.Path()).empty()) GTEST_SKIP() << "links are made through Wine's Unix side";
    frmDesigner& f = OpenWithSkins();
    const std::string shared = dir / "shared", longValue(20000, 'x');
    CreateDirectoryA(shared.c_str(), nullptr);
    WriteBytes(shared + "\\Dark.ini", "[Vexo]\r\nname=Dark\r\n[Extra]\r\nlong=" + longValue + "\r\n");
    WriteBytes(shared + "\\Blue.ini", "[Vexo]\r\nname=Blue\r\n");
    WriteBytes(shared + "\\Old.ini", "name=Old\r\n");
    for (const char* name : {"Dark", "Blue"}) CreateDirectoryA((skins + "\\" + name).c_str(), nullptr);
    const std::string unixSkins = Quoted(UnixPath(skins));
    ASSERT_EQ(UnixSays("cd " + unixSkins + " && ln -s ../shared/Dark.ini Dark.ini && echo made", skins), "made");
    // Wine's MoveFile moves a symbolic link's target, not the link as Windows does: Rename is tried on a hard link.
    for (const char* name : {"Blue.ini", "Old.ini"})
        ASSERT_TRUE(CreateHardLinkA((skins + "\\" + name).c_str(), (shared + "\\" + name).c_str(), nullptr));
    auto isLink = [&](const char* name) {
        return UnixSays("test -L " + Quoted(UnixPath(skins) + "/" + name) + " && echo link", skins) == "link";
    };

    ASSERT_TRUE(Load(skins + "\\Dark.ini"));
    f.txtAuthor.SetText(std::string(20000, 'A'));
    prompts.asked.clear();
    EXPECT_TRUE(f.FileSaveProc());
    EXPECT_EQ(prompts.asked.size(), 0u) << Said();
    EXPECT_TRUE(isLink("Dark.ini"));
    const std::string saved = ReadBytes(shared + "\\Dark.ini");
    EXPECT_NE(saved.find("\r\nAuthor=" + std::string(20000, 'A') + "\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\nlong=" + longValue + "\r\n"), std::string::npos);

    prompts.AnswerInput("Night"), prompts.Answer(IDYES);
    f.RenameSkinAt(skins + "\\Blue");
    EXPECT_EQ(ReadBytes(shared + "\\Blue.ini"), "[Vexo]\r\nname=Night\r\ndirectory=Skins\\Night\r\n");
    EXPECT_TRUE(SameFile(IdentityOf(shared + "\\Blue.ini"), IdentityOf(skins + "\\Night.ini")));

    prompts.asked.clear();
    prompts.Answer(IDOK);
    EXPECT_TRUE(Load(skins + "\\Old.ini"));
    EXPECT_EQ(ReadBytes(shared + "\\Old.ini"), "[Vexo]\r\n\r\nname=Old\r\n\r\n");
    EXPECT_EQ(Said(), kUpdated);
}

// A device's name opens the device, not a file: no skin file is read, written or renamed by it.
TEST_F(SkinFileSafetyTest, ADevicesNameIsNoSkinFile) {
    frmDesigner& f = OpenWithSkins();
    WriteBytes(skins + "\\Dark.ini", kAnns);
    ASSERT_TRUE(Load(skins + "\\Dark.ini"));
    const std::vector<std::string> listed = f.m_File->GetFiles(skins + "\\*.*");
    auto refused = [&](const std::string& path, const char* device) {
        return "The file \"" + path + "\" can't be used as a skin file: its name stands for the device " + device +
               ", not for a file.";
    };
    f.txtSkinFilename.SetText("NUL.ini");
    EXPECT_FALSE(f.FileSaveProc());
    EXPECT_EQ(Said(), refused(skins + "\\NUL.ini", "NUL"));
    EXPECT_FALSE(Load(skins + "\\con.ini"));
    EXPECT_EQ(Said(), refused(skins + "\\con.ini", "CON"));
    f.RenameSkinAt(skins + "\\AUX");
    EXPECT_EQ(Said(), refused(skins + "\\AUX.ini", "AUX"));
    EXPECT_EQ(prompts.asked.size(), 3u);
    EXPECT_EQ(f.m_File->GetFiles(skins + "\\*.*"), listed);
    EXPECT_EQ(ReadBytes(skins + "\\Dark.ini"), kAnns);
    EXPECT_EQ(f.txtSkinName.Text(), "Dark");
    // Beneath the commands, the copy that would replace a device is refused and removed too.
    const std::string copy = IniManag::WrittenCopy(skins + "\\Dark.ini", "Vexo", {{"name", "Nul"}});
    try {
        IniManag::ReplaceWithCopy(skins + "\\NUL.ini", copy);
        ADD_FAILURE() << "a device replaced";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Number(), ERROR_BAD_DEV_TYPE);
    }
    EXPECT_EQ(f.m_File->GetFiles(skins + "\\*.*"), listed);
}

TEST_F(SkinFileSafetyTest, CleanUpOnlyInTheFolderOfASkinLoadedFromTheSkinsFolder) {
    frmDesigner& f = OpenWithSkins();
    const std::string own = skins + "\\Dark.ini", theirs = skins + "\\Dark\\theirs.bmp";
    WriteBytes(own, kAnns);
    CreateDirectoryA((skins + "\\Dark").c_str(), nullptr);
    WriteBytes(theirs, "x");
    for (const std::string& opened : {other + "\\Dark.ini", skins + "\\Dark.v2.ini", own}) {
        if (opened != own) WriteBytes(opened, "[Vexo]\r\nname=Mine\r\n");
        ASSERT_TRUE(Load(opened));
        gSkinsFolder = skins + (opened == own ? "\\" : "");
        EXPECT_EQ(f.IsLoadedSkinFolder(skins + "\\DARK\\"), opened == own);
        EXPECT_FALSE(f.IsLoadedSkinFolder(other + "\\Dark") || f.IsLoadedSkinFolder(skins));
        prompts.asked.clear();
        prompts.Answer(IDOK);
        f.mnuOptionsDeleteUnusedBitmap_Click();
        EXPECT_TRUE(Matches(Said(), opened == own ? "1 files deleted."
                                                  : "\"Delete unused bitmap\" works only*\"" + skins + "\\Dark\" may "
                                                    "belong to another skin*\"" + opened + "\"*Nothing was deleted.*")) << Said();
        EXPECT_EQ(PathExists(theirs), opened != own);
    }
}

TEST_F(SkinFileSafetyTest, CleanUpRefusesAFolderThatIsALinkOrAnotherSkinsFolder) {
    frmDesigner& f = OpenWithSkins();
    const std::string dark = skins + "\\Dark", light = skins + "\\Light", night = skins + "\\Night", art = dir / "Art";
    WriteBytes(dark + ".ini", kAnns);
    WriteBytes(light + ".ini", "[Vexo]\r\nname=Light\r\n");
    WriteBytes(night + ".ini", "[Vexo]\r\nname=Night\r\n");
    for (const std::string& folder : {light, art}) {
        CreateDirectoryA(folder.c_str(), nullptr);
        WriteBytes(folder + "\\theirs.bmp", "x");
    }
    ASSERT_TRUE(Load(dark + ".ini"));
    auto shared = [&](const std::string& other) {
        return "The folder \"" + dark + "\" is the same folder as \"" + other + "\", the bitmap folder of the skin \"" +
               other + ".ini\". Its bitmaps may be in use by that skin.\r\nNothing was deleted.";
    };
    auto refused = [&](const std::string& expected) {
        prompts.asked.clear();
        prompts.Answer(IDOK);
        f.mnuOptionsDeleteUnusedBitmap_Click();
        EXPECT_EQ(prompts.asked.size(), 1u);
        EXPECT_TRUE(Matches(Said(), expected)) << Said();
        EXPECT_EQ(prompts.asked[0].style, UINT(MB_OK | MB_ICONEXCLAMATION));
    };
    {  // Dark's folder leads to another skin's, then to a folder of no skin.
        FolderLink link(dark, light);
        ASSERT_EQ(link.Failure(), "");
        refused(shared(light));
    }
    {
        FolderLink link(dark, art);
        ASSERT_EQ(link.Failure(), "");
        refused("The folder \"" + dark + "\" is a link (a reparse point) to another folder, whose bitmaps may "
                "belong to another skin.*Nothing was deleted.");
    }
    EXPECT_TRUE(PathExists(light + "\\theirs.bmp") && PathExists(art + "\\theirs.bmp"));
    // Dark's own folder, but another skin's folder leads to it.
    CreateDirectoryA(dark.c_str(), nullptr);
    WriteBytes(dark + "\\unused.bmp", "x");
    {
        FolderLink link(night, dark);
        ASSERT_EQ(link.Failure(), "");
        refused(shared(night));
        EXPECT_TRUE(PathExists(dark + "\\unused.bmp"));
    }
    prompts.Answer(IDOK);
    f.mnuOptionsDeleteUnusedBitmap_Click();
    EXPECT_EQ(Said(), "1 files deleted.");
}

// A folder of the skins folder that leads to Dark's but has no skin file of its name is no skin's
// folder: Dark's clean-up goes ahead.
TEST_F(SkinFileSafetyTest, CleanUpGoesAheadBesideALinkToItsFolderThatNoSkinOwns) {
    frmDesigner& f = OpenWithSkins();
    const std::string dark = skins + "\\Dark", backup = skins + "\\Backup";
    WriteBytes(dark + ".ini", kAnns);
    CreateDirectoryA(dark.c_str(), nullptr);
    WriteBytes(dark + "\\unused.bmp", "x");
    ASSERT_TRUE(Load(dark + ".ini"));
    FolderLink link(backup, dark);
    ASSERT_EQ(link.Failure(), "");
    ASSERT_TRUE(SameFile(IdentityOf(backup), IdentityOf(dark)) && PathExists(backup + "\\unused.bmp"));
    ASSERT_FALSE(PathExists(backup + ".ini"));
    prompts.Answer(IDOK);
    f.mnuOptionsDeleteUnusedBitmap_Click();
    ASSERT_EQ(prompts.asked.size(), 2u) << Said();
    EXPECT_EQ(prompts.asked[0].text, "Delete unused files now. Are you sure?");
    EXPECT_EQ(Said(), "1 files deleted.");
    EXPECT_FALSE(PathExists(dark + "\\unused.bmp"));
}

bool g_BrowserShown = false;
void CALLBACK CancelBrowser(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND cancel = FolderDriver::HostButton("Cancel")) g_BrowserShown = PostMessageA(cancel, BM_CLICK, 0, 0);
}

TEST_F(SkinFileSafetyTest, NewSaveAndRenameNeedTheSkinsFolderAndSaveASkinFile) {
    frmDesigner& f = Open();  // the first-run search declined: no skins folder
    const std::string zed = "Zed" + std::to_string(GetCurrentProcessId());
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
        ASSERT_EQ(prompts.asked.size(), 3u);
        for (const auto& asked : prompts.asked)
            EXPECT_EQ(asked.text,
                      (folder.empty() ? "No skins folder is chosen yet." : "The skins folder \"" + folder + "\" doesn't exist.") +
                          "\r\nChoose it with \"Select the Vexo skins folder...\" in the Options menu, then try again.");
        EXPECT_TRUE(prompts.inputPrompts.empty() && !g_BrowserShown);
        EXPECT_FALSE(PathExists("\\" + zed + ".ini") || PathExists("\\" + zed) || f.TabStrip1.Enabled());
    }
    KillTimer(nullptr, timer);
    EXPECT_FALSE(PathExists(dir / "gone"));
    CreateDirectoryA(skins.c_str(), nullptr);  // a skins folder and a typed name, but no skin file
    gSkinsFolder = skins;
    f.txtSkinFilename.SetText("");
    EXPECT_FALSE(f.FileSaveProc());
    EXPECT_EQ(Said(),
              "There is no skin file to save this skin into.\r\nUse \"New skin...\" or \"Open skin...\" in the File menu first.");
    EXPECT_FALSE(PathExists(skins + "\\.ini"));
}

TEST_F(SkinFileSafetyTest, OpeningFilesOfEveryKindChangesTheWindowOnlyWhenTheyLoad) {
    frmDesigner& f = OpenWithSkins();
    const std::string base = skins + "\\Base.ini", path = skins + "\\Case.ini";
    WriteBytes(base, "[Vexo]\r\nname=Base\r\nAuthor=Bea\r\n");
    enum Hold { Free, ReadOnly, Locked, Read };  // Locked and Read: another program holds the file
    struct Case {
        std::string bytes;
        Hold hold;
        std::vector<std::string> said;  // patterns; the upgrade question is answered OK
        std::string after;              // the file afterwards; empty: unchanged
        const char *name, *author;      // the window's; no name: not loaded, the window keeps Base
    } const cases[] = {
        {"[Vexo]\r\nAuthor=Ann\r\n", Free, {}, "", "", "Ann"},
        {"[vexo]\r\nname=\r\nAuthor=Ann\r\n", Free, {}, "", "", "Ann"},
        {"Author=Ann\r\n[VEXO]\r\n", Free, {}, "", "", ""},
        {"name=Dark\r\nAuthor=Ann\r\n", Free, {kAsk, kUpdated}, "[Vexo]\r\n\r\nname=Dark\r\nAuthor=Ann\r\n\r\n", "Dark", "Ann"},
        {kMark + "name=Dark\r\n", Free, {kAsk, kUpdated}, kMark + "[Vexo]\r\n\r\nname=Dark\r\n\r\n", "Dark", ""},
        {"[Vexo]\r\nname=Dark\r\n", ReadOnly, {}, "", "Dark", ""},
        {"name=Dark\r\n", ReadOnly, {"Error 5 (The file \"" + path + "\" could not be written: Access denied) in procedure "
                                      "UpdateFileVexo of Form frmDesigner\r\n\r\nThe file has no [Vexo] section and is read-only*"},
         "", nullptr, nullptr},
        {"[Vexo]\r\nname=Dark\r\n", Locked, {"Error 32 (*) in procedure OpenFile of Form frmDesigner"}, "", nullptr, nullptr},
        {"name=Dark\r\n", Read, {kAsk, "Error *) in procedure UpdateFileVexo of Form frmDesigner"}, "", nullptr, nullptr},
    };
    auto hold = [&](Hold h) {
        return h < Locked ? INVALID_HANDLE_VALUE
                          : CreateFileA(path.c_str(), GENERIC_READ | (h == Locked ? GENERIC_WRITE : 0),
                                        h == Locked ? 0 : FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    };
    for (const Case& c : cases) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        WriteBytes(path, c.bytes);
        SetFileAttributesA(path.c_str(), c.hold == ReadOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(Load(base));
        HANDLE held = hold(c.hold);
        prompts.asked.clear();
        for (int i = 0; i < 2; ++i) prompts.Answer(IDOK);
        EXPECT_EQ(Load(path), c.name != nullptr) << c.bytes;
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        ASSERT_EQ(prompts.asked.size(), c.said.size()) << c.bytes << ": " << Said();
        for (size_t i = 0; i < c.said.size(); ++i) EXPECT_TRUE(Matches(prompts.asked[i].text, c.said[i])) << c.bytes;
        EXPECT_EQ(ReadBytes(path), c.after.empty() ? c.bytes : c.after);
        EXPECT_EQ((GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0, c.hold == ReadOnly);
        EXPECT_EQ(f.txtSkinName.Text() + "/" + f.txtAuthor.Text() + "/" + gSkinFileName + "/" + f.sb1.PanelText("state"),
                  c.name ? std::string(c.name) + "/" + c.author + "/Case.ini/Saved" : "Base/Bea/Base.ini/Saved");
        EXPECT_EQ(f.m_File->GetFiles(skins + "\\*.*").size(), 3u) << c.bytes;  // nothing left beside them
        prompts.asked.clear();
        EXPECT_TRUE(!c.name || (Load(path) && prompts.asked.empty())) << c.bytes;  // asked once at most
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE held = hold(Locked);
    {
        DialogDriver driver(DialogPlan::ChooseFile(path));  // File > Open keeps the window's file name too
        f.FileOpenProc();
        EXPECT_TRUE(driver.Done()) << driver.Failure();
    }
    CloseHandle(held);
    EXPECT_EQ(f.txtSkinFilename.Text(), base);
    f.txtAuthor.SetText("Bea two");  // after the failures, the skin in the window saves as ever
    prompts.asked.clear();
    EXPECT_TRUE(f.FileSaveProc() && prompts.asked.empty());
}
}  // namespace
