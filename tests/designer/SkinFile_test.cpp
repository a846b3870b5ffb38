#include <windows.h>

#include "DesignerFixture.h"
#include "CMDIALOG.h"
#include "DialogDriver.h"

#include <algorithm>

namespace {

class SkinFileTest : public DesignerTest {};

// A skin file as the profile functions write it: one section, the 73 keys in the writer's order,
// each slot and colour with a value of its own (slot i "bi.bmp", colour i 0x010203 * (i + 1)).
const char kDarkIni[] =
    "[Vexo]\r\nname=Dark\r\nversion=2.0\r\ndirectory=Skins\\Dark\r\nAuthor=Ann\r\nE-Mail=ann@example.org\r\n"
    "Web Site=www.example.org\r\nbackground=b0.bmp\r\nforeground=b1.bmp\r\ncontrolback=b2.bmp\r\n"
    "progressfore=b3.bmp\r\nmenuBar=b4.bmp\r\nmenufore=b5.bmp\r\nmenuback=b6.bmp\r\ncomboback=b7.bmp\r\n"
    "combofore=b8.bmp\r\nnumbers=b9.bmp\r\nnumbersalpha=b10.bmp\r\nbtn_alpha=b11.bmp\r\nbtn_previous=b12.bmp\r\n"
    "btn_play=b13.bmp\r\nbtn_fast=b14.bmp\r\nbtn_next=b15.bmp\r\nbtn_jump=b16.bmp\r\nbtn_dvdroot=b17.bmp\r\n"
    "btn_ifo=b18.bmp\r\nbtn_ompeg=b19.bmp\r\nbtn_inset=b20.bmp\r\nbtn_outset=b21.bmp\r\nbtn_file=b22.bmp\r\n"
    "btn_encode=b23.bmp\r\nbtn_stop=b24.bmp\r\n"
    "Button_LightColor=0x010203\r\nButton_DarkColor=0x020406\r\nButton_TextLightColor=0x030609\r\n"
    "Button_TextDarkColor=0x04080C\r\nComboBox_LightColor=0x050A0F\r\nComboBox_DarkColor=0x060C12\r\n"
    "ComboBox_TextLightColor=0x070E15\r\nComboBox_TextDarkColor=0x081018\r\nEdit_LightColor=0x09121B\r\n"
    "Edit_DarkColor=0x0A141E\r\nEdit_TextLightColor=0x0B1621\r\nEdit_TextDarkColor=0x0C1824\r\n"
    "GroupBox_LightColor=0x0D1A27\r\nGroupBox_DarkColor=0x0E1C2A\r\nGroupBox_TextLightColor=0x0F1E2D\r\n"
    "GroupBox_TextDarkColor=0x102030\r\nStatic_LightColor=0x112233\r\nStatic_DarkColor=0x122436\r\n"
    "Static_TextLightColor=0x132639\r\nStatic_TextDarkColor=0x14283C\r\nTimerCtrl_LightColor=0x152A3F\r\n"
    "TimerCtrl_DarkColor=0x162C42\r\nTimerCtrl_TextLightColor=0x172E45\r\nTimerCtrl_TextDarkColor=0x183048\r\n"
    "SliderCtrl_LightColor=0x19324B\r\nSliderCtrl_DarkColor=0x1A344E\r\nSliderCtrl_TextLightColor=0x1B3651\r\n"
    "SliderCtrl_TextDarkColor=0x1C3854\r\nCheckBox_TextLightColor=0x1D3A57\r\nCheckBox_TextDarkColor=0x1E3C5A\r\n"
    "ProgressCtrl_LightColor=0x1F3E5D\r\nProgressCtrl_DarkColor=0x204060\r\nMenuBar_LightColor=0x214263\r\n"
    "MenuBar_DarkColor=0x224466\r\nMenuBar_BarLightColor=0x234669\r\nMenuBar_BarDarkColor=0x24486C\r\n"
    "MenuBar_TextLightColor=0x254A6F\r\nMenuBar_TextDarkColor=0x264C72\r\n"
    "MenuBar_font_name=Verdana\r\nMenuBar_font_width=7\r\nMenuBar_font_height=15\r\nMenuBar_font_weight=700\r\n";

TEST_F(SkinFileTest, EveryKeyReadsIntoItsFieldAndAFreshSaveWritesTheSameBytes) {
    frmDesigner& f = OpenWithSkins();
    const std::string path = skins + "\\Dark.ini";
    WriteBytes(path, kDarkIni);
    ASSERT_TRUE(Load(path));
    const std::pair<TextBox*, const char*> fields[] = {
        {&f.txtSkinName, "Dark"},        {&f.txtSkinVersion, "2.0"}, {&f.txtAuthor, "Ann"},
        {&f.txtEmail, "ann@example.org"}, {&f.txtWeb, "www.example.org"}, {&f.txtFontName, "Verdana"},
        {&f.txtFontWidth, "7"},          {&f.txtFontHeight, "15"},   {&f.txtFontWeight, "700"}};
    for (auto [box, value] : fields) EXPECT_EQ(box->Text(), value);
    EXPECT_EQ(f.lblSkinDirectory.Caption(), "Skins\\Dark");
    for (int i = 0; i < 25; ++i) EXPECT_EQ(f.lblBmpName(i).Caption(), "b" + std::to_string(i).append(".bmp"));
    for (int i = 0; i < 38; ++i) EXPECT_EQ(f.lblCtrlColor(i).BackColor(), 0x010203 * (i + 1)) << i;
    EXPECT_EQ(f.txtSkinFilename.Text(), path);
    EXPECT_EQ(gSkinFileName, "Dark.ini");
    EXPECT_EQ(f.sb1.PanelText("skin"), "Dark");
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");  // the reader's filling marked nothing changed
    EXPECT_TRUE(f.TabStrip1.Enabled());
    EXPECT_EQ(f.SkinBitmapPath(14), skins + "\\Dark\\b14.bmp");

    // Written into a fresh file, the keys come in the writer's own order.
    DeleteFileA(path.c_str());
    gSkinName.clear();
    ASSERT_TRUE(f.FileSaveProc());
    EXPECT_EQ(ReadBytes(path), kDarkIni);
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");
    EXPECT_EQ(gSkinName, "Dark");
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
