#include "CMDIALOG.h"

#include <windows.h>

#include <cderr.h>
#include <commdlg.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

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
    }

    int16_t OpenSkin(const std::string& initDir, const std::string& fileName = "") {
        return ShowOpen(owner, extErr, kSkinFilter, initDir, "Open Skin", 1, kSkinFlags, fileName);
    }

    Form owner{"frmOwner"};
    int32_t extErr = -1;
};

TEST(CmDialogHelpers, ErrorTextsFontHeightsRoundingHalfToEvenAndTheFileNameBuffer) {
    EXPECT_EQ(CommonDialogErrorText(32755), "#32755,  Cancel was selected.");
    // The two print-default texts are the same but for the number in front.
    const std::string printDefault = CommonDialogErrorText(28668);
    EXPECT_EQ(printDefault.substr(0, 34), "#28668,  The PD_RETURNDEFAULT flag");
    EXPECT_EQ(CommonDialogErrorText(28671), "#28671,  " + printDefault.substr(9));
    // Untranslated numbers, a gap in the table and a table number's negative; non-negative ones get a blank.
    for (auto [number, text] : {std::pair{0, "# 0"}, {2, "# 2"}, {0xFFFF, "# 65535"}, {-5, "#-5"},
                                {32756, "# 32756"}, {-32755, "#-32755"}})
        EXPECT_EQ(CommonDialogErrorText(number), "Unknow Printer Error:  "s + text);

    // Font heights at 14 points: 18.67, exact, 23.33, exact, 10.5 down to even, 17.5 up to even, 3.5, no resolution.
    for (auto [dpi, pixels] : {std::pair{96, 19}, {72, 14}, {120, 23}, {144, 28}, {54, 10}, {90, 18}, {18, 4}, {0, 0}})
        EXPECT_EQ(FontDialogHeight(14, dpi), pixels) << dpi;

    // The file name buffer is padded to its size and refuses longer names.
    EXPECT_EQ(OpenFileBuffer("Blue.ini"), "Blue.ini" + std::string(248, '\0'));
    EXPECT_EQ(OpenFileBuffer(std::string(256, 'a')), std::string(256, 'a'));
    const AppError tooLong = Raised([] { OpenFileBuffer(std::string(257, 'a')); });
    EXPECT_EQ(std::to_string(tooLong.Number()) + " " + tooLong.Description(), "5 Invalid procedure call or argument");
}

TEST(Form1Test, HoldsTheBannerPicturesAndGoesWithItsWindow) {
    Form1& form = GetForm1();
    EXPECT_TRUE(form.IsLoaded() && !form.IsVisible());
    EXPECT_EQ(&GetForm1(), &form);  // one instance while loaded
    const Picture &image1 = form.Image1.GetPicture(), &image2 = form.Image2.GetPicture();
    EXPECT_EQ(std::pair(image1.Width(), image1.Height()), std::pair(400, 80));
    EXPECT_EQ(std::pair(image2.Width(), image2.Height()), std::pair(90, 260));
    EXPECT_EQ(form.picTemp.Height(), 80);
    const HWND window = form.Hwnd();
    UnloadForm1();
    EXPECT_TRUE(!gForm1 && !IsWindow(window));
}

// Cancelled (3) or chosen (0), the results are set afresh and Form1's controls are
// given back; what each kind lends is checked by the hook's tests.
TEST_F(CmDialogTest, OpenGivesPathAndTitleOrNothingAndGivesForm1ControlsBack) {
    TempDir dir;
    auto openAs = [&](int32_t kind, const std::string& choose = "") {
        SCOPED_TRACE(kind);
        gDialogKind = kind;
        gDialogFileName = gDialogFileTitle = "stale";
        char before[MAX_PATH] = {}, after[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, before);
        DialogDriver driver(choose.empty() ? DialogPlan::Cancel() : DialogPlan::ChooseFile(choose));
        EXPECT_EQ(OpenSkin(dir.Path()), choose.empty() ? 3 : 0);
        EXPECT_STREQ((GetCurrentDirectoryA(MAX_PATH, after), after), before) << "the current folder is left as it was";
        EXPECT_EQ(driver.Seen().title + "|" + driver.Seen().fileName, "Open Skin|");
        EXPECT_EQ(gDialogFileName, choose);
        EXPECT_EQ(gDialogFileTitle.empty(), choose.empty());
        EXPECT_EQ(extErr, 0);
        EXPECT_TRUE(!gPicPreview && !gPicTemp && !gChkPreview && !gForm1) << "all given back";
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
    openAs(2, path);
    EXPECT_TRUE(gDialogFileTitle == "Blue.ini" || gDialogFileTitle == "Blue") << gDialogFileTitle;
    for (int32_t kind : {0, 1, 3, 4}) openAs(kind);
}

// A failed dialog gives 3 and no name: for a path too long for the buffer
// (which then holds the needed size, not a name) and for a missing file, which
// the skin dialog refuses with its own message.
TEST_F(CmDialogTest, FailedOpenGivesNoNameForAPathTooLongOrAMissingFile) {
    TempDir dir;
    std::string folder = dir.Path();
    while (folder.size() < 230)
        ASSERT_TRUE(CreateDirectoryA(folder.append("\\").append(std::min<size_t>(40, 236 - folder.size()), 'd').c_str(), nullptr));
    const std::string path = folder + "\\" + std::string(258 - folder.size() - 5, 's') + ".ini";  // 258 characters
    WriteBytes(path, "[Vexo]\r\n");
    gDialogFileName = "stale";
    {
        DialogDriver driver(DialogPlan::ChooseFile(path));
        EXPECT_EQ(OpenSkin(folder), 3);
    }
    EXPECT_EQ(extErr, FNERR_BUFFERTOOSMALL);
    EXPECT_EQ(gDialogFileName + gDialogFileTitle, "");

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
    auto shown = [](const DialogDriver& d) { return RGB(d.Seen().red, d.Seen().green, d.Seen().blue); };
    // White custom colours at every opening, though the dialog writes into the block.
    std::vector<ptrdiff_t> whites;
    auto countWhites = [&](HWND) {
        const COLORREF* c = ShowingCustomColors();
        whites.push_back(c ? std::count(c, c + 16, COLORREF(0xFFFFFF)) : -1);
    };
    COLORREF added = 0;
    {
        DialogDriver driver(DialogPlan::PickColor(10, 20, 30, true));
        driver.WhileShown = countWhites;
        driver.BeforeAnswer = [&](HWND) { if (const COLORREF* c = ShowingCustomColors()) added = c[0]; };
        EXPECT_EQ(ShowColor(owner, extErr, 0x123456, kColorFlags), 0);
        EXPECT_EQ(driver.Seen().title, "Color");
        EXPECT_EQ(shown(driver), 0x123456u);
        EXPECT_EQ(gDialogColor, static_cast<int32_t>(RGB(10, 20, 30)));
        EXPECT_EQ(extErr, 0);
    }
    {
        // A system colour opens as black.
        DialogDriver driver(DialogPlan::PickColor(255, 0, 128));
        EXPECT_EQ(ShowColor(owner, extErr, SystemColor(COLOR_WINDOW), kColorFlags), 0);
        EXPECT_EQ(shown(driver), 0u);
        EXPECT_EQ(gDialogColor, static_cast<int32_t>(RGB(255, 0, 128)));
    }
    {
        // Cancelling keeps the last colour.
        gDialogColor = 0x00ABCDEF;
        DialogDriver driver(DialogPlan::Cancel());
        driver.WhileShown = countWhites;
        EXPECT_EQ(ShowColor(owner, extErr, 0x112233, kColorFlags), 3);
        EXPECT_EQ(gDialogColor, 0x00ABCDEF);
        EXPECT_EQ(extErr, 0);
    }
    EXPECT_EQ(whites, (std::vector<ptrdiff_t>{16, 16}));
    EXPECT_EQ(added, RGB(10, 20, 30));
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
        EXPECT_EQ(driver.Seen().title + "|" + driver.Seen().face + "|" + driver.Seen().size, "Font|Tahoma|14");
    }
    EXPECT_EQ(ShowingFontRecord(), nullptr);
    // The face follows the owner's font but not its bold, and cancelling gives nothing.
    owner.SetFont(other.c_str(), 10, true);
    DialogDriver driver(DialogPlan::Cancel());
    EXPECT_EQ(ShowFont(owner), "");
    // The owner's bold is not passed on.
    EXPECT_EQ(driver.Seen().face + "|" + driver.Seen().size + "|" + driver.Seen().style, other + "|14|Regular");
}

// Each dialog keeps the program's other windows waiting; when it closes, exactly those that
// took input take it again.
TEST_F(CmDialogTest, EachDialogKeepsTheOtherWindowsWaitingUntilItCloses) {
    Form other("frmOther"), off("frmOff");
    owner.Show(), other.Show(), off.Show();
    EnableWindow(off.Hwnd(), FALSE);
    const std::function<void()> shows[] = {[&] { EXPECT_EQ(OpenSkin("C:\\"), 3); },
                                           [&] { EXPECT_EQ(ShowColor(owner, extErr, 0, kColorFlags), 3); },
                                           [&] { EXPECT_EQ(ShowFont(owner), ""); }};
    for (const auto& show : shows) {
        SCOPED_TRACE(&show - shows);
        std::string whileShown;
        {
            DialogDriver driver(DialogPlan::Cancel());
            driver.WhileShown = [&](HWND) {
                for (const Form* f : {&owner, &other, &off}) whileShown += IsWindowEnabled(f->Hwnd()) ? "1" : "0";
            };
            show();
        }
        EXPECT_EQ(whileShown, "000");
        EXPECT_TRUE(IsWindowEnabled(owner.Hwnd()) && IsWindowEnabled(other.Hwnd()));
        EXPECT_FALSE(IsWindowEnabled(off.Hwnd()));
    }
}

}  // namespace
