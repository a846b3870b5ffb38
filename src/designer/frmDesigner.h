// The designer window: five tab pages holding the skin being edited, menus,
// status bar and the skin's changed or saved state.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CommonControls.h"
#include "ControlArray.h"
#include "File.h"
#include "Form.h"
#include "ISkinSource.h"
#include "IniManag.h"
#include "Label.h"
#include "PictureBox.h"
#include "StdControls.h"
#include "clsCoolBar.h"
#include "clsImageList.h"
#include "clsToolBar.h"

class frmDesigner : public Form, public ISkinSource {
public:
    frmDesigner();
    ~frmDesigner() override;

    // Controls of the General page.
    TextBox txtSkinName{"txtSkinName"}, txtSkinVersion{"txtSkinVersion"}, txtAuthor{"txtAuthor"},
        txtEmail{"txtEmail"}, txtWeb{"txtWeb"}, txtSkinFilename{"txtSkinFilename"},
        txtSkinsFolder{"txtSkinsFolder"};
    Label lblSkinName{"lblSkinName"}, lblSkinVersion{"lblSkinVersion"}, lblAuthor{"lblAuthor"},
        lblEmail{"lblEmail"}, lblWeb{"lblWeb"}, lblSkinFilename{"lblSkinFilename"},
        lblSkinsFolder{"lblSkinsFolder"}, lblSkinDirectory{"lblSkinDirectory"};
    CommandButton cmdCreateSkin{"cmdCreateSkin"}, cmdRenameSkin{"cmdRenameSkin"};

    // Bitmap slots (Images and Buttons pages) and their previews.
    ControlArray<Label> lblBmp{"lblBmp", 0, 24};
    ControlArray<Label> lblBmpName{"lblBmpName", 0, 24};
    PictureBox picBitmapPreview{"picBitmapPreview"}, picButtonPreview{"picButtonPreview"};
    Label lblImageCurrentRGBColor{"lblImageCurrentRGBColor"}, lblBtnCurrentRGBColor{"lblBtnCurrentRGBColor"};
    PictureBox picColor{"picColor"};

    // Colour swatches (Colors and Menu pages) in their group frames.
    ControlArray<Label> lblCtrl{"lblCtrl", 0, 37};
    ControlArray<Label> lblCtrlColor{"lblCtrlColor", 0, 37};
    ControlArray<CommandButton> cmd1{"cmd1", 0, 10};

    // Menu page font fields.
    TextBox txtFontName{"txtFontName"}, txtFontWidth{"txtFontWidth"}, txtFontHeight{"txtFontHeight"},
        txtFontWeight{"txtFontWeight"};
    Label lblFontName{"lblFontName"}, lblFontWidth{"lblFontWidth"}, lblFontHeight{"lblFontHeight"},
        lblFontWeight{"lblFontWeight"};
    CommandButton cmdChangeFont{"cmdChangeFont"};

    // Pages, tab strip, status bar.
    ControlArray<PictureBox> picTab{"picTab", 1, 5};
    Label lblTabGeneral{"lblTabGeneral"}, lblTabImages{"lblTabImages"}, lblTabButtons{"lblTabButtons"},
        lblTabColors{"lblTabColors"}, lblTabMenu{"lblTabMenu"};
    // The explanatory label of page 1 to 5.
    Label& lblTab(int page);
    TabStrip TabStrip1{"TabStrip1"};
    ImageList imlBMP16;
    StatusBar sb1{"sb1"};
    PictureBox picTmp{"picTmp"};

    // Images that only lend their pictures.
    Image imgEye{"imgEye"}, imgHand{"imgHand"}, imgMano{"imgMano"}, imgChanged{"imgChanged"},
        imgSaved{"imgSaved"}, imgFill{"imgFill"}, imgContagocce{"imgContagocce"};

    MenuItem& Menu(const std::string& name, int index = -1) { return Menus().Item(name, index); }

    // State.
    bool m_Loading = false;
    int16_t m_CurrentTab = 0;
    std::string m_SettingsFile;
    std::unique_ptr<IniManag> m_IniSettings;
    std::unique_ptr<IniManag> m_IniSkin;
    std::unique_ptr<File> m_File;

    // Procedures.
    void Form_Initialize();
    void TabStrip1_Click();
    void ChangeButtonStyle(CommandButton& button);
    void MarkSkinChanged();
    void MarkSkinSaved();
    bool SkinIsChanged();
    void ButtonInfo_ButtonHelp(const std::string& text);
    // The skin file.
    bool FileSaveProc();
    bool OpenFile(const std::string& path);
    bool UpdateFileVexo(const std::string& path);
    bool mnuFileSave_Click();
    // Whether the folder is the loaded skin's own bitmap folder: a skin is loaded from
    // <skins folder>\<base name>.ini and the folder is <skins folder>\<base name>.
    // Whatever writes or deletes bitmaps asks this first.
    bool IsLoadedSkinFolder(const std::string& folder) const;
    // The full path of the file the loaded skin was read from or last saved into.
    std::string m_SkinFilePath;
    // The skins folder is chosen and exists; when not, says how to choose it.
    bool SkinsFolderReady();
    // A skin file path whose name stands for a device, or holds a wildcard, names no file of its
    // own: said so, and true, before anything is read or written.
    bool NamesNoSkinFile(const std::string& path);

    // What the previews read (ISkinSource).
    std::string SlotFileName(int slot) const override;
    std::string SkinBitmapFolder() const override;
    std::string SkinBitmapPath(int slot) const override;
    int32_t SlotColor(int slot) const override;
    std::string FontName() const override;
    std::string FontWidth() const override;
    std::string FontHeight() const override;
    std::string FontWeight() const override;

    // The skin's text fields.
    void txtSkinName_Change();
    void cmdChangeFont_Click();

    // Whole-skin commands and the skins folder.
    void FileOpenProc();
    void FileNewProc();
    void cmdRenameSkin_Click();
    void mnuFileRenameSkin_Click() { cmdRenameSkin.SetValue(true); }
    void RenameSkinAt(const std::string& folder);
    void mnuOptionsDeleteUnusedBitmap_Click();
    // Why the loaded skin's bitmap folder may not be cleaned (it may be another skin's), or the
    // empty text.
    std::string CleanUpRefusal() const;
    void DeleteUnusedBitmap();
    // The 25 bitmap names of the loaded skin's file as saved; none when it has no file yet.
    // Raises AppError when the file is there but can't be read.
    std::vector<std::string> SavedBitmapNames();
    void mnuOptionsSkinsFolder_Click();
    bool MakeFolderTemplate();
    void SearchVexoSkinFolder();

    // Settings and the recent-files list.
    void UpdateFileMenu(const std::string& path);
    bool OnRecentFilesList(const std::string& path);
    void WriteRecentFiles(const std::string& path);
    void GetRecentFiles();
    void UpdateRecentsFilesList();
    void mnuRecentFile_Click(int index);
    void mnuOptionsClearRecentsFiles_Click();
    void mnuOptionsCopyBMP_Click();
    void mnuOptionsUseDefault_Click();

    // Menus. The save prompt answers whether the command may go on.
    bool SavePrompt();
    void mnuFile_Click();
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuView_Click();
    void mnuPreviewVexo_Click();
    void mnuPreviewInput_Click();
    void mnuPreviewUpdate_Click();
    void mnuHelp_Click();
    void mnuHelpContents_Click();
    void mnuHelpWhatThis_Click();
    void mnuHelpAbout_Click();
    void cmdInTitlebar_Click();

    // The toolbar.
    std::unique_ptr<clsCoolBar> m_CoolBar;
    std::unique_ptr<clsImageList> m_ImageList;
    std::unique_ptr<clsToolBar> m_ToolBar;
    void Toolbar_Initialize();
    void EnableButton(int32_t position, bool enabled);
    void ButtonInfo_ButtonClick(int32_t position);
    void sb1_MouseMove(int button, int shift, float x, float y);

    // Bitmap slots (frmDesigner_Bitmaps.cpp).
    std::string m_LastBitmapPath;
    std::string BitmapOpenFile(const std::string& title);
    void lblBmpName_MouseDown(int16_t index, int16_t button, int16_t shift, float x, float y);
    void lblBmpName_MouseMove(int16_t index, int16_t button, int16_t shift, float x, float y);
    void lblBmpName_MouseUp(int16_t, int16_t, int16_t, float, float) {}

    // Colour swatches and the pick colour (frmDesigner_Colors.cpp).
    bool m_OverColorLabel = false;
    int16_t m_ColorLabelIndex = 0;
    bool m_PasteColorKey = false;
    bool m_CopyColorKey = false;
    void lblCtrlColor_MouseDown(int16_t index, int16_t button, int16_t shift, float x, float y);
    void lblCtrlColor_MouseMove(int16_t index, int16_t button, int16_t shift, float x, float y);
    void Form_KeyDown(int keyCode, int shift) override;
    void Form_KeyUp(int keyCode, int shift) override;
    void picBitmapPreview_MouseMove(int button, int shift, float x, float y);
    void picButtonPreview_MouseMove(int button, int shift, float x, float y);
    void picBitmapPreview_MouseUp(int button, int shift, float x, float y);
    void picButtonPreview_MouseUp(int button, int shift, float x, float y);
    void picTab_MouseMove(int16_t index, int button, int shift, float x, float y);
    void Update_picColor(int32_t color);

    void Preview_Vexo() {}
    void Preview_Input() {}
    void Preview_Output() {}

protected:
    void CreateControls() override;
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel) override;
    void Form_Unload(bool& cancel) override;
    bool UnsavedWork() override { return SkinIsChanged(); }
    void Form_SessionEnd() override;
    void Form_Click() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;

private:
    void CreateGeneralPage();
    void CreateBitmapPages();
    void CreateColorPages();
    void CreateLendingImages();
    void LayPages();
    void ReadSettings();
    // Flips an Options item and keeps its key and global in step with the check mark.
    void ToggleOption(const std::string& itemName, const std::string& key, bool& option);
    // The "Default" section's version, author, e-mail and web site for new skins.
    struct DefaultValues {
        std::string version, author, email, web;
    };
    DefaultValues ReadDefaultValues();
    // Runs the captured folder dialog; the chosen folder, or the empty text.
    std::string BrowseFolder(const std::string& caption, const std::string& initialDir);
    void WireTextFields();
    void WireMenus();
    void MarkChangedUnlessLoading();
    struct SkinValues;
    SkinValues ReadSkinValues();
    void ShowSkinValues(const SkinValues& values);
    void AskFirstRun();
    void CreateToolbarObjects();
    // Ends the toolbar before its window goes, so the window's own procedure is back first.
    void ReleaseToolbarObjects();

    void WireBitmapSlots();
    void WireColorSwatches();
    // Slots and previews.
    void HighlightSlot(int index);
    // Only into the loaded skin's own folder (IsLoadedSkinFolder), which it makes when it is missing.
    bool CopyBitmapIntoSkin(const std::string& path, const std::string& destination);
    // Colours.
    void ShowPixelReadout(PictureBox& box, Label& readout, float x, float y);
    void PickColorAt(PictureBox& box, float x, float y);
};

// The designer window's single instance.
extern std::unique_ptr<frmDesigner> gFrmDesigner;

// The help file last opened by Help Contents.
extern std::string gHelpFile;
