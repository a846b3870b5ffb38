#include <windows.h>

#include "DesignerFixture.h"
#include "CMDIALOG.h"
#include "DialogDriver.h"
#include "SkinTables.h"

#include <algorithm>

namespace {

class SkinFileTest : public DesignerTest {};

// Fills every field with a value of its own.
void FillAll(frmDesigner& f) {
    f.txtSkinFilename.SetText("Dark.ini");
    f.txtSkinName.SetText("Dark");
    f.txtSkinVersion.SetText("2.0");
    f.txtAuthor.SetText("Ann");
    f.txtEmail.SetText("ann@example.org");
    f.txtWeb.SetText("www.example.org");
    for (int i = 0; i < kBitmapSlotCount; ++i) f.lblBmpName(i).SetCaption("slot" + std::to_string(i) + ".bmp");
    for (int i = 0; i < kColorSlotCount; ++i) f.lblCtrlColor(i).SetBackColor(0x010203 * (i + 1));
    f.txtFontName.SetText("Verdana");
    f.txtFontWidth.SetText("7");
    f.txtFontHeight.SetText("15");
    f.txtFontWeight.SetText("700");
}

TEST_F(SkinFileTest, SaveThenOpenGivesBackEveryFieldWithKeysInWriteOrder) {
    frmDesigner& f = OpenWithSkins();
    FillAll(f);
    ASSERT_TRUE(f.FileSaveProc());
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");
    EXPECT_EQ(gSkinName, "Dark");

    // One section, the keys in the order written: info, 25 bitmaps, 38 colours, 4 font fields.
    const std::string file = ReadBytes(skins + "\\Dark.ini");
    EXPECT_EQ(file.rfind("[Vexo]\r\nname=Dark\r\nversion=2.0\r\ndirectory=Skins\\Dark\r\nAuthor=Ann\r\n"
                         "E-Mail=ann@example.org\r\nWeb Site=www.example.org\r\nbackground=slot0.bmp\r\n", 0), 0u);
    EXPECT_NE(file.find("btn_ompeg=slot19.bmp\r\nbtn_inset=slot20.bmp\r\n"), std::string::npos);
    EXPECT_NE(file.find("btn_stop=slot24.bmp\r\nButton_LightColor=0x010203\r\nButton_DarkColor=0x020406\r\n"),
              std::string::npos);
    EXPECT_NE(file.find("Static_LightColor=0x112233\r\n"), std::string::npos);
    EXPECT_EQ(file.substr(file.find("MenuBar_font_name")), "MenuBar_font_name=Verdana\r\nMenuBar_font_width=7\r\n"
                                                            "MenuBar_font_height=15\r\nMenuBar_font_weight=700\r\n");
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 1 + 6 + 25 + 38 + 4);

    // Clear the window, then read the file back.
    for (int i = 0; i < kBitmapSlotCount; ++i) f.lblBmpName(i).SetCaption("");
    for (int i = 0; i < kColorSlotCount; ++i) f.lblCtrlColor(i).SetBackColor(0);
    for (TextBox* t : {&f.txtSkinName, &f.txtSkinVersion, &f.txtAuthor, &f.txtEmail, &f.txtWeb, &f.txtFontName,
                       &f.txtFontWidth, &f.txtFontHeight, &f.txtFontWeight})
        t->SetText("");
    f.m_Loading = true;
    ASSERT_TRUE(f.OpenFile(skins + "\\Dark.ini"));
    f.m_Loading = false;
    EXPECT_EQ(f.txtSkinName.Text(), "Dark");
    EXPECT_EQ(f.txtSkinVersion.Text(), "2.0");
    EXPECT_EQ(f.txtAuthor.Text(), "Ann");
    EXPECT_EQ(f.txtEmail.Text(), "ann@example.org");
    EXPECT_EQ(f.txtWeb.Text(), "www.example.org");
    EXPECT_EQ(f.lblSkinDirectory.Caption(), "Skins\\Dark");
    for (int i = 0; i < kBitmapSlotCount; ++i) EXPECT_EQ(f.lblBmpName(i).Caption(), "slot" + std::to_string(i) + ".bmp");
    for (int i = 0; i < kColorSlotCount; ++i) EXPECT_EQ(f.lblCtrlColor(i).BackColor(), 0x010203 * (i + 1)) << i;
    EXPECT_EQ(f.txtFontName.Text(), "Verdana");
    EXPECT_EQ(f.txtFontWeight.Text(), "700");
    EXPECT_EQ(f.txtSkinFilename.Text(), skins + "\\Dark.ini");
    EXPECT_EQ(gSkinFileName, "Dark.ini");
    EXPECT_EQ(f.sb1.PanelText("skin"), "Dark");
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");  // the reader's filling marked nothing changed
    EXPECT_TRUE(f.TabStrip1.Enabled());
    EXPECT_EQ(f.SkinBitmapPath(14), skins + "\\Dark\\slot14.bmp");
}

TEST_F(SkinFileTest, SavingKeepsForeignKeysAndSectionsAndWritesColoursInUpperCase) {
    frmDesigner& f = OpenWithSkins();
    WriteBytes(skins + "\\Blue.ini", "[Extra]\r\nkeep=1\r\n[Vexo]\r\nname=Blue\r\nOwnKey=mine\r\n"
                                     "Button_LightColor=0xff8000\r\n");
    f.m_Loading = true;
    ASSERT_TRUE(f.OpenFile(skins + "\\Blue.ini"));
    f.m_Loading = false;
    EXPECT_EQ(GetRed(f.lblCtrlColor(0).BackColor()), 0);
    EXPECT_EQ(GetGreen(f.lblCtrlColor(0).BackColor()), 128);
    EXPECT_EQ(GetBlue(f.lblCtrlColor(0).BackColor()), 255);
    EXPECT_EQ(f.txtSkinVersion.Text(), "1.2");  // missing keys take their defaults
    EXPECT_EQ(f.lblCtrlColor(37).BackColor(), 0);
    EXPECT_EQ(f.txtFontName.Text(), "");
    ASSERT_TRUE(f.FileSaveProc());
    const std::string bytes = ReadBytes(skins + "\\Blue.ini");
    EXPECT_EQ(bytes.rfind("[Extra]\r\nkeep=1\r\n[Vexo]\r\nname=Blue\r\nOwnKey=mine\r\nButton_LightColor=0xFF8000\r\n", 0), 0u)
        << bytes;
    EXPECT_NE(bytes.find("MenuBar_font_weight=\r\n"), std::string::npos);
}

TEST_F(SkinFileTest, AFileWithoutAHeaderIsUpgradedOnlyWhenTheUserAgrees) {
    frmDesigner& f = OpenWithSkins();
    const std::string path = skins + "\\Old.ini";
    WriteBytes(path, "name=Dark\r\nversion=1.0\r\n");
    f.txtAuthor.SetText("unchanged");

    prompts.Answer(IDCANCEL);
    EXPECT_FALSE(f.OpenFile(path));
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[0].text, "The file isn't configured to be used with VadiVirerova.\r\nWould you like update this file?");
    EXPECT_EQ(prompts.asked[0].style, 1u);
    EXPECT_EQ(prompts.asked[1].text, "Sorry, this file can't be loaded.) ");
    EXPECT_EQ(ReadBytes(path), "name=Dark\r\nversion=1.0\r\n");
    EXPECT_EQ(f.txtAuthor.Text(), "unchanged");
    EXPECT_FALSE(f.TabStrip1.Enabled());

    prompts.asked.clear();
    prompts.Answer(IDOK);
    f.m_Loading = true;
    EXPECT_TRUE(f.OpenFile(path));
    f.m_Loading = false;
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[1].text, "Your file is now updated.\r\nClick OK to continue...");
    EXPECT_EQ(ReadBytes(path), "[Vexo]\r\n\r\nname=Dark\r\nversion=1.0\r\n\r\n");
    EXPECT_FALSE(PathExists(path + ".new"));
    EXPECT_EQ(f.txtSkinName.Text(), "Dark");
    EXPECT_EQ(f.txtSkinVersion.Text(), "1.0");
    EXPECT_EQ(f.txtAuthor.Text(), "");
}

TEST_F(SkinFileTest, BadFilesAreRefusedAndLeftAsTheyWere) {
    frmDesigner& f = OpenWithSkins();
    // A file that does not exist is not created by opening it.
    EXPECT_FALSE(f.OpenFile(skins + "\\Missing.ini"));
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_NE(prompts.asked[0].text.find("doesn't exist"), std::string::npos);
    EXPECT_FALSE(PathExists(skins + "\\Missing.ini"));

    // A binary file is not offered the upgrade that would damage it.
    prompts.asked.clear();
    const std::string binary("BM\x36\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00name=x", 20);
    WriteBytes(skins + "\\picture.ini", binary);
    EXPECT_FALSE(f.OpenFile(skins + "\\picture.ini"));
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "Sorry, this file can't be loaded.) ");
    EXPECT_EQ(ReadBytes(skins + "\\picture.ini"), binary);

    // A name without a dot would be read as another file: refused, nothing created.
    prompts.asked.clear();
    WriteBytes(skins + "\\README", "name=x\r\n");
    EXPECT_FALSE(f.OpenFile(skins + "\\README"));
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_NE(prompts.asked[0].text.find("is not a skin file"), std::string::npos);
    EXPECT_FALSE(PathExists(skins + "\\README.ini"));
    EXPECT_EQ(ReadBytes(skins + "\\README"), "name=x\r\n");

    // Values of 254 characters and more come back cut; bad colour texts read as black.
    std::string longName(300, 'n');
    WriteBytes(skins + "\\Long.ini", "[Vexo]\r\nname=" + longName + "\r\nEdit_DarkColor=0xZZ12GG\r\n");
    prompts.asked.clear();
    EXPECT_TRUE(f.OpenFile(skins + "\\Long.ini"));
    EXPECT_EQ(f.txtSkinName.Text(), longName.substr(0, 254));
    EXPECT_EQ(f.lblCtrlColor(9).BackColor(), 0x001200);  // green 0x12, the other pairs are not hexadecimal
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_TRUE(f.IsVisible());
}

TEST_F(SkinFileTest, SaveRefusesANamelessSkinAndANameThatWouldHitAnotherSkin) {
    frmDesigner& f = OpenWithSkins();
    f.txtSkinFilename.SetText("Dark.ini");
    EXPECT_FALSE(f.FileSaveProc());
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "Name is missing! You must enter the Name for your skin, first.");
    EXPECT_EQ(prompts.asked[0].style, 0u);
    EXPECT_FALSE(PathExists(skins + "\\Dark.ini"));

    WriteBytes(skins + "\\Dark.ini", "[Vexo]\r\nname=Dark\r\n");
    f.txtSkinFilename.SetText(skins + "\\Dark.v2.ini");
    f.txtSkinName.SetText("Dark two");
    prompts.asked.clear();
    EXPECT_FALSE(f.FileSaveProc());
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_NE(prompts.asked[0].text.find("Overwrite it?"), std::string::npos);
    EXPECT_EQ(ReadBytes(skins + "\\Dark.ini"), "[Vexo]\r\nname=Dark\r\n");
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
}

TEST_F(SkinFileTest, AFailedWriteIsReportedAndTheSkinStaysChanged) {
    frmDesigner& f = OpenWithSkins();
    FillAll(f);
    WriteBytes(skins + "\\Dark.ini", "[Vexo]\r\nname=Old\r\n");
    f.m_SkinFilePath = skins + "\\Dark.ini";  // the skin's own file
    HANDLE held = CreateFileA((skins + "\\Dark.ini").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(f.FileSaveProc());
    CloseHandle(held);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text.rfind("Error ", 0), 0u);
    EXPECT_NE(prompts.asked[0].text.find(") in procedure FileSaveProc of Form frmDesigner"), std::string::npos);
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
    EXPECT_EQ(ReadBytes(skins + "\\Dark.ini"), "[Vexo]\r\nname=Old\r\n");

    // A skins folder that does not exist: nothing is created, the skin stays changed.
    gSkinsFolder = dir / "gone";
    prompts.asked.clear();
    EXPECT_FALSE(f.FileSaveProc());
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_NE(prompts.asked[0].text.find("\"Select the Vexo skins folder...\" in the Options menu"), std::string::npos);
    EXPECT_FALSE(PathExists(dir / "gone"));
}

TEST_F(SkinFileTest, TextFieldsMarkChangedExceptWhileLoadingAndTheNameFollows) {
    frmDesigner& f = OpenWithSkins();
    WriteBytes(skins + "\\Dark.ini", "[Vexo]\r\nname=Dark\r\nAuthor=Ann\r\n");
    f.m_Loading = true;
    ASSERT_TRUE(f.OpenFile(skins + "\\Dark.ini"));
    f.m_Loading = false;
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");

    SendMessageA(f.txtAuthor.Hwnd(), EM_SETSEL, 3, 3);
    SendMessageA(f.txtAuthor.Hwnd(), WM_CHAR, 'x', 0);  // typing, as the user does
    EXPECT_EQ(f.txtAuthor.Text(), "Annx");
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");

    f.MarkSkinSaved();
    f.txtSkinName.SetText("Night");
    EXPECT_EQ(f.sb1.PanelText("skin"), "Night");
    EXPECT_EQ(gSkinName, "Night");
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
    f.txtSkinName.SetText("");
    EXPECT_EQ(f.sb1.PanelText("skin"), "");
    EXPECT_EQ(gSkinName, "");

    f.MarkSkinSaved();
    f.txtSkinsFolder.SetText("C:\\Elsewhere");  // the folder field marks nothing itself
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");
}

TEST_F(SkinFileTest, TheFontButtonTakesOnlyANewFaceNameFromTheRealFontDialog) {
    frmDesigner& f = OpenWithSkins();
    f.MarkSkinSaved();
    f.txtFontName.SetText("Verdana");
    f.MarkSkinSaved();
    {
        DialogDriver driver(DialogPlan::PickFont("DejaVu Sans Mono", "20", "Bold"));
        driver.WhileShown = [](HWND) { EXPECT_EQ(gDialogKind, 5); };
        f.cmdChangeFont.SetValue(true);
        EXPECT_TRUE(driver.Done()) << driver.Failure();
        EXPECT_EQ(driver.Seen().face, "Tahoma");  // the window's own font, whatever the skin has
    }
    EXPECT_EQ(gDialogKind, 0);
    EXPECT_EQ(f.txtFontName.Text(), "DejaVu Sans Mono");
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");

    // Choosing the window's own face counts as no choice.
    f.MarkSkinSaved();
    {
        DialogDriver driver(DialogPlan::PickFont("Tahoma"));
        f.cmdChangeFont.SetValue(true);
        EXPECT_TRUE(driver.Done()) << driver.Failure();
    }
    EXPECT_EQ(f.txtFontName.Text(), "DejaVu Sans Mono");
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");
}

}  // namespace
