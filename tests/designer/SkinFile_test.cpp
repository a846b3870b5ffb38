#include <windows.h>

#include "DesignerFixture.h"
#include "CMDIALOG.h"
#include "DialogDriver.h"

namespace {

class SkinFileTest : public DesignerTest {};

// Dark.ini holds a skin as the profile functions write it: one section, the 73 keys in the writer's
// order, each slot and colour with a value of its own (slot i "bi.bmp", colour i 0x010203 * (i + 1)).
TEST_F(SkinFileTest, EveryKeyReadsIntoItsFieldAndAFreshSaveWritesTheSameBytes) {
    frmDesigner& f = OpenWithSkins();
    const std::string path = skins + "\\Dark.ini", expected = ReadBytes(VEXO_TEST_DATA "/Dark.ini");
    WriteBytes(path, expected);
    ASSERT_TRUE(Load(path));
    std::string texts = f.lblSkinDirectory.Caption();
    for (TextBox* box : {&f.txtSkinName, &f.txtSkinVersion, &f.txtAuthor, &f.txtEmail, &f.txtWeb, &f.txtFontName,
                         &f.txtFontWidth, &f.txtFontHeight, &f.txtFontWeight})
        texts.append("|").append(box->Text());
    EXPECT_EQ(texts, "Skins\\Dark|Dark|2.0|Ann|ann@example.org|www.example.org|Verdana|7|15|700");
    for (int i = 0; i < 25; ++i) EXPECT_EQ(f.lblBmpName(i).Caption(), "b" + std::to_string(i).append(".bmp"));
    for (int i = 0; i < 38; ++i) EXPECT_EQ(f.lblCtrlColor(i).BackColor(), 0x010203 * (i + 1)) << i;
    const std::string shown = f.txtSkinFilename.Text() + "|" + gSkinFileName + "|" + f.sb1.PanelText("skin");
    EXPECT_EQ(shown + "|" + f.sb1.PanelText("state"), path + "|Dark.ini|Dark|Saved");  // reading marked nothing changed
    EXPECT_TRUE(f.TabStrip1.Enabled());
    EXPECT_EQ(f.SkinBitmapPath(14), skins + "\\Dark\\b14.bmp");

    // Written into a fresh file, the keys come in the writer's own order.
    DeleteFileA(path.c_str());
    f.MarkSkinChanged();
    gSkinName.clear();
    ASSERT_TRUE(f.FileSaveProc());
    EXPECT_EQ(ReadBytes(path), expected);
    EXPECT_EQ(gSkinName + "|" + f.sb1.PanelText("state"), "Dark|Saved");
}

TEST_F(SkinFileTest, SavingKeepsForeignKeysAndSectionsAndWritesColoursInUpperCase) {
    frmDesigner& f = OpenWithSkins();
    WriteBytes(skins + "\\Blue.ini", "[Extra]\r\nkeep=1\r\n[Vexo]\r\nname=Blue\r\nOwnKey=mine\r\n"
                                     "Button_LightColor=0xff8000\r\n");
    ASSERT_TRUE(Load(skins + "\\Blue.ini"));
    EXPECT_EQ(f.lblCtrlColor(0).BackColor(), RGB(0x00, 0x80, 0xFF));
    EXPECT_EQ(f.txtSkinVersion.Text(), "1.2");  // missing keys take their defaults
    EXPECT_EQ(f.lblCtrlColor(37).BackColor(), 0);
    EXPECT_EQ(f.txtFontName.Text(), "");
    ASSERT_TRUE(f.FileSaveProc());
    const std::string bytes = ReadBytes(skins + "\\Blue.ini");
    EXPECT_EQ(bytes.rfind("[Extra]\r\nkeep=1\r\n[Vexo]\r\nname=Blue\r\nOwnKey=mine\r\nButton_LightColor=0xFF8000\r\n", 0), 0u)
        << bytes;
    EXPECT_NE(bytes.find("MenuBar_font_weight=\r\n"), std::string::npos);
}

TEST_F(SkinFileTest, BadFilesAreRefusedAndLeftAsTheyWere) {
    frmDesigner& f = OpenWithSkins();
    f.txtAuthor.SetText("unchanged");
    const std::string binary("BM\x36\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00name=x", 20);
    // No header and the upgrade declined; a bitmap is not offered the upgrade that would damage it;
    // a name without a dot would be read as another file.
    const struct {
        std::string name, bytes, said;
        bool whole;  // the message is exactly said, else contains it
    } cases[] = {
        {"Old.ini", "name=Dark\r\nversion=1.0\r\n", "Sorry, this file can't be loaded.) ", true},
        {"picture.ini", binary, "Sorry, this file can't be loaded.) ", true},
        {"README", "name=x\r\n", "is not a skin file", false},
        {"Missing.ini", "", "doesn't exist", false},  // not created by opening it
    };
    for (const auto& c : cases) {
        const std::string path = skins + "\\" + c.name;
        if (!c.bytes.empty()) WriteBytes(path, c.bytes);
        const size_t before = prompts.asked.size();
        EXPECT_FALSE(f.OpenFile(path)) << c.name;  // the upgrade question gets Cancel
        EXPECT_EQ(prompts.asked.size() - before, c.name == "Old.ini" ? 2u : 1u) << c.name;
        EXPECT_TRUE(c.whole ? Said() == c.said : Said().find(c.said) != std::string::npos) << Said();
        EXPECT_TRUE(c.bytes.empty() ? !PathExists(path) : ReadBytes(path) == c.bytes) << c.name;
    }
    EXPECT_EQ(prompts.asked.at(0).text,
              "The file isn't configured to be used with VadiVirerova.\r\nWould you like update this file?");
    EXPECT_EQ(prompts.asked[0].style, 1u);
    EXPECT_FALSE(PathExists(skins + "\\README.ini"));
    EXPECT_EQ(f.txtAuthor.Text(), "unchanged");
    EXPECT_FALSE(f.TabStrip1.Enabled());

    // Values of 254 characters and more come back cut; bad colour texts read as black.
    std::string longName(300, 'n');
    WriteBytes(skins + "\\Long.ini", "[Vexo]\r\nname=" + longName + "\r\nEdit_DarkColor=0xZZ12GG\r\n");
    prompts.asked.clear();
    EXPECT_TRUE(f.OpenFile(skins + "\\Long.ini"));
    EXPECT_EQ(f.txtSkinName.Text(), longName.substr(0, 254));
    EXPECT_EQ(f.lblCtrlColor(9).BackColor(), 0x001200);  // green 0x12, the other pairs are not hexadecimal
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(SkinFileTest, TextFieldsMarkChangedExceptWhileLoadingAndTheNameFollowsAndIsNeeded) {
    frmDesigner& f = OpenWithSkins();
    WriteBytes(skins + "\\Dark.ini", "[Vexo]\r\nname=Dark\r\nAuthor=Ann\r\n");
    ASSERT_TRUE(Load(skins + "\\Dark.ini"));
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
    EXPECT_FALSE(f.FileSaveProc());  // nameless: refused, nothing written
    EXPECT_EQ(Said(), "Name is missing! You must enter the Name for your skin, first.");
    EXPECT_EQ(prompts.asked.back().style, 0u);
    EXPECT_EQ(ReadBytes(skins + "\\Dark.ini"), "[Vexo]\r\nname=Dark\r\nAuthor=Ann\r\n");

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
