#include <windows.h>

#include <commdlg.h>

#include <random>

#include "AppError.h"
#include "BmpFile.h"
#include "DesignerFixture.h"
#include "DialogDriver.h"
#include "ObjectCounts.h"

namespace {

constexpr int32_t kSlot = int32_t(0x80000005), kLit = int32_t(0x80000018);

class BitmapSlotsTest : public DesignerTest {
protected:
    // The skin "Dark" made in the skins folder; bitmaps to choose lie in Art.
    frmDesigner& OpenDark(const char* copy) {
        CreateDirectoryA(skins.c_str(), nullptr);
        CreateDirectoryA(art.c_str(), nullptr);
        frmDesigner& f = Open("[Options]\r\nFirstRun=0\r\nSkinsFolder=" + skins + "\r\nCopyBitmapToSkinFolder=" + copy);
        prompts.AnswerInput("Dark");
        f.mnuFileNew_Click();
        return f;
    }
    // A left click on the slot, the bitmap dialog answered; its title and folder.
    std::string Choose(int slot, const std::string& path, std::string* folder = nullptr) {
        prompts.asked.clear();
        DialogDriver driver(path.empty() ? DialogPlan::Cancel() : DialogPlan::ChooseFile(path));
        driver.WhileShown = [folder](HWND dialog) {
            char shown[MAX_PATH] = {};
            SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(shown));
            if (folder) *folder = shown;
        };
        gFrmDesigner->lblBmpName_MouseDown(int16_t(slot), 1, 0, 0, 0);
        EXPECT_TRUE(driver.Done()) << driver.Failure();
        return driver.Seen().title;
    }
    // Slot backgrounds: -1 for none lit.
    bool LitOnly(int slot) {
        for (int i = 0; i < 25; ++i)
            if (gFrmDesigner->lblBmpName(i).BackColor() != (i == slot ? kLit : kSlot)) return false;
        return true;
    }
    std::string skins = dir / "Skins", dark = dir / "Skins\\Dark", art = dir / "Art";
};

TEST_F(BitmapSlotsTest, CopyOffCancelLoadingAndTheDialogsFolder) {
    frmDesigner& f = OpenDark("0");
    std::string folder;
    EXPECT_EQ(Choose(3, "", &folder), "Select bitmap for Progress foreground:");
    EXPECT_TRUE(SamePath(folder, skins)) << folder;
    EXPECT_EQ(f.lblBmpName(3).Caption(), "");
    EXPECT_TRUE(LitOnly(-1));
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");

    WriteBytes(art + "\\sky.bmp", BmpFile(4, 4, 0x0000FF));
    f.m_Loading = true;
    Choose(4, art + "\\sky.bmp");
    f.m_Loading = false;
    EXPECT_EQ(f.lblBmpName(4).Caption(), "sky.bmp");
    EXPECT_TRUE(LitOnly(-1));
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");

    Choose(0, art + "\\sky.bmp");
    EXPECT_EQ(f.lblBmpName(0).Caption(), "sky.bmp");
    EXPECT_TRUE(LitOnly(0));
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
    EXPECT_FALSE(PathExists(dark + "\\sky.bmp"));
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "Error loading image!\r\nFile not found\r\n\r\nPlease, check your folder images Name.");
    EXPECT_EQ(prompts.asked[0].title, "Error # 53");
    EXPECT_EQ(prompts.asked[0].style, 48u);

    EXPECT_EQ(Choose(24, "", &folder), "Select bitmap for Stop:");
    EXPECT_TRUE(SamePath(folder, art)) << folder;
}

TEST_F(BitmapSlotsTest, CopyOnAsksBeforeOverwritingAndCopiesOnlyIntoTheSkinsOwnFolder) {
    frmDesigner& f = OpenDark("1");
    WriteBytes(art + "\\sky.bmp", BmpFile(4, 4, 0x0000FF));
    Choose(1, art + "\\sky.bmp");
    EXPECT_EQ(ReadBytes(dark + "\\sky.bmp"), BmpFile(4, 4, 0x0000FF));
    EXPECT_EQ(f.picBitmapPreview.Point(1, 1), 0x0000FF);

    WriteBytes(art + "\\sky.bmp", BmpFile(4, 4, 0x00FF00));
    f.MarkSkinSaved();
    prompts.Answer(IDCANCEL);
    Choose(2, art + "\\sky.bmp");
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "The file " + dark + "\\sky.bmp already exists. Overwrite?");
    EXPECT_EQ(prompts.asked[0].style, 49u);
    EXPECT_EQ(prompts.asked[0].title, "Vexo VadiVirerova");
    EXPECT_EQ(f.lblBmpName(2).Caption(), "sky.bmp");
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
    EXPECT_EQ(f.picBitmapPreview.Point(1, 1), 0x0000FF);
    prompts.Answer(IDOK);
    Choose(2, art + "\\sky.bmp");
    EXPECT_EQ(f.picBitmapPreview.Point(1, 1), 0x00FF00);
    EXPECT_TRUE(LitOnly(2));

    // Already there in other letter case: nothing asked, nothing copied; slot 11 shows in the Buttons box.
    WriteBytes(dark + "\\btn.bmp", BmpFile(2, 2, 0x302010));
    Choose(11, skins + "\\DARK\\BTN.BMP");
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(f.picButtonPreview.Point(0, 0), 0x302010);
    EXPECT_EQ(File().GetFiles(dark + "\\*").size(), 3u) << "no temporary file left";

    // A read-only destination and a source held open: said, and the old file kept.
    SetFileAttributesA((dark + "\\sky.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
    prompts.Answer(IDOK);
    Choose(5, art + "\\sky.bmp");
    SetFileAttributesA((dark + "\\sky.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
    const std::string failed = art + "\\sky.bmp could not be copied to " + dark + "\\sky.bmp:\r\n";
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_NE(prompts.asked[1].text.find(failed + SystemErrorText(ERROR_ACCESS_DENIED)), std::string::npos);
    HANDLE held = CreateFileA((art + "\\sky.bmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    prompts.Answer(IDOK);
    Choose(6, art + "\\sky.bmp");
    CloseHandle(held);
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_NE(prompts.asked[1].text.find(failed), std::string::npos) << prompts.asked[1].text;
    EXPECT_EQ(ReadBytes(dark + "\\sky.bmp"), BmpFile(4, 4, 0x00FF00));
    EXPECT_EQ(f.lblBmpName(6).Caption(), "sky.bmp");
    EXPECT_TRUE(LitOnly(6));
    EXPECT_EQ(f.picBitmapPreview.Point(1, 1), 0x00FF00);

    // The skin opened from elsewhere: the skins folder's Dark is another skin's.
    WriteBytes(dir / "Dark.ini", "[Vexo]\r\nname=Stranger\r\n");
    ASSERT_TRUE(f.OpenFile(dir / "Dark.ini"));
    WriteBytes(art + "\\new.bmp", BmpFile(2, 2, 0));
    Choose(7, art + "\\new.bmp");
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_NE(prompts.asked[0].text.find("not copied"), std::string::npos);
    EXPECT_FALSE(PathExists(dark + "\\new.bmp"));
}

TEST_F(BitmapSlotsTest, RightClickPreviewsInItsPagesBoxMiddleDoesNothingAndHints) {
    frmDesigner& f = OpenDark("1");
    WriteBytes(dark + "\\a.bmp", BmpFile(3, 3, 0x0A0B0C));
    f.lblBmpName(10).SetCaption("a.bmp");
    f.lblBmpName(11).SetCaption("a.bmp");
    DialogDriver none(DialogPlan::NoDialog());
    auto press = [&](int slot, UINT down, WPARAM keys) {  // real messages, through the page
        const LPARAM at = MAKELPARAM(f.lblBmpName(slot).Left() + 3, f.lblBmpName(slot).Top() + 3);
        SendMessageA(f.lblBmpName(slot).GetContainer()->Hwnd(), down, keys, at);
        SendMessageA(f.lblBmpName(slot).GetContainer()->Hwnd(), down + 1, 0, at);
    };
    press(9, WM_RBUTTONDOWN, MK_RBUTTON);
    press(10, WM_MBUTTONDOWN, MK_MBUTTON);
    EXPECT_EQ(f.picBitmapPreview.GetPicture().Handle(), 0u);
    EXPECT_TRUE(LitOnly(-1));
    press(10, WM_RBUTTONDOWN, MK_RBUTTON);
    EXPECT_EQ(f.picBitmapPreview.Point(2, 2), 0x0A0B0C);
    EXPECT_EQ(f.picButtonPreview.GetPicture().Handle(), 0u);
    press(11, WM_RBUTTONDOWN, MK_RBUTTON);
    EXPECT_EQ(f.picButtonPreview.Point(2, 2), 0x0A0B0C);
    EXPECT_TRUE(LitOnly(11));
    EXPECT_TRUE(prompts.asked.empty());

    SendMessageA(f.picTab(3).Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(f.lblBmpName(11).Left() + 2, f.lblBmpName(11).Top() + 2));
    EXPECT_EQ(f.sb1.PanelText("msg"), "Left-click to load a image; right-click to show preview");
    f.lblBmpName_MouseMove(13, 0, 0, 0, 0);
    EXPECT_EQ(f.sb1.PanelText("msg"), "Left-click to load a image");
}

std::string Put(std::string b, size_t at, uint32_t v, size_t n = 4) {
    for (size_t k = 0; k < n; ++k, v >>= 8) b[at + k] = char(v);
    return b;
}

TEST_F(BitmapSlotsTest, BadBitmapsGiveTheMessageOrThePictureAndLeakNoGdiObject) {
    frmDesigner& f = OpenDark("1");
    const std::string bmp = BmpFile(4, 3, 0x336699);  // rows of 12 bytes: also 3 pixels of 32 bits
    std::string rle = Put(Put(Put(Put(bmp, 28, 8, 2), 30, BI_RLE8), 10, 54 + 1024), 34, 12) + std::string(1024, '\x7f');
    rle = rle.substr(0, 54) + rle.substr(90) + std::string("\x04\x01\0\0\x04\x01\0\0\x04\x01\0\x01", 12);
    std::vector<std::pair<std::string, bool>> files = {
        {"text, not a bitmap", false}, {bmp.substr(0, 60), false}, {Put(Put(bmp, 18, 65535), 22, 65535), false},
        {"", false}, {BmpFile(1, 1, 0), true}, {rle, true}, {Put(Put(bmp, 28, 32, 2), 18, 3), true},
        {Put(Put(bmp, 28, 8, 2), 46, 0xFFFFFFF0), false}};
    std::mt19937 random(20261207);
    for (int n = 0; n < 300; ++n) {
        std::string b = n % 4 ? BmpFile(1 + random() % 40, 1 + random() % 40, 0x123456) : rle;
        for (int edits = 1 + random() % 3; edits > 0; --edits) {
            const uint32_t field[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46}, value[] = {0, 1, 0xFFFF, 0x80000000, 0xFFFFFFFF};
            if (random() % 3 == 0 && !b.empty()) b.resize(random() % b.size());
            else if (b.size() >= 54) b = Put(b, field[random() % 10], random() % 2 ? value[random() % 5] : random() % 64);
        }
        files.push_back({b, false});
    }
    WriteBytes(dark + "\\base.bmp", bmp);
    f.lblBmpName(0).SetCaption("base.bmp");
    f.lblBmpName_MouseDown(0, 2, 0, 0, 0);  // the box holds a picture, so a shown one replaces it
    const int gdi = CountGdiObjects();
    for (size_t n = 0; n < files.size(); ++n) {
        WriteBytes(dark + "\\bad.bmp", files[n].first);
        f.lblBmpName(0).SetCaption("bad.bmp");
        prompts.asked.clear();
        const uintptr_t before = f.picBitmapPreview.GetPicture().Handle();
        f.lblBmpName_MouseDown(0, 2, 0, 0, 0);
        const bool shown = f.picBitmapPreview.GetPicture().Handle() != before;
        EXPECT_TRUE(shown ? prompts.asked.empty() : prompts.asked.size() == 1 && prompts.asked[0].title == "Error # 481") << n;
        EXPECT_TRUE(n >= 8 || shown == files[n].second) << n;
        ASSERT_EQ(CountGdiObjects(), gdi) << n;
    }
}

}  // namespace
