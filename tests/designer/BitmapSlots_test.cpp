#include <windows.h>

#include <commdlg.h>

#include "BmpFile.h"
#include "DesignerFixture.h"
#include "DialogDriver.h"

namespace {

class BitmapSlotsTest : public DesignerTest {
protected:
    // The skin "Dark" made in the skins folder; the bitmaps to choose lie in Art.
    frmDesigner& OpenDark() {
        CreateDirectoryA(skins.c_str(), nullptr);
        CreateDirectoryA(art.c_str(), nullptr);
        WriteBytes(sky, BmpFile(4, 4, 0x0000FF));
        frmDesigner& f = Open("[Options]\r\nFirstRun=0\r\nSkinsFolder=" + skins + "\r\nCopyBitmapToSkinFolder=1");
        prompts.AnswerInput("Dark");
        f.mnuFileNew_Click();
        return f;
    }
    // A left click on the slot with the dialog answered: its title and folder, then what the window shows.
    // A listed name, when given, is chosen in the dialog's list instead: names outside the code page.
    std::string Choose(int slot, const std::string& path, const std::wstring& listed = L"") {
        return Choose(slot, path.empty() ? DialogPlan::Cancel() : DialogPlan::ChooseFile(path), listed);
    }
    std::string Choose(int slot, const DialogPlan& plan, const std::wstring& listed = L"") {
        prompts.asked.clear();
        char folder[MAX_PATH] = {};
        DialogDriver driver(plan);
        driver.WhileShown = [&](HWND d) { SendMessageA(d, CDM_GETFOLDERPATH, MAX_PATH, LPARAM(folder)); };
        if (!listed.empty()) driver.BeforeAnswer = [&](HWND d) { EXPECT_TRUE(SelectListedFile(d, listed)); };
        gFrmDesigner->lblBmpName_MouseDown(int16_t(slot), 1, 0, 0, 0);
        EXPECT_TRUE(driver.Done()) << driver.Failure();
        return driver.Seen().title + " in " + UpperCase(folder + dir.Path().size()) + ": " + Shown(slot);
    }
    // The slot's name, the skin state, the lit slots, the titles and styles of the boxes asked.
    std::string Shown(int slot) {
        frmDesigner& f = *gFrmDesigner;
        std::string s = f.lblBmpName(slot).Caption() + "|" + f.sb1.PanelText("state") + "|lit";
        for (int i = 0; i < 25; ++i) {
            const int32_t back = f.lblBmpName(i).BackColor();
            if (back == int32_t(0x80000018)) s.append(" ").append(std::to_string(i));
            else if (back != int32_t(0x80000005)) s += " ?";
        }
        for (auto& a : prompts.asked) s += "|" + a.title + " " + std::to_string(a.style);
        return s;
    }
    std::string skins = dir / "Skins", dark = dir / "Skins\\Dark", art = dir / "Art", sky = art + "\\sky.bmp";
};

TEST_F(BitmapSlotsTest, ChoicesCopyOnlyIntoTheSkinsOwnFolderAskingBeforeOverwritingAndLosingNothing) {
    frmDesigner& f = OpenDark();
    // Cancelled, or chosen while loading: at most the name changes. With the copy off the name is looked for in the skin.
    gCopyBitmapToSkinFolder = false;
    EXPECT_EQ(Choose(3, ""), "Select bitmap for Progress foreground: in \\SKINS: |Saved|lit");
    f.m_Loading = true;
    EXPECT_EQ(Choose(4, sky), "Select bitmap for MenuBar: in \\SKINS: sky.bmp|Saved|lit");
    f.m_Loading = false;
    EXPECT_EQ(Choose(0, sky), "Select bitmap for Background: in \\ART: sky.bmp|Changed|lit 0|Error # 53 48");
    EXPECT_EQ(prompts.asked[0].text, "Error loading image!\r\nFile not found\r\n\r\nPlease, check your folder images Name.");
    EXPECT_FALSE(PathExists(dark + "\\sky.bmp"));

    gCopyBitmapToSkinFolder = true;
    EXPECT_EQ(Choose(1, sky), "Select bitmap for Foreground: in \\ART: sky.bmp|Changed|lit 1");
    WriteBytes(sky, BmpFile(4, 4, 0x00FF00));
    f.MarkSkinSaved();
    prompts.Answer(IDCANCEL);
    EXPECT_EQ(Choose(2, sky), "Select bitmap for Control background: in \\ART: sky.bmp|Changed|lit 2|Vexo VadiVirerova 49");
    EXPECT_EQ(prompts.asked[0].text, "The file " + dark + "\\sky.bmp already exists. Overwrite?");
    EXPECT_EQ(ReadBytes(dark + "\\sky.bmp"), BmpFile(4, 4, 0x0000FF));
    EXPECT_EQ(f.picBitmapPreview.Point(1, 1), 0x0000FF);  // shown by the first choice, not since
    prompts.Answer(IDOK);
    Choose(2, sky);
    EXPECT_EQ(f.picBitmapPreview.Point(1, 1), 0x00FF00);

    // Already there in other letter case: nothing asked or copied; slot 11 shows in the Buttons box.
    WriteBytes(dark + "\\btn.bmp", BmpFile(2, 2, 0x302010));
    EXPECT_EQ(Choose(11, skins + "\\DARK\\BTN.BMP"), "Select bitmap for Btn alpha: in \\ART: BTN.BMP|Changed|lit 11");
    EXPECT_EQ(f.picButtonPreview.Point(0, 0), 0x302010);
    f.lblBmpName(10).SetCaption("btn.bmp");  // slot 10, the last of the Images page, shows in the Images box
    f.lblBmpName_MouseDown(10, 2, 0, 0, 0);
    EXPECT_EQ(f.picBitmapPreview.Point(0, 0), 0x302010);

    // The skin's own folder gone: made again for a copy, but not over a file in its way, nor left after a failed copy.
    RemoveTree(dark);
    WriteBytes(dark, "");
    EXPECT_EQ(Choose(6, sky), "Select bitmap for Menu background: in \\SKINS: sky.bmp|Changed|lit 6|Vexo VadiVirerova 48");
    EXPECT_EQ(prompts.asked[0].text.find("The skin's bitmap folder " + dark + " does not exist and could not be created:"), 0u);
    EXPECT_TRUE(DeleteFileA(dark.c_str()));
    HANDLE held = CreateFileA(sky.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(Choose(6, sky), "Select bitmap for Menu background: in \\ART: sky.bmp|Changed|lit 6|Vexo VadiVirerova 48");
    CloseHandle(held);
    EXPECT_FALSE(PathExists(dark));
    EXPECT_EQ(Choose(6, sky), "Select bitmap for Menu background: in \\ART: sky.bmp|Changed|lit 6");

    // A destination read-only or held open: said with the system's reason, the old bitmap kept, nothing new left.
    WriteBytes(sky, BmpFile(4, 4, 0x112233));
    for (bool readOnly : {true, false}) {
        SetFileAttributesA((dark + "\\sky.bmp").c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        held = readOnly ? nullptr : CreateFileA((dark + "\\sky.bmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        prompts.Answer(IDOK);
        EXPECT_EQ(Choose(5, sky), "Select bitmap for Menu foreground: in \\ART: sky.bmp|Changed|lit 5|Vexo VadiVirerova 49|Vexo VadiVirerova 48");
        EXPECT_EQ(prompts.asked[1].text.find("The bitmap " + art + "\\sky.bmp could not be copied to " + dark +
                                             "\\sky.bmp:\r\n" + SystemErrorText(ERROR_ACCESS_DENIED)), 0u);
        if (held) CloseHandle(held);
    }
    EXPECT_EQ(ReadBytes(dark + "\\sky.bmp"), BmpFile(4, 4, 0x00FF00));
    EXPECT_EQ(File().GetFiles(dark + "\\*").size(), 2u) << "no temporary file left";

    // The skin opened from elsewhere: the skins folder's Dark is another skin's.
    WriteBytes(dir / "Dark.ini", "[Vexo]\r\nname=Stranger\r\n");
    ASSERT_TRUE(f.OpenFile(dir / "Dark.ini"));
    Choose(7, sky);
    EXPECT_NE(prompts.asked.at(0).text.find("was not copied"), std::string::npos);
    EXPECT_EQ(ReadBytes(dark + "\\sky.bmp"), BmpFile(4, 4, 0x00FF00));
}

TEST_F(BitmapSlotsTest, ADeviceOrANameOutsideTheCodePageIsRefusedChangingNothing) {
    frmDesigner& f = OpenDark();
    WriteBytes(Widen(skins) + L"\\\u65E5\u672C.bmp", BmpFile(2, 2, 0x0000FF));  // where the dialog opens
    const std::string refused = "Vexo VadiVirerova 48", please = ".\r\nPlease, choose another file.";
    const std::string outside = " can't be used: its name holds characters that the system's code page can't show" + please;
    EXPECT_EQ(Choose(0, art + "\\NUL.bmp"), "Select bitmap for Background: in \\SKINS: |Saved|lit|" + refused);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text,
              "The file " + art + "\\NUL.bmp can't be used: its name stands for the device NUL, not for a file" + please);
    EXPECT_EQ(Choose(1, skins, L"\u65E5\u672C.bmp"), "Select bitmap for Foreground: in \\SKINS: |Saved|lit|" + refused);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "The file " + skins + "\\??.bmp" + outside);

    // In another skin's folder, beside their lookalikes: the Greek capital omega's "Omega.bmp"
    // typed, the fullwidth s's "sun.bmp" picked. Neither is taken nor copied in their place.
    const std::string light = skins + "\\Light";
    CreateDirectoryA(light.c_str(), nullptr);
    for (const char* name : {"Omega.bmp", "sun.bmp"}) WriteBytes(light + "\\" + name, BmpFile(2, 2, 0x00FF00));
    for (const wchar_t* name : {L"\\\u03A9mega.bmp", L"\\\uFF53un.bmp", L"\\\u00E9t\u00E9.bmp"})
        WriteBytes(Widen(light) + name, BmpFile(2, 2, 0x0000FF));
    f.m_LastBitmapPath = light + "\\Omega.bmp";  // the dialog opens in Light
    EXPECT_EQ(Choose(2, DialogPlan::ChooseFile(L"\u03A9mega.bmp")),
              "Select bitmap for Control background: in \\SKINS\\LIGHT: |Saved|lit|" + refused);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "The file " + light + "\\?mega.bmp" + outside);
    EXPECT_EQ(Choose(3, light, L"\uFF53un.bmp"), "Select bitmap for Progress foreground: in \\SKINS\\LIGHT: |Saved|lit|" + refused);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "The file " + light + "\\?un.bmp" + outside);
    // Nothing copied, and the next dialog still opens where it did.
    EXPECT_EQ(File().GetFiles(dark + "\\*").size(), 1u);
    EXPECT_EQ(Choose(4, ""), "Select bitmap for MenuBar: in \\SKINS\\LIGHT: |Saved|lit");
    EXPECT_EQ(f.m_LastBitmapPath, light + "\\Omega.bmp");

    // A name the code page holds is taken and copied, typed whole as the user would.
    EXPECT_EQ(Choose(5, DialogPlan::ChooseFile(L"\u00E9t\u00E9.bmp")),
              "Select bitmap for Menu foreground: in \\SKINS\\LIGHT: \xE9t\xE9.bmp|Changed|lit 5");
    EXPECT_EQ(ReadBytes(dark + "\\\xE9t\xE9.bmp"), BmpFile(2, 2, 0x0000FF));
    EXPECT_EQ(f.picBitmapPreview.Point(1, 1), 0x0000FF);
}

}  // namespace
