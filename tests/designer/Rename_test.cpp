#include <windows.h>

#include "DesignerFixture.h"
#include "FolderDriver.h"

namespace {

// The names in a folder, in the order the system lists them.
std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &data)) names.push_back(data.cFileName);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    return names;
}

class RenameTest : public DesignerTest {
protected:
    void SetUp() override { GetCurrentDirectoryA(MAX_PATH, startFolder); DesignerTest::SetUp(); }
    void TearDown() override { SetCurrentDirectoryA(startFolder); DesignerTest::TearDown(); }
    char startFolder[MAX_PATH] = {};
    void MakeSkin(const std::string& name) {
        CreateDirectoryA(skins.c_str(), nullptr);
        CreateDirectoryA((skins + "\\" + name).c_str(), nullptr);
        WriteBytes(skins + "\\" + name + "\\sky.bmp", "bitmap of " + name);
        WriteBytes(skins + "\\" + name + ".ini", "[Vexo]\r\nname=" + name + "\r\n");  // no directory key yet
    }
};

TEST_F(RenameTest, RefusalsAndFailuresLeaveTheDiskAsItWasRenameFromInsideTheSkinAndChooseTheSkinsFolder) {
    MakeSkin("Dark");
    MakeSkin("Blue");
    frmDesigner& f = OpenWithSkins();
    CreateDirectoryA((skins + "\\Lonely").c_str(), nullptr);
    WriteBytes(skins + "\\Old.ini", "name=Old\r\n");  // never upgraded: no section
    CreateDirectoryA((skins + "\\Old").c_str(), nullptr);
    auto snapshot = [&] {
        std::string all;
        for (const char* p : {"Dark.ini", "Dark\\sky.bmp", "Blue.ini", "Blue\\sky.bmp", "Old.ini"})
            all += ReadBytes(skins + "\\" + p) + "|";
        return all + (PathExists(skins + "\\Night") || PathExists(skins + "\\Night.ini") ? "Night" : "");
    };
    const std::string before = snapshot();

    gSkinFileName = "Dark.ini";  // the loaded skin
    f.RenameSkinAt(skins + "\\Dark");
    EXPECT_EQ(prompts.asked.back().text, "This skin is currently loaded by Vadi Virerova!\r\nCan't be renamed!");
    gSkinFileName.clear();
    f.RenameSkinAt(skins + "\\Lonely");
    EXPECT_EQ(prompts.asked.back().text, "File " + skins + "\\Lonely.ini not found!");
    f.RenameSkinAt(skins + "\\Old");
    EXPECT_EQ(prompts.asked.back().text.rfind("This file is not updated and can't be renamed! First, you must \r\n", 0), 0u);

    // Names that cannot be a skin's, and a name that belongs to another skin.
    for (const char* bad : {"..\\Up", "..", "x:y", "Blue", "blue"}) {
        prompts.asked.clear();
        prompts.AnswerInput(bad);
        f.RenameSkinAt(skins + "\\Dark");
        EXPECT_EQ(prompts.asked.size() == 1 ? prompts.asked[0].title : "?", "Skin name error") << bad;
    }
    prompts.AnswerInput("Night");
    prompts.Answer(IDNO);
    f.RenameSkinAt(skins + "\\Dark");
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(PathExists(dir / "Up.ini"));
    // Whatever holds the folder or the file, every step done is undone, and the message says what and why.
    const std::string from = "\"" + skins + "\\Dark", to = "\" could not be renamed to \"" + skins + "\\Night";
    // The new keys replace the file last: held so that it can be renamed but not replaced, it is
    // renamed back with its bytes whole, and no copy is left beside it.
    // A read-only skin file is never written, though root under Wine could write and replace it.
    const struct { const char* held; DWORD share; std::string what; } holds[] = {
        {"Dark", FILE_SHARE_READ | FILE_SHARE_WRITE, "32 (The folder " + from + to + "\": Sharing violation"},
        {"Dark.ini", FILE_SHARE_READ | FILE_SHARE_WRITE, "32 (The skin file " + from + ".ini" + to + ".ini\": Sharing violation"},
        {"Dark.ini", FILE_SHARE_READ | FILE_SHARE_DELETE, "32 (The file \"" + skins + "\\Night.ini\" could not be written: Sharing violation"},
        {nullptr, 0, "5 (The file \"" + skins + "\\Dark.ini\" could not be written: Access denied"}};
    const std::vector<std::string> names = Names(skins);
    const std::string darkIni = skins + "\\Dark.ini";
    for (const auto& [held, share, what] : holds) {
        const HANDLE h = held ? CreateFileA((skins + "\\" + held).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_BACKUP_SEMANTICS, nullptr)
                              : INVALID_HANDLE_VALUE;
        // A read-only file is refused before the name is asked for: no question could change that.
        if (!held) ASSERT_TRUE(SetFileAttributesA(darkIni.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
        else prompts.AnswerInput("Night"), prompts.Answer(IDYES);
        prompts.asked.clear(), prompts.inputPrompts.clear();
        f.RenameSkinAt(skins + "\\Dark");
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        EXPECT_EQ(prompts.asked.size(), held ? 2u : 1u) << what;
        EXPECT_EQ(prompts.inputPrompts.size(), held ? 1u : 0u) << what;
        EXPECT_EQ(Said(), "Error " + what + ") in procedure cmdRenameSkin_Click of Form frmDesigner\r\n\r\nNothing was renamed.");
        EXPECT_EQ(snapshot(), before) << what;
        EXPECT_EQ(Names(skins), names) << what;
        EXPECT_EQ(GetFileAttributesA(darkIni.c_str()), held ? FILE_ATTRIBUTE_ARCHIVE : FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
        SetFileAttributesA(darkIni.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    }
    // A skin file another program holds unshared is named with the system's reason, not as a file without keys.
    prompts.asked.clear();
    const HANDLE unshared = CreateFileA((skins + "\\Dark.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    f.RenameSkinAt(skins + "\\Dark");
    CloseHandle(unshared);
    EXPECT_EQ(Said(), "Error 32 (Sharing violation) in procedure cmdRenameSkin_Click of Form frmDesigner");
    EXPECT_EQ(snapshot(), before);

    prompts.asked.clear();
    prompts.inputPrompts.clear();
    prompts.AnswerInput("Night");
    prompts.Answer(IDYES);
    FolderDriver driver;
    driver.SelectPath(skins + "\\Dark").Press("OK");
    SetCurrentDirectoryA((skins + "\\Dark").c_str());  // where an open dialog could leave the program
    f.mnuFileRenameSkin_Click();
    ASSERT_TRUE(driver.Done()) << driver.Failure();
    EXPECT_EQ(prompts.inputPrompts, std::vector<std::string>{"Enter the new name for skin: Dark"});
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "Now rename \r\n" + skins + "\\Dark\r\n with the new name: Night\r\n\r\nAre you sure?");
    EXPECT_EQ(prompts.asked[0].style, 36u);
    EXPECT_EQ(ReadBytes(skins + "\\Night.ini"), "[Vexo]\r\nname=Night\r\ndirectory=Skins\\Night\r\n");
    EXPECT_EQ(ReadBytes(skins + "\\Night\\sky.bmp"), "bitmap of Dark");
    EXPECT_FALSE(PathExists(skins + "\\Dark.ini") || PathExists(skins + "\\Dark"));
    EXPECT_TRUE(IsWindowEnabled(f.Hwnd()));

    // Choosing the skins folder stores it and marks the skin changed; Cancel changes nothing.
    const std::string other = dir / "Other Skins";
    CreateDirectoryA(other.c_str(), nullptr);
    prompts.asked.clear();
    prompts.Answer(IDOK);
    for (bool cancel : {true, false}) {
        cancel ? driver.Press("Cancel") : driver.SelectPath(other).Press("OK");
        f.mnuOptionsSkinsFolder_Click();
        ASSERT_TRUE(driver.Done()) << driver.Failure();
        EXPECT_EQ(gSkinsFolder, cancel ? skins : other);
        EXPECT_EQ(f.sb1.PanelText("state"), cancel ? "" : "Changed");
    }
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked.back().text, "Selected folder is:\r " + UpperCase(other) + "\rConfirm?");
    EXPECT_EQ(prompts.asked.back().style, 33u);
    EXPECT_EQ(f.txtSkinsFolder.Text(), other);
    EXPECT_NE(ReadBytes(dir / "VexoVadiVirerova.ini").find("SkinsFolder=" + other + "\r\n"), std::string::npos);
}

// The folder Omega with a Greek capital omega, beside the skin Omega: the ANSI path of the one is
// the other's. Picked for Rename it is refused, and Omega keeps its name.
TEST_F(RenameTest, AFolderTheCodePageCantHoldIsRefusedAndTheSkinItsNameLooksLikeKeepsItsName) {
    MakeSkin("Omega");
    frmDesigner& f = OpenWithSkins();
    const std::wstring omega = Widen(skins) + L"\\\u03A9mega";
    MakeFolder(omega);
    WriteBytes(omega + L".ini", "[Vexo]\r\nname=Omega\r\n");
    const std::vector<std::string> names = Names(skins);
    FolderDriver driver;
    driver.SelectPath(omega).Press("OK").WaitFor("refused", [&] { return prompts.asked.size() == 1; }).Press("Cancel");
    f.mnuFileRenameSkin_Click();
    ASSERT_TRUE(driver.Done()) << driver.Failure();
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "The folder " + skins + "\\?mega can't be used: its name holds characters that the "
                                     "system's code page can't show.\r\nPlease, choose another folder.");
    EXPECT_TRUE(prompts.inputPrompts.empty());
    EXPECT_EQ(Names(skins), names);
    EXPECT_EQ(ReadBytes(skins + "\\Omega.ini"), "[Vexo]\r\nname=Omega\r\n");
}

}  // namespace
