// The skin file: reading, writing and upgrading it.
#include <windows.h>

#include <array>

#include "AppError.h"
#include "DesignerLayout.h"
#include "Prompts.h"
#include "SkinTables.h"
#include "frmDesigner.h"
#include "modDesign.h"

namespace {
constexpr const char* kSkinSection = "Vexo";
constexpr const char* kUtf8Mark = "\xEF\xBB\xBF";

std::string NoTrailingBackslash(std::string folder) {
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

// Holds a window's painting while many controls change, then repaints it once.
class RedrawPause {
public:
    // A hidden window is left alone: turning redraw back on would mark it visible.
    explicit RedrawPause(HWND window) : m_Window(IsWindowVisible(window) ? window : nullptr) {
        if (m_Window) SendMessageA(m_Window, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawPause() {
        if (!m_Window) return;
        SendMessageA(m_Window, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(m_Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    HWND m_Window;
};
}  // namespace

// Everything the window shows of a skin file, read before any control is touched.
struct frmDesigner::SkinValues {
    std::string name, version, author, email, web, directory;
    std::array<std::string, kBitmapSlotCount> bitmaps;
    std::array<int32_t, kColorSlotCount> colors{};
    std::string fontName, fontWidth, fontHeight, fontWeight;
};

std::string frmDesigner::SkinBitmapFolder() const {
    return NoTrailingBackslash(gSkinsFolder) + "\\" + m_File->GetBaseName(gSkinFileName);
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
    if (gSkinsFolder.empty() || m_SkinFilePath.empty() || !TabStrip1.Enabled()) return false;
    const std::string base = m_File->GetBaseName(gSkinFileName);
    if (base.empty()) return false;
    const std::string root = NoTrailingBackslash(gSkinsFolder);
    return SamePath(m_SkinFilePath, root + "\\" + base + ".ini") && SamePath(folder, root + "\\" + base);
}

bool frmDesigner::SkinsFolderReady() {
    if (!gSkinsFolder.empty() && m_File->DirExists(gSkinsFolder)) return true;
    const std::string what =
        gSkinsFolder.empty() ? std::string("No skins folder is chosen yet.")
                             : "The skins folder \"" + gSkinsFolder + "\" doesn't exist.";
    MsgBox(what + "\r\nChoose it with \"Select the Vexo skins folder...\" in the Options menu, then try again.",
           MB_OK | MB_ICONEXCLAMATION);
    return false;
}

bool frmDesigner::NamesNoSkinFile(const std::string& path) {
    const std::string problem = PathTextProblem(path);
    if (problem.empty()) return false;
    MsgBox("The file \"" + path + "\" can't be used as a skin file: " + problem + ".", MB_OK | MB_ICONEXCLAMATION);
    return true;
}

bool frmDesigner::FileSaveProc() {
    if (txtSkinName.Text().empty()) {
        MsgBox("Name is missing! You must enter the Name for your skin, first.", MB_OK);
        return false;
    }
    const std::string base = m_File->GetBaseName(txtSkinFilename.Text());
    if (base.empty()) {
        MsgBox("There is no skin file to save this skin into.\r\n"
               "Use \"New skin...\" or \"Open skin...\" in the File menu first.",
               MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!SkinsFolderReady()) return false;
    const std::string target = NoTrailingBackslash(gSkinsFolder) + "\\" + base + ".ini";
    if (NamesNoSkinFile(target)) return false;
    // The placement rule may name a file this skin was not read from: another skin's.
    if (GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES && !SamePath(target, m_SkinFilePath)) {
        const std::string from = m_SkinFilePath.empty() ? "" : " (the skin was opened from \"" + m_SkinFilePath + "\")";
        if (MsgBox("Saving writes this skin into \"" + target + "\"" + from +
                       ", but that file already exists and may belong to another skin.\r\n\r\nOverwrite it?",
                   MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
            return false;
    }
    try {
        IniManag::RefuseReadOnly(target);
        IniManag::KeyValues keys = {{"name", txtSkinName.Text()},      {"version", txtSkinVersion.Text()},
                                    {"directory", "Skins\\" + base},  {"Author", txtAuthor.Text()},
                                    {"E-Mail", txtEmail.Text()},        {"Web Site", txtWeb.Text()}};
        for (int i = 0; i < kBitmapSlotCount; ++i) keys.emplace_back(kBitmapSlots[i].iniKey, lblBmpName(i).Caption());
        for (int i = 0; i < kColorSlotCount; ++i)
            keys.emplace_back(kColorSlots[i].iniKey, ColorToHex(lblCtrlColor(i).BackColor()));
        keys.emplace_back("MenuBar_font_name", txtFontName.Text());
        keys.emplace_back("MenuBar_font_width", txtFontWidth.Text());
        keys.emplace_back("MenuBar_font_height", txtFontHeight.Text());
        keys.emplace_back("MenuBar_font_weight", txtFontWeight.Text());
        // Whole or not at all: the keys go into a copy that replaces the file once the disk holds them.
        const std::string note = IniManag::ReplaceWithCopy(target, IniManag::WrittenCopy(target, kSkinSection, keys));
        m_IniSkin->Nome(target);
        m_IniSkin->Sezione(kSkinSection);
        gSkinName = txtSkinName.Text();
        m_SkinFilePath = target;
        MarkSkinSaved();
        sb1.SetPanelText("skin", txtSkinName.Text());
        if (!note.empty()) MsgBox(note, MB_OK | MB_ICONEXCLAMATION);
        return true;
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "FileSaveProc"), MB_OK);
        return false;
    }
}

bool frmDesigner::OpenFile(const std::string& path) {
    if (NamesNoSkinFile(path)) return false;
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
        // Read first: a file another program holds fails here, before the window changes.
        const std::string bytes = m_File->ReadTextFile(path);
        if (m_IniSkin->Nome() != path) m_IniSkin->Nome(path);  // it exists: binding would only search for it again
        m_IniSkin->Sezione(kSkinSection);
        SkinValues values = ReadSkinValues();
        // A name can only come from the section; without one, the section may still be there, empty or not.
        if (values.name.empty() && !m_IniSkin->HasSection(kSkinSection)) {
            if (bytes.find('\0') != std::string::npos) {
                // Not a text file at all: an upgrade would only damage it.
                MsgBox("Sorry, this file can't be loaded.) ", MB_OK);
                return false;
            }
            // Refused before the question, which could only end in the same refusal.
            try {
                IniManag::RefuseReadOnly(path);
            } catch (const AppError& e) {
                MsgBox(ErrorMessageText(e, "UpdateFileVexo") + "\r\n\r\nThe file has no [Vexo] section and is "
                       "read-only, so it can't be updated to be used with VadiVirerova.\r\nIt was not loaded and "
                       "was left as it is.",
                       MB_OK | MB_ICONEXCLAMATION);
                return false;
            }
            if (MsgBox("The file isn't configured to be used with VadiVirerova.\r\nWould you like update this file?",
                       MB_OKCANCEL) == IDCANCEL) {
                MsgBox("Sorry, this file can't be loaded.) ", MB_OK);
                return false;
            }
            if (!UpdateFileVexo(path)) return false;
            if (!m_IniSkin->HasSection(kSkinSection)) {
                MsgBox("The file \"" + path + "\" was given a [Vexo] section, but it still can't be read back.\r\n"
                       "It was not loaded.",
                       MB_OK | MB_ICONEXCLAMATION);
                return false;
            }
            MsgBox("Your file is now updated.\r\nClick OK to continue...", MB_OK);
            values = ReadSkinValues();
        }
        ShowSkinValues(values);
        gSkinFileName = m_File->GetFileName(path);
        gSkinName = txtSkinName.Text();
        m_SkinFilePath = path;
        txtSkinFilename.SetText(path);
        sb1.SetPanelText("skin", txtSkinName.Text());
        for (PictureBox* preview : {&picBitmapPreview, &picButtonPreview})
            if (!preview->GetPicture().Empty()) preview->SetPicture(Picture());
        MarkSkinSaved();
        if (!TabStrip1.Enabled()) TabStrip1.SetEnabled(true);
        EnableButton(4, true);
        EnableButton(5, true);
        EnableButton(2, true);
        return true;
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "OpenFile"), MB_OK);
        return false;
    }
}

frmDesigner::SkinValues frmDesigner::ReadSkinValues() {
    IniManag& ini = *m_IniSkin;
    SkinValues v;
    v.name = ini.Leggi("name", "");
    v.version = ini.Leggi("version", "1.2");
    v.author = ini.Leggi("Author", "");
    v.email = ini.Leggi("E-Mail", "");
    v.web = ini.Leggi("Web Site", "");
    v.directory = ini.Leggi("directory", "");
    for (int i = 0; i < kBitmapSlotCount; ++i) v.bitmaps[i] = ini.Leggi(kBitmapSlots[i].iniKey, "");
    for (int i = 0; i < kColorSlotCount; ++i) v.colors[i] = HexToColor(ini.Leggi(kColorSlots[i].iniKey, ""));
    v.fontName = ini.Leggi("MenuBar_font_name", "");
    v.fontWidth = ini.Leggi("MenuBar_font_width", "");
    v.fontHeight = ini.Leggi("MenuBar_font_height", "");
    v.fontWeight = ini.Leggi("MenuBar_font_weight", "");
    return v;
}

void frmDesigner::ShowSkinValues(const SkinValues& v) {
    const std::pair<TextBox*, const std::string*> texts[] = {
        {&txtSkinName, &v.name},         {&txtSkinVersion, &v.version},       {&txtAuthor, &v.author},
        {&txtEmail, &v.email},           {&txtWeb, &v.web},                   {&txtFontName, &v.fontName},
        {&txtFontWidth, &v.fontWidth},   {&txtFontHeight, &v.fontHeight},     {&txtFontWeight, &v.fontWeight}};
    bool changed = lblSkinDirectory.Caption() != v.directory;
    for (const auto& [box, value] : texts) changed = changed || box->Text() != *value;
    for (int i = 0; i < kBitmapSlotCount; ++i) changed = changed || lblBmpName(i).Caption() != v.bitmaps[i];
    for (int i = 0; i < kColorSlotCount; ++i) changed = changed || lblCtrlColor(i).BackColor() != v.colors[i];
    // The same skin again costs nothing; another one is painted once, not field by field.
    if (!changed) return;
    RedrawPause pause(Hwnd());
    for (const auto& [box, value] : texts) box->SetText(*value);
    lblSkinDirectory.SetCaption(v.directory);
    for (int i = 0; i < kBitmapSlotCount; ++i) lblBmpName(i).SetCaption(v.bitmaps[i]);
    for (int i = 0; i < kColorSlotCount; ++i)
        if (lblCtrlColor(i).BackColor() != v.colors[i]) lblCtrlColor(i).SetBackColor(v.colors[i]);
}

bool frmDesigner::UpdateFileVexo(const std::string& path) {
    try {
        IniManag::RefuseReadOnly(path);
        const std::string old = m_File->ReadTextFile(path);
        // The header goes behind a leading byte-order mark, or the mark would spoil its first key.
        const size_t mark = old.rfind(kUtf8Mark, 0) == 0 ? 3 : 0;
        const std::string upgraded = old.substr(0, mark) + "[Vexo]\r\n\r\n" + old.substr(mark) + "\r\n";
        // Written into a copy first, so a failed write never costs the old contents.
        const std::string fresh = IniManag::NewCopyName(path);
        std::string note;
        try {
            m_File->WriteTextFile(upgraded, fresh, false);
            note = IniManag::ReplaceWithCopy(path, fresh);
        } catch (const AppError&) {
            DeleteFileA(fresh.c_str());
            throw;
        }
        if (!note.empty()) MsgBox(note, MB_OK | MB_ICONEXCLAMATION);
        return true;
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "UpdateFileVexo"), MB_OK);
        return false;
    }
}

bool frmDesigner::mnuFileSave_Click() { return FileSaveProc(); }
