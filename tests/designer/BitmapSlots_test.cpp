#include <windows.h>

#include <commdlg.h>

#include <random>

#include "AppError.h"
#include "BmpFile.h"
#include "DesignerFixture.h"
#include "DialogDriver.h"
#include "ObjectCounts.h"

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
    std::string Choose(int slot, const std::string& path) {
        prompts.asked.clear();
        char folder[MAX_PATH] = {};
        DialogDriver driver(path.empty() ? DialogPlan::Cancel() : DialogPlan::ChooseFile(path));
        driver.WhileShown = [&](HWND d) { SendMessageA(d, CDM_GETFOLDERPATH, MAX_PATH, LPARAM(folder)); };
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

std::string Put(std::string b, size_t at, uint32_t v, size_t n = 4) {
    for (size_t k = 0; k < n; ++k, v >>= 8) b[at + k] = char(v);
    return b;
}

TEST_F(BitmapSlotsTest, BadBitmapsGiveTheMessageOrThePictureAndLeakNoGdiObject) {
    frmDesigner& f = OpenDark();
    const std::string bmp = BmpFile(4, 3, 0x336699);  // rows of 12 bytes: also 3 pixels of 32 bits
    std::string rle = Put(Put(Put(Put(bmp, 28, 8, 2), 30, BI_RLE8), 10, 54 + 1024), 34, 12) + std::string(1024, '\x7f');
    rle = rle.substr(0, 54) + rle.substr(90) + std::string("\x04\x01\0\0\x04\x01\0\0\x04\x01\0\x01", 12);
    // Made by hand, with whether they show; then damaged ones, which must not.
    const std::pair<std::string, bool> made[] = {
        {"text, not a bitmap", false}, {bmp.substr(0, 60), false}, {Put(Put(bmp, 18, 65535), 22, 65535), false},
        {"", false}, {BmpFile(1, 1, 0), true}, {rle, true}, {Put(Put(bmp, 28, 32, 2), 18, 3), true},
        {Put(Put(bmp, 28, 8, 2), 46, 0xFFFFFFF0), false}};
    std::mt19937 random(20261207);
    WriteBytes(dark + "\\bad.bmp", bmp);
    f.lblBmpName(0).SetCaption("bad.bmp");
    f.lblBmpName_MouseDown(0, 2, 0, 0, 0);  // the box holds a picture, so a shown one replaces it
    const int gdi = CountGdiObjects();
    for (int n = 0; n < 308; ++n) {
        std::string b = n < 8 ? made[n].first : n % 4 ? BmpFile(1 + random() % 40, 1 + random() % 40, 0x123456) : rle;
        for (int edits = n < 8 ? 0 : 1 + random() % 3; edits > 0; --edits) {
            const uint32_t field[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46}, value[] = {0, 1, 0xFFFF, 0x80000000, ~0u};
            if (random() % 3 == 0 && !b.empty()) b.resize(random() % b.size());
            else if (b.size() >= 54) b = Put(b, field[random() % 10], random() % 2 ? value[random() % 5] : random() % 64);
        }
        WriteBytes(dark + "\\bad.bmp", b);
        prompts.asked.clear();
        const uintptr_t before = f.picBitmapPreview.GetPicture().Handle();
        f.lblBmpName_MouseDown(0, 2, 0, 0, 0);
        const bool shown = f.picBitmapPreview.GetPicture().Handle() != before;
        EXPECT_EQ(Shown(0), shown ? "bad.bmp|Saved|lit 0" : "bad.bmp|Saved|lit 0|Error # 481 48") << n;
        EXPECT_TRUE(n >= 8 || shown == made[n].second) << n;
        ASSERT_EQ(CountGdiObjects(), gdi) << n;
    }
}

}  // namespace
