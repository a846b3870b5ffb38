// Preview > Input Settings dialog: shown, redrawn, closed, and its check mark kept in step.
#include <windows.h>

#include "BmpFile.h"
#include "DesignerFixture.h"
#include "frmPreInput.h"

namespace {
class PreviewInputTest : public DesignerTest {
protected:
    void TearDown() override {
        DesignerTest::TearDown();
        gFrmPreInput.reset();
    }
    // A skin in the window with a background bitmap, so drawing has nothing to tell.
    frmDesigner& OpenWithSkin() {
        frmDesigner& f = Open();
        gSkinsFolder = dir.Path();
        gSkinFileName = "Blue.ini";
        CreateDirectoryA((dir / "Blue").c_str(), nullptr);
        WriteBytes(dir / "Blue\\back.bmp", BmpFile(2, 2, 0x406080));
        f.lblBmpName(0).SetCaption("back.bmp");
        return f;
    }
    bool Checked() { return gFrmDesigner->Menu("mnuPreviewInput").Checked(); }
};

TEST_F(PreviewInputTest, MenuShowsOwnedModelessAndUnloadsAgain) {
    frmDesigner& f = OpenWithSkin();
    f.mnuPreviewInput_Click();
    ASSERT_TRUE(gFrmPreInput);
    EXPECT_TRUE(Checked());
    EXPECT_TRUE(gFrmPreInput->IsVisible());
    EXPECT_EQ(GetWindow(gFrmPreInput->Hwnd(), GW_OWNER), f.Hwnd());
    EXPECT_TRUE(IsWindowEnabled(f.Hwnd())) << "modeless";
    EXPECT_EQ(gFrmPreInput->picDlgInput.Point(5, 150), 0x406080);
    EXPECT_TRUE(prompts.asked.empty());

    // Update redraws from the fields being edited.
    f.lblCtrlColor(12).SetBackColor(0x0000FF);
    EXPECT_NE(gFrmPreInput->picDlgInput.Point(12, 34), 0x0000FF);
    f.mnuPreviewUpdate_Click();
    EXPECT_EQ(gFrmPreInput->picDlgInput.Point(12, 34), 0x0000FF);

    f.mnuPreviewInput_Click();
    EXPECT_FALSE(Checked());
    EXPECT_FALSE(gFrmPreInput);
}

TEST_F(PreviewInputTest, EscapeUnchecksAndTheNextClickOpensItAgain) {
    frmDesigner& f = OpenWithSkin();
    f.mnuPreviewInput_Click();
    ASSERT_TRUE(gFrmPreInput && gFrmPreInput->IsLoaded());
    PostMessageA(gFrmPreInput->Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(gFrmPreInput->Hwnd(), WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001));
    const DWORD start = GetTickCount();
    RunMessageLoop([&] { return gFrmPreInput->IsLoaded() && GetTickCount() - start < 10000; });
    EXPECT_FALSE(gFrmPreInput->IsLoaded());
    EXPECT_FALSE(Checked());
    f.mnuPreviewUpdate_Click();  // nothing to redraw

    f.mnuPreviewInput_Click();
    EXPECT_TRUE(Checked());
    ASSERT_TRUE(gFrmPreInput);
    EXPECT_TRUE(gFrmPreInput->IsVisible());
}

TEST_F(PreviewInputTest, ClosingTheDesignerUnloadsItUnlessCancelled) {
    frmDesigner& f = OpenWithSkin();
    f.mnuPreviewInput_Click();
    f.MarkSkinChanged();
    prompts.Answer(IDCANCEL);
    EXPECT_FALSE(f.Unload());
    ASSERT_TRUE(gFrmPreInput);
    EXPECT_TRUE(gFrmPreInput->IsVisible());

    prompts.Answer(IDNO);
    EXPECT_TRUE(f.Unload());
    EXPECT_FALSE(gFrmPreInput);
}

TEST_F(PreviewInputTest, WithoutABackgroundTheDrawTellsOnceNamingPreviewInput) {
    frmDesigner& f = Open();
    gSkinsFolder = dir.Path();
    gSkinFileName = "Blue.ini";
    f.mnuPreviewInput_Click();
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_NE(prompts.asked[0].text.find("in procedure Preview_Input of Form frmDesigner"), std::string::npos);
    EXPECT_TRUE(gFrmPreInput->IsVisible());
}
}  // namespace
