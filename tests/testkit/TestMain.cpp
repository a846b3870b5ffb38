// Every test program's main. Before each test it puts the program back as it stood at start-up, so no
// fixture can forget a global: the forms a test left go (without their unload events), every global,
// hook and override takes its start value, and so does the current folder; a quit left queued goes.
#include <windows.h>

#include <gtest/gtest.h>

#include "AppInfo.h"
#include "CMDIALOG.h"
#include "DialogHook.h"
#include "File.h"
#include "Form1.h"
#include "Prompts.h"
#include "frmDesigner.h"
#include "frmPreInput.h"
#include "frmPreview.h"
#include "frmSplash.h"
#include "modDesign.h"
#include "modDraw.h"
#include "modOperativeSystem.h"
#include "modSubMain.h"
#include "modToolBar.h"
#include "resource.h"

namespace {
std::string g_StartFolder;

void ResetProgramState() {
    // Owned windows before their owners; the toolbar's subclassing goes with the designer.
    gFrmPreview.reset(), gFrmPreInput.reset(), gFrmSplash.reset(), gFrmDesigner.reset(), gForm1.reset();
    UnSubclass(), gToolbarButtons.clear(), gTipText.clear(), SetToolbarFirstBitmapId(IDB_TOOLBAR_NEW);
    gTwipsPerPixelX = gTwipsPerPixelY = 0, gOSVersion = 0, SetOSVersionOverride(-1), modDraw::gDefaultPalette = nullptr;
    gSkinsFolder.clear(), gSkinName.clear(), gSkinFileName.clear(), gFile.reset();
    gPickColor = 0, gFirstRun = gCopyBitmapToSkinFolder = gUseDefault = gAudioCheckArmed = false;
    gDialogKind = DialogKind::Plain, gDialogColor = 0, gDialogFileName.clear(), gDialogFileTitle.clear();
    gPicPreview = gPicTemp = nullptr, gChkPreview = nullptr, gPreviewFilePath.clear(), gStretchImage = 0;
    gDialogWidePath.clear();
    gIniMain = IniManag(), gAppPath.clear(), gSplashAtStartup = false, gHelpFile.clear(), AppHelpFile().clear();
    SetProgramFolder(""), SetPromptHook({}), SetHelpPopup({}), SetCurrentError(AppError(0, ""));
    SetCurrentDirectoryA(g_StartFolder.c_str());
    for (MSG quit; PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);) {}
}

struct ResetBeforeEachTest : ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { ResetProgramState(); }
    // And once more, so no form outlives the test program's globals at exit.
    void OnTestProgramEnd(const ::testing::UnitTest&) override { ResetProgramState(); }
};
}  // namespace

int main(int argc, char** argv) {
    g_StartFolder = CurrentFolder();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetBeforeEachTest);
    return RUN_ALL_TESTS();
}
