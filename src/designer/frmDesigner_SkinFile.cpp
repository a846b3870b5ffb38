// The skin file: reading, writing and upgrading it.
#include <windows.h>

#include <algorithm>

#include "AppError.h"
#include "DesignerLayout.h"
#include "Prompts.h"
#include "SkinTables.h"
#include "frmDesigner.h"
#include "modDesign.h"

namespace {
constexpr const char* kSkinSection = "Vexo";

bool HasSeveralDots(const std::string& fileName) {
    return std::count(fileName.begin(), fileName.end(), '.') > 1;
}
}  // namespace

std::string frmDesigner::SkinBitmapFolder() const {
    return gSkinsFolder + "\\" + m_File->GetBaseName(gSkinFileName);
}

std::string frmDesigner::SkinBitmapPath(int slot) const {
    return SkinBitmapFolder() + "\\" + lblBmpName(slot).Caption();
}

std::string frmDesigner::SlotFileName(int slot) const { return lblBmpName(slot).Caption(); }
int32_t frmDesigner::SlotColor(int slot) const { return lblCtrlColor(slot).BackColor(); }
std::string frmDesigner::FontName() const { return txtFontName.Text(); }
std::string frmDesigner::FontWidth() const { return txtFontWidth.Text(); }
std::string frmDesigner::FontHeight() const { return txtFontHeight.Text(); }
std::string frmDesigner::FontWeight() const { return txtFontWeight.Text(); }

bool frmDesigner::IsLoadedSkinFolder(const std::string& folder) const {
    if (gSkinsFolder.empty() || gSkinFileName.empty() || !TabStrip1.Enabled()) return false;
    const std::string base = m_File->GetBaseName(gSkinFileName);
    if (base.empty()) return false;
    std::string root = gSkinsFolder;
    while (!root.empty() && root.back() == '\\') root.pop_back();
    // gSkinFileName is the bare name; where the skin really came from is the file it is bound to.
    return m_IniSkin && SamePath(m_IniSkin->Nome(), root + "\\" + base + ".ini") && SamePath(folder, root + "\\" + base);
}

void frmDesigner::WriteKey(const std::string& key, const std::string& value) {
    // A write the system refuses is a failed save, not a saved skin.
    if (m_IniSkin->Scrivi(key, value) == 0) RaiseLastError();
}

bool frmDesigner::FileSaveProc() {
    if (txtSkinName.Text().empty()) {
        MsgBox("Name is missing! You must enter the Name for your skin, first.", MB_OK);
        return false;
    }
    const std::string fileName = m_File->GetFileName(txtSkinFilename.Text());
    const std::string base = m_File->GetBaseName(txtSkinFilename.Text());
    if (HasSeveralDots(fileName)) {
        // The base name ends at the first dot, so such a skin would land in another skin's file.
        MsgBox("The skin file name \"" + fileName + "\" holds more than one dot: it would be saved as \"" +
                   base + ".ini\", which may be the file of another skin." + "\r\n" +
                   "Nothing was saved. Give the skin a file name with a single dot, then save it.",
               MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    try {
        m_IniSkin->Nome(gSkinsFolder + "\\" + base + ".ini");
        m_IniSkin->Sezione(kSkinSection);
        WriteKey("name", txtSkinName.Text());
        gSkinName = txtSkinName.Text();
        WriteKey("version", txtSkinVersion.Text());
        WriteKey("directory", "Skins\\" + base);
        WriteKey("Author", txtAuthor.Text());
        WriteKey("E-Mail", txtEmail.Text());
        WriteKey("Web Site", txtWeb.Text());
        for (int i = 0; i < kBitmapSlotCount; ++i) WriteKey(kBitmapSlots[i].iniKey, lblBmpName(i).Caption());
        for (int i = 0; i < kColorSlotCount; ++i)
            WriteKey(kColorSlots[i].iniKey, ColorToHex(lblCtrlColor(i).BackColor()));
        WriteKey("MenuBar_font_name", txtFontName.Text());
        WriteKey("MenuBar_font_width", txtFontWidth.Text());
        WriteKey("MenuBar_font_height", txtFontHeight.Text());
        WriteKey("MenuBar_font_weight", txtFontWeight.Text());
        MarkSkinSaved();
        sb1.SetPanelText("skin", txtSkinName.Text());
        return true;
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "FileSaveProc"), MB_OK);
        return false;
    }
}

bool frmDesigner::OpenFile(const std::string& path) {
    try {
        // Opening never makes a file: a missing one is said so, not created empty.
        if (!m_File->FileExists(path)) {
            MsgBox("The file \"" + path + "\" doesn't exist.", MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        // A name without a dot would be bound as another file, name & ".ini".
        if (m_File->GetFileName(path).find('.') == std::string::npos) {
            MsgBox("The file \"" + path + "\" is not a skin file: a skin file's name ends with \".ini\".",
                   MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        m_IniSkin->Nome(path);
        m_IniSkin->Sezione(kSkinSection);
        txtSkinName.SetText(m_IniSkin->Leggi("name", ""));
        if (txtSkinName.Text().empty()) {
            if (m_File->ReadTextFile(path).find('\0') != std::string::npos) {
                // Not a text file at all: an upgrade would only damage it.
                MsgBox("Sorry, this file can't be loaded.) ", MB_OK);
                return false;
            }
            if (MsgBox("The file isn't configured to be used with VadiVirerova.\r\nWould you like update this file?",
                       MB_OKCANCEL) == IDCANCEL) {
                MsgBox("Sorry, this file can't be loaded.) ", MB_OK);
                return false;
            }
            UpdateFileVexo(path);
            MsgBox("Your file is now updated.\r\nClick OK to continue...", MB_OK);
        }
        gSkinFileName = m_File->GetFileName(path);
        txtSkinName.SetText(m_IniSkin->Leggi("name", ""));
        gSkinName = txtSkinName.Text();
        txtSkinFilename.SetText(path);
        txtSkinVersion.SetText(m_IniSkin->Leggi("version", "1.2"));
        txtAuthor.SetText(m_IniSkin->Leggi("Author", ""));
        txtEmail.SetText(m_IniSkin->Leggi("E-Mail", ""));
        txtWeb.SetText(m_IniSkin->Leggi("Web Site", ""));
        lblSkinDirectory.SetCaption(m_IniSkin->Leggi("directory", ""));
        for (int i = 0; i < kBitmapSlotCount; ++i) lblBmpName(i).SetCaption(m_IniSkin->Leggi(kBitmapSlots[i].iniKey, ""));
        for (int i = 0; i < kColorSlotCount; ++i)
            lblCtrlColor(i).SetBackColor(HexToColor(m_IniSkin->Leggi(kColorSlots[i].iniKey, "")));
        txtFontName.SetText(m_IniSkin->Leggi("MenuBar_font_name", ""));
        txtFontWidth.SetText(m_IniSkin->Leggi("MenuBar_font_width", ""));
        txtFontHeight.SetText(m_IniSkin->Leggi("MenuBar_font_height", ""));
        txtFontWeight.SetText(m_IniSkin->Leggi("MenuBar_font_weight", ""));
        sb1.SetPanelText("skin", txtSkinName.Text());
        picBitmapPreview.SetPicture(Picture());
        picButtonPreview.SetPicture(Picture());
        MarkSkinSaved();
        TabStrip1.SetEnabled(true);
        return true;
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "OpenFile"), MB_OK);
        return false;
    }
}

void frmDesigner::UpdateFileVexo(const std::string& path) {
    try {
        const std::string old = m_File->ReadTextFile(path);
        // Written beside the file first, so a failed write never costs the old contents.
        const std::string fresh = path + ".new";
        m_File->WriteTextFile("[Vexo]\r\n\r\n" + old + "\r\n", fresh, false);
        if (!MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            const DWORD code = GetLastError();
            DeleteFileA(fresh.c_str());
            throw Win32Error(code);
        }
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "UpdateFileVexo"), MB_OK);
    }
}

bool frmDesigner::mnuFileSave_Click() { return FileSaveProc(); }
