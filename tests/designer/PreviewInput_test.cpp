// Preview > Input Settings dialog: shown, redrawn, closed, and its check mark kept in step.
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
    // A skin with a background bitmap, shown in the preview at once.
    frmDesigner& OpenPreview() {
        frmDesigner& f = Open();
        gSkinsFolder = dir.Path();
        gSkinFileName = "Blue.ini";
        CreateDirectoryA((dir / "Blue").c_str(), nullptr);
        WriteBytes(dir / "Blue\\back.bmp", BmpFile(2, 2, 0x406080));
        f.lblBmpName(0).SetCaption("back.bmp");
        f.mnuPreviewInput_Click();
        return f;
    }
    bool Checked() { return gFrmDesigner->Menu("mnuPreviewInput").Checked(); }
};

TEST_F(PreviewInputTest, MenuShowsRedrawsAndUnloadsItAndEscapeUnchecks) {
    frmDesigner& f = OpenPreview();
    ASSERT_TRUE(gFrmPreInput && gFrmPreInput->IsVisible());
    EXPECT_TRUE(Checked());
    EXPECT_EQ(GetWindow(gFrmPreInput->Hwnd(), GW_OWNER), f.Hwnd());
    EXPECT_TRUE(IsWindowEnabled(f.Hwnd())) << "modeless";
    EXPECT_EQ(gFrmPreInput->picDlgInput.Point(5, 150), 0x406080);
    EXPECT_TRUE(prompts.asked.empty());

    f.lblCtrlColor(12).SetBackColor(0x0000FF);
    EXPECT_NE(gFrmPreInput->picDlgInput.Point(12, 34), 0x0000FF);
    f.mnuPreviewUpdate_Click();
    EXPECT_EQ(gFrmPreInput->picDlgInput.Point(12, 34), 0x0000FF);
    f.mnuPreviewInput_Click();
    EXPECT_FALSE(Checked());
    EXPECT_FALSE(gFrmPreInput);

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
    EXPECT_TRUE(Checked() && gFrmPreInput->IsVisible());
}

TEST_F(PreviewInputTest, ClosingTheDesignerUnloadsItUnlessCancelled) {
    frmDesigner& f = OpenPreview();
    f.MarkSkinChanged();
    prompts.Answer(IDCANCEL);
    EXPECT_FALSE(f.Unload());
    EXPECT_TRUE(gFrmPreInput && gFrmPreInput->IsVisible());
    prompts.Answer(IDNO);
    EXPECT_TRUE(f.Unload());
    EXPECT_FALSE(gFrmPreInput);
}
}  // namespace
