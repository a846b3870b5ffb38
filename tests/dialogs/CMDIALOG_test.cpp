#include "CMDIALOG.h"

#include <windows.h>

#include <cderr.h>
#include <commdlg.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "AppError.h"
#include "DialogDriver.h"
#include "Form.h"
#include "Form1.h"
#include "PromptScript.h"
#include "TempDir.h"

using namespace std::string_literals;

namespace {

constexpr int32_t kSkinFlags = 0x281824;  // explorer, hook, read-only box hidden, must exist
constexpr int32_t kColorFlags = CC_RGBINIT | CC_FULLOPEN;
const std::string kSkinFilter = "Vexo skins (*.INI)\0*.ini\0\0"s;

class CmDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.SetFont("Tahoma", 8.25);
        owner.Load();
        gDialogKind = DialogKind::Plain;
    }
    void TearDown() override {
        gDialogKind = DialogKind::Plain;
        UnloadForm1();
    }

    int16_t OpenSkin(const std::string& initDir, const std::string& fileName = "") {
        return ShowOpen(owner, extErr, kSkinFilter, initDir, "Open Skin", 1, kSkinFlags, fileName);
    }

    Form owner{"frmOwner"};
    int32_t extErr = -1;
};

TEST(CommonDialogErrorTextTest, TableKeysAndTheFallbackForEveryOtherNumber) {
    EXPECT_EQ(CommonDialogErrorText(32755), "#32755,  Cancel was selected.");
    // The two print-default texts are the same but for the number in front.
    const std::string printDefault = CommonDialogErrorText(28668);
    EXPECT_EQ(printDefault.substr(0, 34), "#28668,  The PD_RETURNDEFAULT flag");
    EXPECT_EQ(CommonDialogErrorText(28671), "#28671,  " + printDefault.substr(9));
    // Untranslated numbers, a gap in the table and a table number's negative; non-negative ones get a blank.
    for (auto [number, text] : {std::pair{0, "# 0"}, {2, "# 2"}, {0xFFFF, "# 65535"}, {-5, "#-5"},
                                {32756, "# 32756"}, {-32755, "#-32755"}})
        EXPECT_EQ(CommonDialogErrorText(number), "Unknow Printer Error:  "s + text);
}

TEST(FontDialogHeightTest, PointsToPixelsRoundHalfToEven) {
    // 18.67, exact, 23.33, exact, 10.5 down to even, 17.5 up to even, 3.5, no resolution.
    for (auto [dpi, pixels] : {std::pair{96, 19}, {72, 14}, {120, 23}, {144, 28}, {54, 10}, {90, 18}, {18, 4}, {0, 0}})
        EXPECT_EQ(FontDialogHeight(14, dpi), pixels) << dpi;
}

TEST(OpenFileBufferTest, PadsToTheBufferSizeAndRefusesLongerNames) {
    EXPECT_EQ(OpenFileBuffer(""), std::string(256, '\0'));
    EXPECT_EQ(OpenFileBuffer("Blue.ini"), "Blue.ini" + std::string(248, '\0'));
    EXPECT_EQ(OpenFileBuffer(std::string(256, 'a')), std::string(256, 'a'));
    const AppError tooLong = Raised([] { OpenFileBuffer(std::string(257, 'a')); });
    EXPECT_EQ(tooLong.Number(), 5);
    EXPECT_EQ(tooLong.Description(), "Invalid procedure call or argument");
}

TEST(Form1Test, HoldsTheBorrowedControlsAndStartsAfreshAfterUnload) {
    Form1& form = GetForm1();
    ASSERT_EQ(gForm1.get(), &form);
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_FALSE(form.IsVisible());
    EXPECT_EQ(form.Image1.GetPicture().Width(), 400);
    EXPECT_EQ(form.Image1.GetPicture().Height(), 80);
    EXPECT_EQ(form.Image2.GetPicture().Width(), 90);
    EXPECT_EQ(form.Image2.GetPicture().Height(), 260);
    EXPECT_EQ(form.picTemp.Height(), form.Image1.GetPicture().Height());
    EXPECT_EQ(&GetForm1(), &form);  // one instance while loaded

    HWND window = form.Hwnd();
    UnloadForm1();
    EXPECT_EQ(gForm1, nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_NE(GetForm1().Hwnd(), nullptr);
    UnloadForm1();
}

// Cancelled (3) or chosen (0), the results are set afresh and Form1's controls
// are lent only while the dialog shows.
TEST_F(CmDialogTest, OpenGivesPathAndTitleOrNothingAndLendsForm1ControlsByKind) {
    TempDir dir;
    // What the hook is lent while the dialog shows: "preview temp check" and the banner's image.
    auto openAs = [&](int32_t kind, const std::string& choose = "") {
        SCOPED_TRACE(kind);
        gDialogKind = kind;
        gDialogFileName = gDialogFileTitle = "stale";
        std::string lent;
        DialogDriver driver(choose.empty() ? DialogPlan::Cancel() : DialogPlan::ChooseFile(choose));
        driver.WhileShown = [&](HWND) {
            if (!gForm1) return;
            if (gPicPreview == &gForm1->picPreview) lent += "preview ";
            if (gPicTemp == &gForm1->picTemp) lent += "temp ";
            if (gChkPreview == &gForm1->chkPreview) lent += "check ";
            const uintptr_t banner = gPicTemp ? gPicTemp->GetPicture().Handle() : 0;
            if (banner && banner == gForm1->Image1.GetPicture().Handle()) lent += "Image1";
            if (banner && banner == gForm1->Image2.GetPicture().Handle()) lent += "Image2";
        };
        EXPECT_EQ(OpenSkin(dir.Path()), choose.empty() ? 3 : 0);
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(driver.Seen().title, "Open Skin");
        EXPECT_EQ(driver.Seen().fileName, "");
        EXPECT_EQ(gDialogFileName, choose);
        EXPECT_EQ(gDialogFileTitle.empty(), choose.empty());
        EXPECT_EQ(extErr, 0);
        EXPECT_TRUE(!gPicPreview && !gPicTemp && !gChkPreview && !gForm1) << "all given back";
        return lent;
    };

    // A name longer than the buffer fails with error 5 before any dialog, lending nothing.
    gDialogKind = DialogKind::SkinBanner;
    {
        DialogDriver driver(DialogPlan::NoDialog());
        EXPECT_EQ(Raised([&] { OpenSkin("C:\\", std::string(257, 'x')); }).Number(), 5);
        EXPECT_EQ(gForm1, nullptr);
    }
    const std::string path = dir / "Blue.ini";
    WriteBytes(path, "[Vexo]\r\n");
    EXPECT_EQ(openAs(2, path), "preview temp Image1");
    EXPECT_TRUE(gDialogFileTitle == "Blue.ini" || gDialogFileTitle == "Blue") << gDialogFileTitle;
    EXPECT_EQ(openAs(1), "preview temp check ");  // no banner for the bitmap preview
    EXPECT_EQ(openAs(3), "preview temp Image2");
    EXPECT_EQ(openAs(0), "");
    EXPECT_EQ(openAs(4), "");
}

// A failed dialog gives 3 and no name: for a path too long for the buffer
// (which then holds the needed size, not a name) and for a missing file, which
// the skin dialog refuses with its own message.
TEST_F(CmDialogTest, FailedOpenGivesNoNameForAPathTooLongOrAMissingFile) {
    TempDir dir;
    std::string folder = dir.Path();
    while (folder.size() < 230) {
        folder.append("\\").append(std::min<size_t>(40, 236 - folder.size()), 'd');
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    }
    std::string path = folder;
    path.append("\\").append(258 - folder.size() - 5, 's').append(".ini");
    ASSERT_EQ(path.size(), 258u);
    WriteBytes(path, "[Vexo]\r\n");
    gDialogFileName = "stale";
    {
        DialogDriver driver(DialogPlan::ChooseFile(path));
        EXPECT_EQ(OpenSkin(folder), 3);
        EXPECT_TRUE(driver.Done());
    }
    EXPECT_EQ(extErr, FNERR_BUFFERTOOSMALL);
    EXPECT_EQ(gDialogFileName, "");
    EXPECT_EQ(gDialogFileTitle, "");

    gDialogFileName = "stale";
    int16_t result = -1;
    EXPECT_NONFATAL_FAILURE(
        {
            DialogDriver driver(DialogPlan::ChooseFile(dir / "Missing.ini"));
            result = OpenSkin(dir.Path());
        },
        "a message box came up");
    EXPECT_EQ(result, 3);
    EXPECT_EQ(gDialogFileName, "");
}

TEST_F(CmDialogTest, ColorDialogOpensOnTheInitialColorWithWhiteCustomColorsEveryTime) {
    using Colors = std::array<COLORREF, 16>;
    auto shown = [](const DialogDriver& d) { return RGB(d.Seen().red, d.Seen().green, d.Seen().blue); };
    auto grab = [](Colors& into) {
        const COLORREF* shown = ShowingCustomColors();
        ASSERT_NE(shown, nullptr);
        std::copy(shown, shown + 16, into.begin());
    };
    Colors white;
    white.fill(0xFFFFFF);
    Colors firstAtStart{}, firstAdded{}, secondAtStart{};
    {
        DialogDriver driver(DialogPlan::PickColor(10, 20, 30, true));
        driver.WhileShown = [&](HWND) { grab(firstAtStart); };
        driver.BeforeAnswer = [&](HWND) { grab(firstAdded); };
        EXPECT_EQ(ShowColor(owner, extErr, 0x123456, kColorFlags), 0);
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(driver.Seen().title, "Color");
        EXPECT_EQ(shown(driver), 0x123456u);
        EXPECT_EQ(gDialogColor, static_cast<int32_t>(RGB(10, 20, 30)));
        EXPECT_EQ(extErr, 0);
    }
    {
        // A system colour opens as black.
        DialogDriver driver(DialogPlan::PickColor(255, 0, 128));
        EXPECT_EQ(ShowColor(owner, extErr, SystemColor(COLOR_WINDOW), kColorFlags), 0);
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(shown(driver), 0u);
        EXPECT_EQ(gDialogColor, static_cast<int32_t>(RGB(255, 0, 128)));
    }
    {
        // Cancelling keeps the last colour.
        gDialogColor = 0x00ABCDEF;
        DialogDriver driver(DialogPlan::Cancel());
        driver.WhileShown = [&](HWND) { grab(secondAtStart); };
        EXPECT_EQ(ShowColor(owner, extErr, 0x112233, kColorFlags), 3);
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(gDialogColor, 0x00ABCDEF);
        EXPECT_EQ(extErr, 0);
    }
    EXPECT_EQ(firstAtStart, white);
    EXPECT_EQ(firstAdded[0], RGB(10, 20, 30));  // the dialog did write into the block
    EXPECT_EQ(secondAtStart, white);           // yet nothing was carried over
    EXPECT_EQ(ShowingCustomColors(), nullptr);
}

TEST_F(CmDialogTest, FontDialogOpensCentredOnTheOwnersFaceAt14PointsAndReturnsOnlyTheFace) {
    const std::string other = "DejaVu Sans Mono";
    gDialogKind = DialogKind::FontDialog;
    {
        DialogDriver driver(DialogPlan::PickFont(other, "20", "Bold"));
        driver.WhileShown = [](HWND dialog) {
            ExpectCentred(dialog);
            EXPECT_TRUE(!gForm1 && !gPicPreview) << "nothing lent";
            const CHOOSEFONTA* cf = ShowingFontRecord();
            ASSERT_NE(cf, nullptr);
            EXPECT_EQ(cf->iPointSize, 14);
            EXPECT_EQ(cf->Flags, 0x804Bu);
            EXPECT_EQ(cf->nFontType, 0x2000);
        };
        EXPECT_EQ(ShowFont(owner), other);
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(driver.Seen().title, "Font");
        EXPECT_EQ(driver.Seen().face, "Tahoma");
        EXPECT_EQ(driver.Seen().size, "14");
    }
    EXPECT_EQ(ShowingFontRecord(), nullptr);
    // The face follows the owner's font, and cancelling gives nothing.
    owner.SetFont(other.c_str(), 10, true);
    DialogDriver driver(DialogPlan::Cancel());
    EXPECT_EQ(ShowFont(owner), "");
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(driver.Seen().face, other);
    EXPECT_EQ(driver.Seen().size, "14");
    EXPECT_EQ(driver.Seen().style, "Regular");  // the owner's bold is not passed on
}

}  // namespace
