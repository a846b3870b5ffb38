#include <windows.h>

#include <commdlg.h>

#include <random>

#include "AppError.h"
#include "BmpFile.h"
#include "CMDIALOG.h"
#include "DesignerFixture.h"
#include "DialogDriver.h"
#include "ObjectCounts.h"

namespace {

constexpr int32_t kSlot = static_cast<int32_t>(0x80000005);
constexpr int32_t kLit = static_cast<int32_t>(0x80000018);
constexpr const char* kAppTitle = "Vexo VadiVirerova";

class BitmapSlotsTest : public DesignerTest {
protected:
    // A loaded skin "Dark" in the skins folder, and a folder of art elsewhere.
    frmDesigner& OpenDark(bool copy = true) {
        CreateDirectoryA(skins.c_str(), nullptr);
        CreateDirectoryA(art.c_str(), nullptr);
        frmDesigner& f = Open("[Options]\r\nFirstRun=0\r\nSkinsFolder=" + skins +
                              "\r\nCopyBitmapToSkinFolder=" + (copy ? "1" : "0") + "\r\n");
        prompts.AnswerInput("Dark");
        f.mnuFileNew_Click();
        prompts.asked.clear();
        return f;
    }
    // Left click on a slot, answering the bitmap dialog; what the dialog showed.
    DialogSeen Choose(frmDesigner& f, int slot, const std::string& path, std::string* folder = nullptr) {
        DialogDriver driver(path.empty() ? DialogPlan::Cancel() : DialogPlan::ChooseFile(path));
        driver.WhileShown = [folder](HWND dialog) {
            char shown[MAX_PATH] = {};
            SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(shown));
            if (folder) *folder = shown;
        };
        f.lblBmpName_MouseDown(static_cast<int16_t>(slot), 1, 0, 0, 0);
        EXPECT_TRUE(driver.Done()) << driver.Failure();
        return driver.Seen();
    }
    std::vector<int32_t> Backs(frmDesigner& f) {
        std::vector<int32_t> backs;
        for (int i = 0; i < 25; ++i) backs.push_back(f.lblBmpName(i).BackColor());
        return backs;
    }
    std::vector<int32_t> OnlyLit(int slot) {
        std::vector<int32_t> backs(25, kSlot);
        backs[static_cast<size_t>(slot)] = kLit;
        return backs;
    }
    std::string skins = dir / "Skins";
    std::string darkFolder = dir / "Skins\\Dark";
    std::string art = dir / "Art";
};

TEST_F(BitmapSlotsTest, CancelChangesNothingAndTheNextDialogOpensInTheLastBitmapsFolder) {
    frmDesigner& f = OpenDark(false);
    std::string folder;
    const DialogSeen seen = Choose(f, 3, "", &folder);
    EXPECT_EQ(seen.title, "Select bitmap for Progress foreground:");
    EXPECT_TRUE(SamePath(folder, skins)) << folder;
    EXPECT_EQ(f.lblBmpName(3).Caption(), "");
    EXPECT_EQ(Backs(f), std::vector<int32_t>(25, kSlot));
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");
    EXPECT_EQ(gDialogKind, 0);

    // Copy off: the slot takes the name; the skin's folder has no such file.
    WriteBytes(art + "\\sky.bmp", BmpFile(4, 4, 0x0000FF));
    Choose(f, 0, art + "\\sky.bmp", &folder);
    EXPECT_TRUE(SamePath(folder, skins));
    EXPECT_EQ(f.lblBmpName(0).Caption(), "sky.bmp");
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
    EXPECT_EQ(Backs(f), OnlyLit(0));
    EXPECT_FALSE(PathExists(darkFolder + "\\sky.bmp"));
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "Error loading image!\r\nFile not found\r\n\r\nPlease, check your folder images Name.");
    EXPECT_EQ(prompts.asked[0].title, "Error # 53");
    EXPECT_EQ(prompts.asked[0].style, 48u);
    EXPECT_EQ(f.picBitmapPreview.GetPicture().Handle(), 0u);

    const DialogSeen next = Choose(f, 24, "", &folder);
    EXPECT_EQ(next.title, "Select bitmap for Stop:");
    EXPECT_TRUE(SamePath(folder, art)) << folder;
}

TEST_F(BitmapSlotsTest, CopyAsksBeforeOverwritingAndPreviewsWhatWasCopied) {
    frmDesigner& f = OpenDark();
    WriteBytes(art + "\\sky.bmp", BmpFile(4, 4, 0x0000FF));
    Choose(f, 1, art + "\\sky.bmp");
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(ReadBytes(darkFolder + "\\sky.bmp"), BmpFile(4, 4, 0x0000FF));
    EXPECT_EQ(f.picBitmapPreview.Point(1, 1), 0x0000FF);
    EXPECT_EQ(Backs(f), OnlyLit(1));

    // The same name again, new contents: Cancel keeps the old file and the old preview.
    WriteBytes(art + "\\sky.bmp", BmpFile(4, 4, 0x00FF00));
    const uintptr_t shown = f.picBitmapPreview.GetPicture().Handle();
    f.MarkSkinSaved();
    prompts.Answer(IDCANCEL);
    Choose(f, 2, art + "\\sky.bmp");
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "The file " + darkFolder + "\\sky.bmp already exists. Overwrite?");
    EXPECT_EQ(prompts.asked[0].style, 49u);
    EXPECT_EQ(prompts.asked[0].title, kAppTitle);
    EXPECT_EQ(f.lblBmpName(2).Caption(), "sky.bmp");
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
    EXPECT_EQ(Backs(f), OnlyLit(2));
    EXPECT_EQ(ReadBytes(darkFolder + "\\sky.bmp"), BmpFile(4, 4, 0x0000FF));
    EXPECT_EQ(f.picBitmapPreview.GetPicture().Handle(), shown);

    prompts.Answer(IDOK);
    Choose(f, 2, art + "\\sky.bmp");
    EXPECT_EQ(ReadBytes(darkFolder + "\\sky.bmp"), BmpFile(4, 4, 0x00FF00));
    EXPECT_EQ(f.picBitmapPreview.Point(1, 1), 0x00FF00);

    // Already in the folder, spelt in other letter case: no question, no copy, a preview.
    prompts.asked.clear();
    WriteBytes(darkFolder + "\\btn.bmp", BmpFile(2, 2, 0x302010));
    Choose(f, 11, skins + "\\DARK\\BTN.BMP");
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(f.picButtonPreview.Point(0, 0), 0x302010);
    EXPECT_EQ(Backs(f), OnlyLit(11));
    EXPECT_EQ(f.picBitmapPreview.Point(1, 1), 0x00FF00);  // the other page's box keeps its picture
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((darkFolder + "\\*").c_str(), &found);
    int files = 0;
    do files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(files, 2) << "no temporary file is left beside the bitmaps";
}

TEST_F(BitmapSlotsTest, WhileLoadingAChoiceOnlySetsTheName) {
    frmDesigner& f = OpenDark();
    WriteBytes(art + "\\sky.bmp", BmpFile(4, 4, 0x0000FF));
    f.m_Loading = true;
    Choose(f, 4, art + "\\sky.bmp");
    f.m_Loading = false;
    EXPECT_EQ(f.lblBmpName(4).Caption(), "sky.bmp");
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");
    EXPECT_EQ(Backs(f), std::vector<int32_t>(25, kSlot));
    EXPECT_FALSE(PathExists(darkFolder + "\\sky.bmp"));
    EXPECT_EQ(f.picBitmapPreview.GetPicture().Handle(), 0u);
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(BitmapSlotsTest, RightClickPreviewsInThePagesBoxAndHintsFollowTheName) {
    frmDesigner& f = OpenDark();
    WriteBytes(darkFolder + "\\a.bmp", BmpFile(3, 3, 0x0A0B0C));
    f.lblBmpName(10).SetCaption("a.bmp");
    f.lblBmpName(11).SetCaption("a.bmp");

    // Real clicks on the slot labels, through their pages.
    auto click = [&](int slot, UINT down, UINT up, WPARAM keys) {
        const RECT r = f.lblBmpName(slot).Bounds();
        HWND page = f.lblBmpName(slot).GetContainer()->Hwnd();
        SendMessageA(page, down, keys, MAKELPARAM(r.left + 3, r.top + 3));
        SendMessageA(page, up, 0, MAKELPARAM(r.left + 3, r.top + 3));
    };
    {
        DialogDriver none(DialogPlan::NoDialog());
        click(9, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);  // empty slot
        click(10, WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON);
        EXPECT_EQ(f.picBitmapPreview.GetPicture().Handle(), 0u);
        EXPECT_EQ(Backs(f), std::vector<int32_t>(25, kSlot));
        click(10, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
        EXPECT_EQ(f.picBitmapPreview.Point(2, 2), 0x0A0B0C);
        EXPECT_EQ(f.picButtonPreview.GetPicture().Handle(), 0u);
        EXPECT_EQ(Backs(f), OnlyLit(10));
        click(11, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
        EXPECT_EQ(f.picButtonPreview.Point(2, 2), 0x0A0B0C);
        EXPECT_EQ(Backs(f), OnlyLit(11));
    }
    EXPECT_EQ(f.sb1.PanelText("state"), "Saved");

    // A preview that fails keeps the box's picture and the highlight where they were.
    f.lblBmpName(12).SetCaption("gone.bmp");
    const uintptr_t shown = f.picButtonPreview.GetPicture().Handle();
    f.lblBmpName_MouseDown(12, 2, 0, 0, 0);
    EXPECT_EQ(f.picButtonPreview.GetPicture().Handle(), shown);
    EXPECT_EQ(Backs(f), OnlyLit(11));
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].title, "Error # 53");

    const RECT r = f.lblBmpName(12).Bounds();
    SendMessageA(f.picTab(3).Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 2, r.top + 2));
    EXPECT_EQ(f.sb1.PanelText("msg"), "Left-click to load a image; right-click to show preview");
    f.lblBmpName_MouseMove(13, 0, 0, 0, 0);
    EXPECT_EQ(f.sb1.PanelText("msg"), "Left-click to load a image");
}

TEST_F(BitmapSlotsTest, CopiesGoOnlyIntoTheLoadedSkinsOwnFolderAndFailuresAreSaid) {
    frmDesigner& f = OpenDark();
    WriteBytes(art + "\\sky.bmp", BmpFile(4, 4, 0x0000FF));

    // A failed copy: the destination is read-only.
    WriteBytes(darkFolder + "\\sky.bmp", "old bytes");
    SetFileAttributesA((darkFolder + "\\sky.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
    prompts.Answer(IDOK);
    Choose(f, 5, art + "\\sky.bmp");
    SetFileAttributesA((darkFolder + "\\sky.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_NE(prompts.asked[1].text.find(art + "\\sky.bmp"), std::string::npos) << prompts.asked[1].text;
    EXPECT_NE(prompts.asked[1].text.find(darkFolder + "\\sky.bmp"), std::string::npos);
    EXPECT_NE(prompts.asked[1].text.find(SystemErrorText(ERROR_ACCESS_DENIED)), std::string::npos);
    EXPECT_EQ(ReadBytes(darkFolder + "\\sky.bmp"), "old bytes");
    EXPECT_EQ(f.lblBmpName(5).Caption(), "sky.bmp");
    EXPECT_EQ(f.sb1.PanelText("state"), "Changed");
    EXPECT_EQ(f.picBitmapPreview.GetPicture().Handle(), 0u);

    // The source held open without sharing.
    prompts.asked.clear();
    WriteBytes(art + "\\held.bmp", BmpFile(2, 2, 0));
    HANDLE held = CreateFileA((art + "\\held.bmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Choose(f, 6, art + "\\held.bmp");
    CloseHandle(held);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_NE(prompts.asked[0].text.find(art + "\\held.bmp"), std::string::npos);
    EXPECT_FALSE(PathExists(darkFolder + "\\held.bmp"));

    // The same skin opened from another folder: the skins folder's "Dark" is not its own.
    const std::string elsewhere = dir / "Elsewhere";
    CreateDirectoryA(elsewhere.c_str(), nullptr);
    WriteBytes(elsewhere + "\\Dark.ini", "[Vexo]\r\nname=Stranger\r\n");
    f.m_Loading = true;
    ASSERT_TRUE(f.OpenFile(elsewhere + "\\Dark.ini"));
    f.m_Loading = false;
    prompts.asked.clear();
    WriteBytes(art + "\\new.bmp", BmpFile(2, 2, 0));
    Choose(f, 7, art + "\\new.bmp");
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_NE(prompts.asked[0].text.find("not copied"), std::string::npos) << prompts.asked[0].text;
    EXPECT_FALSE(PathExists(darkFolder + "\\new.bmp"));
    EXPECT_EQ(f.lblBmpName(7).Caption(), "new.bmp");
}

// Bitmap files as a careless or hostile tool might write them.
std::string Put32(std::string b, size_t at, uint32_t v) {
    const char bytes[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    return b.replace(at, 4, bytes, 4);
}
std::string Put16(std::string b, size_t at, uint16_t v) {
    const char bytes[2] = {char(v), char(v >> 8)};
    return b.replace(at, 2, bytes, 2);
}
// An 8-bit run-length bitmap, w x h of palette colour 1, and a plain 32-bit one.
std::string Rle8(int w, int h) {
    std::string rows;
    for (int y = 0; y < h; ++y) rows += std::string{char(w), 1, 0, 0};
    rows += std::string{0, 1};
    std::string palette(256 * 4, '\0');
    palette[4] = char(0xFF);
    std::string b = BmpFile(1, 1, 0).substr(0, 54) + palette + rows;
    b = Put32(b, 2, uint32_t(b.size()));
    b = Put32(b, 10, 54 + 1024);
    b = Put32(Put32(b, 18, uint32_t(w)), 22, uint32_t(h));
    b = Put16(b, 28, 8);
    b = Put32(Put32(b, 30, BI_RLE8), 34, uint32_t(rows.size()));
    return b;
}
std::string Bgra32(int w, int h) {
    std::string b = BmpFile(1, 1, 0).substr(0, 54) + std::string(size_t(w) * h * 4, char(0x40));
    b = Put32(b, 2, uint32_t(b.size()));
    b = Put32(Put32(b, 18, uint32_t(w)), 22, uint32_t(h));
    return Put32(Put16(b, 28, 32), 34, uint32_t(w * h * 4));
}

TEST_F(BitmapSlotsTest, BadBitmapsGiveTheMessageOrThePictureAndLeakNothing) {
    frmDesigner& f = OpenDark();
    const std::string valid = BmpFile(5, 3, 0x336699);
    struct Case {
        std::string name, bytes;
        bool shows;
    };
    std::vector<Case> cases = {
        {"text", "this is text, not a bitmap\r\n", false},
        {"truncated", valid.substr(0, 60), false},
        {"huge", Put32(Put32(valid, 18, 65535), 22, 65535), false},
        {"empty", "", false},
        {"one", BmpFile(1, 1, 0x010203), true},
        {"rle", Rle8(6, 4), true},
        {"bgra", Bgra32(3, 2), true},
        {"palette", Put32(Put16(valid, 28, 8), 46, 0xFFFFFFF0), false},
    };
    std::mt19937 random(20261207);
    auto pick = [&](uint32_t n) { return uint32_t(random() % n); };
    const uint32_t fields[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46, 50};
    for (int n = 0; n < 300; ++n) {
        std::string b = pick(4) == 0 ? Rle8(1 + pick(40), 1 + pick(40)) : BmpFile(1 + pick(40), 1 + pick(40), 0x123456);
        for (uint32_t k = 0, edits = 1 + pick(3); k < edits; ++k) {
            switch (pick(4)) {
            case 0: b.resize(pick(uint32_t(b.size()))); break;
            case 1: if (!b.empty()) b[pick(uint32_t(b.size()))] = char(pick(256)); break;
            default: {
                const uint32_t at = fields[pick(std::size(fields))];
                const uint32_t values[] = {0, 1, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, pick(64), random()};
                if (at + 4 <= b.size()) b = Put32(b, at, values[pick(std::size(values))]);
            }
            }
        }
        std::string name = "r";
        cases.push_back({name += std::to_string(n), b, false});
    }

    // The box holds a picture from the start, so a shown picture replaces one.
    WriteBytes(darkFolder + "\\base.bmp", valid);
    f.lblBmpName(0).SetCaption("base.bmp");
    f.lblBmpName_MouseDown(0, 2, 0, 0, 0);
    const int gdi = CountGdiObjects();
    for (size_t n = 0; n < cases.size(); ++n) {
        const Case& c = cases[n];
        const std::string name = c.name + ".bmp";
        WriteBytes(darkFolder + "\\" + name, c.bytes);
        f.lblBmpName(0).SetCaption(name);
        prompts.asked.clear();
        const uintptr_t before = f.picBitmapPreview.GetPicture().Handle();
        f.lblBmpName_MouseDown(0, 2, 0, 0, 0);
        const bool shown = f.picBitmapPreview.GetPicture().Handle() != before;
        if (shown) {
            EXPECT_TRUE(prompts.asked.empty()) << c.name;
        } else {
            ASSERT_EQ(prompts.asked.size(), 1u) << c.name;
            EXPECT_EQ(prompts.asked[0].title, "Error # 481") << c.name;
            EXPECT_EQ(prompts.asked[0].text,
                      "Error loading image!\r\nInvalid picture\r\n\r\nPlease, check your folder images Name.");
        }
        if (n < 8) {
            EXPECT_EQ(shown, c.shows) << c.name;
        }
        ASSERT_EQ(CountGdiObjects(), gdi) << c.name;
    }
}

}  // namespace
