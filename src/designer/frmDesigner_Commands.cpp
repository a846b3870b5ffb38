// Commands on whole skins: open, new, rename, and the bitmap folder's clean-up;
// the choice of the skins folder.
#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <functional>

#include "AppError.h"
#include "AppInfo.h"
#include "CMDIALOG.h"
#include "Prompts.h"
#include "SkinTables.h"
#include "cCaptureBF.h"
#include "frmCapture.h"
#include "frmDesigner.h"
#include "modDesign.h"

namespace {
constexpr int32_t kOpenFlags = 0x281824;

// Sets the loading flag for a scope, and clears it whatever happens.
class LoadingScope {
public:
    explicit LoadingScope(bool& flag) : m_Flag(flag) { m_Flag = true; }
    ~LoadingScope() { m_Flag = false; }
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;

private:
    bool& m_Flag;
};

bool PathTaken(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Raises the system's reason, naming what could not be renamed.
void MovePath(const std::string& what, const std::string& from, const std::string& to) {
    if (MoveFileA(from.c_str(), to.c_str())) return;
    const DWORD code = GetLastError();
    throw AppError(static_cast<int32_t>(code),
                   "The " + what + " \"" + from + "\" could not be renamed to \"" + to + "\": " + SystemErrorText(code));
}

void RefuseName(const std::string& name, const std::string& problem) {
    MsgBox("The name \"" + name + "\" can't be used for a skin: " + problem + ".\r\nPlease, enter another name.",
           MB_ICONEXCLAMATION, "Skin name error");
}
}  // namespace

void frmDesigner::FileOpenProc() {
    try {
        gDialogFileName.clear();
        gDialogKind = 2;
        int32_t extErr = 0;
        const std::string filter = std::string("Vexo skins (*.INI)") + '\0' + "*.ini" + '\0' + '\0';
        const int16_t result = ShowOpen(*this, extErr, filter, gSkinsFolder, "Open Skin", 1, kOpenFlags, "");
        gDialogKind = 0;
        if (result == 3 || !ChosenFileUsable(gDialogFileName)) return;
        bool opened;
        {
            LoadingScope loading(m_Loading);
            opened = OpenFile(gDialogFileName);
            UpdateFileMenu(gDialogFileName);
        }
        // A file that did not load leaves the window, its file name included, as it was.
        if (!opened) return;
        TabStrip1.Select(1);
        txtSkinFilename.SetText(m_File->GetFileName(gDialogFileName));
    } catch (const AppError& e) {
        gDialogKind = 0;
        MsgBox(ErrorMessageText(e, "FileOpenProc"), MB_OK);
    }
}

void frmDesigner::FileNewProc() {
    try {
        if (!SkinsFolderReady()) return;
        std::string name = InputBox(
            "Enter the filename (not the extension) for new Skin :\r\n(note: this name is used for subfolder, also)",
            "New skin", "");
        if (name.empty()) return;
        if (name.size() >= 4 && UpperCase(name.substr(name.size() - 4)) == ".INI") name.resize(name.size() - 4);
        if (const std::string problem = name.empty() ? "it is empty" : SkinNameProblem(name); !problem.empty()) {
            RefuseName(name, problem);
            return;
        }
        // A folder, a file, or a skin file of the name: any of them belongs to another skin.
        const std::string folder = gSkinsFolder + "\\" + name;
        if (PathTaken(folder) || PathTaken(folder + ".ini")) {
            MsgBox("This skin " + UpperCase(name) + " already exist!  Please, enter another name.", MB_ICONEXCLAMATION,
                   "Skin name error");
            return;
        }
        gSkinName = name;
        txtSkinName.SetText(name);
        sb1.SetPanelText("skin", name);
        if (gUseDefault) {
            const auto [version, author, email, web] = ReadDefaultValues();
            txtSkinVersion.SetText(version);
            txtAuthor.SetText(author);
            txtEmail.SetText(email);
            txtWeb.SetText(web);
        }
        if (!CreateDirectoryA(folder.c_str(), nullptr)) RaiseLastError();
        gSkinFileName = name + ".ini";
        txtSkinFilename.SetText(gSkinFileName);
        picButtonPreview.SetPicture(Picture());
        picBitmapPreview.SetPicture(Picture());
        for (int i = lblBmpName.LBound(); i <= lblBmpName.UBound(); ++i) lblBmpName(i).SetCaption("");
        for (int i = lblCtrlColor.LBound(); i <= lblCtrlColor.UBound(); ++i) lblCtrlColor(i).SetBackColor(0);
        TabStrip1.SetEnabled(true);
        TabStrip1.Select(1);
        EnableButton(4, true);
        EnableButton(5, true);
        EnableButton(2, true);
        lblSkinDirectory.SetCaption("Skins\\" + name);
        FileSaveProc();
        UpdateFileMenu(gSkinsFolder + "\\" + txtSkinFilename.Text());
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "FileNewProc"), MB_OK);
    }
}

std::string frmDesigner::BrowseFolder(const std::string& caption, const std::string& initialDir) {
    std::string selected;
    {
        cCaptureBF capture;
        frmCapture form;
        capture.Browse().hwndOwner(Hwnd());
        form.SetCaption(caption);
        capture.Browse().InitialDir(initialDir);
        capture.Browse().FileSystemOnly(true);
        capture.Browse().Title("");
        capture.Show(form);
        if (!form.Cancelled()) selected = form.SelectedFolder();
        capture.Unload();
    }
    Show();
    SetForegroundWindow(Hwnd());
    return selected;
}

void frmDesigner::cmdRenameSkin_Click() {
    if (!SkinsFolderReady()) return;
    std::string P;
    if (!ResumeNext([&] { P = BrowseFolder("Select the skin to rename", gSkinsFolder.empty() ? ProgramFolder() : gSkinsFolder); }))
        MsgBox(ErrorMessageText(CurrentError(), "cmdRenameSkin_Click"), MB_OK);
    if (!P.empty()) RenameSkinAt(P);
}

void frmDesigner::RenameSkinAt(const std::string& P) {
    const std::string leaf = P.substr(P.find_last_of('\\') + 1);
    // Letter case aside: the open dialog and the folder browser may spell one name two ways.
    if (UpperCase(leaf + ".ini") == UpperCase(gSkinFileName)) {
        MsgBox("This skin is currently loaded by Vadi Virerova!\r\nCan't be renamed!", MB_ICONEXCLAMATION);
        return;
    }
    if (NamesNoSkinFile(P + ".ini")) return;
    if (!m_File->FileExists(P + ".ini")) {
        MsgBox("File " + P + ".ini" + " not found!", MB_ICONEXCLAMATION);
        return;
    }
    IniManag skin;
    std::vector<std::string> keys;
    int32_t count = 0;
    try {
        // The profile functions read a file they can't open as one without keys: ask the
        // system first, so a file another program holds is named with its reason.
        m_File->ReadTextFile(P + ".ini");
        skin.Nome(P + ".ini");
        skin.LeggiSezione(skin.Nome(), "Vexo", keys, count);
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "cmdRenameSkin_Click"), MB_OK);
        return;
    }
    if (count < 1) {
        MsgBox("This file is not updated and can't be renamed! First, you must \r\n"
               "1) Load it with Vexo Vadi Virerova\r\n"
               "   (automatically will ask you if you want update. Confirm.)\r\n"
               "2) Load another skin to unload the file.",
               MB_ICONEXCLAMATION);
        return;
    }
    const std::string oldFile = P + ".ini";
    // Refused before any question, which could only end in the same refusal.
    try {
        IniManag::RefuseReadOnly(oldFile);
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "cmdRenameSkin_Click") + "\r\n\r\nNothing was renamed.", MB_OK);
        return;
    }
    skin.Sezione("Vexo");
    const std::string old = skin.Leggi("name", "");
    const std::string renamed = InputBox("Enter the new name for skin: " + old, "Rename skin", "");
    if (renamed.empty()) return;
    if (const std::string problem = SkinNameProblem(renamed); !problem.empty()) {
        RefuseName(renamed, problem);
        return;
    }
    const std::string parent = m_File->GetPath(P + ".ini");
    // The skin is the file P.ini with its folder P; nothing of another skin may be taken over.
    const std::string newFile = parent + "\\" + renamed + ".ini", newFolder = parent + "\\" + renamed;
    const bool sameName = UpperCase(renamed) == UpperCase(leaf);
    if (!sameName && (PathTaken(newFile) || PathTaken(newFolder))) {
        MsgBox("This skin " + UpperCase(renamed) + " already exist!  Please, enter another name.", MB_ICONEXCLAMATION,
               "Skin name error");
        return;
    }
    if (MsgBox("Now rename \r\n" + P + "\r\n with the new name: " + renamed + "\r\n\r\nAre you sure?",
               MB_YESNO | MB_ICONQUESTION) == IDNO)
        return;
    // A folder the process is in cannot be renamed: step out to the skins folder.
    const std::string inside = UpperCase(CurrentFolder() + "\\");
    if (inside.rfind(UpperCase(P + "\\"), 0) == 0) SetCurrentDirectoryA(parent.c_str());
    // All or nothing: a failed step undoes the steps done before it, last first. The new keys go
    // into a checked copy that is written into the file last, so the file keeps its old bytes
    // until the rename has succeeded and no failure can leave it cut short.
    std::vector<std::function<void()>> undo;
    try {
        IniManag::RefuseReadOnly(oldFile);
        const std::string copy =
            IniManag::WrittenCopy(oldFile, "Vexo", {{"name", renamed}, {"directory", "Skins\\" + renamed}});
        undo.emplace_back([copy] {
            if (DeleteFileA(copy.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) return;
            const DWORD code = GetLastError();
            throw AppError(int32_t(code), "The copy \"" + copy + "\" could not be removed: " + SystemErrorText(code));
        });
        MovePath("folder", P, newFolder);
        undo.emplace_back([&] { MovePath("folder", newFolder, P); });
        MovePath("skin file", oldFile, newFile);
        undo.emplace_back([&] { MovePath("skin file", newFile, oldFile); });
        const std::string note = IniManag::ReplaceWithCopy(newFile, copy);
        if (!note.empty()) MsgBox(note, MB_OK | MB_ICONEXCLAMATION);
    } catch (const AppError& e) {
        std::string left;
        for (auto u = undo.rbegin(); u != undo.rend(); ++u)
            if (!ResumeNext(*u)) left += "\r\n" + CurrentError().Description();
        MsgBox(ErrorMessageText(e, "cmdRenameSkin_Click") +
                   (left.empty() ? "\r\n\r\nNothing was renamed." : "\r\n\r\nThe rename could not be undone:" + left),
               MB_OK);
    }
}

void frmDesigner::mnuOptionsDeleteUnusedBitmap_Click() {
    if (sb1.PanelText("skin").empty()) {
        MsgBox("You have to load a skin, first!", MB_OK);
        return;
    }
    if (const std::string refusal = CleanUpRefusal(); !refusal.empty()) {
        MsgBox(refusal + "\r\nNothing was deleted.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (MsgBox("Delete unused files now. Are you sure?", MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL) return;
    DeleteUnusedBitmap();
}

std::string frmDesigner::CleanUpRefusal() const {
    const std::string folder = SkinBitmapFolder();
    // The folder is named after the skin file; it is this skin's only when the file itself sits
    // in the skins folder under that name. Otherwise it may hold another skin's bitmaps.
    if (!IsLoadedSkinFolder(folder))
        return "\"Delete unused bitmap\" works only in the bitmap folder of a skin whose file is in the skins "
               "folder.\r\nThe folder \"" + folder + "\" may belong to another skin, since the loaded skin's file is \"" +
               (m_SkinFilePath.empty() ? txtSkinFilename.Text() : m_SkinFilePath) +
               "\".\r\nSave the skin into the skins folder first.";
    // Through a link, or a link of another skin's, two skins may share one folder.
    const FileIdentity own = IdentityOf(folder);
    if (!own.Known()) return "";  // no folder, nothing to delete
    const std::string root = folder.substr(0, folder.find_last_of('\\') + 1);
    File::NameList names;
    try {
        names = m_File->GetDirectories(root);
    } catch (const AppError& e) {
        return "The skins folder \"" + root + "\" could not be searched for skins sharing the folder \"" + folder +
               "\": " + e.Description();
    }
    for (const std::string& name : names) {
        const std::string theirs = root + name;
        if (name.empty() || SamePath(theirs, folder) || !m_File->FileExists(theirs + ".ini")) continue;
        if (SameFile(own, IdentityOf(theirs)))
            return "The folder \"" + folder + "\" is the same folder as \"" + theirs +
                   "\", the bitmap folder of the skin \"" + theirs + ".ini\". Its bitmaps may be in use by that skin.";
    }
    if (IsLink(folder))
        return "The folder \"" + folder + "\" is a link (a reparse point) to another folder, whose bitmaps may "
               "belong to another skin. \"Delete unused bitmap\" doesn't clean linked folders.";
    return "";
}

void frmDesigner::DeleteUnusedBitmap() {
    if (!CleanUpRefusal().empty()) return;
    const std::string folder = SkinBitmapFolder() + "\\";
    // The saved skin file's names count as the window's do: closing without saving keeps that file.
    std::vector<std::string> names;
    for (int i = lblBmpName.LBound(); i <= lblBmpName.UBound(); ++i) names.push_back(lblBmpName(i).Caption());
    try {
        const std::vector<std::string> saved = SavedBitmapNames();
        names.insert(names.end(), saved.begin(), saved.end());
    } catch (const AppError& e) {
        MsgBox("The skin file \"" + m_SkinFilePath + "\" could not be read for the bitmaps it names: " +
                   e.Description() + "\r\nNothing was deleted.",
               MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // What each name leads to, resolved as the previews resolve it: the system's spellings of a
    // name (short names, trailing dots and blanks, ".\" and "..\") all name one file.
    std::vector<FileIdentity> used;
    for (const std::string& name : names)
        for (const std::string& spelt : SlotNameSpellings(name))
            if (FileIdentity id = IdentityOf(folder + spelt); id.Known()) used.push_back(std::move(id));
    uint64_t count = 0;
    File::NameList files;
    try {
        files = m_File->GetFiles(folder + "*.bmp");
    } catch (const AppError&) {
        files.assign(1, "");
    }
    std::string failed;
    for (size_t k = 1; k < files.size(); ++k) {
        const std::string& f = files[k];
        // The search also matches short names: "x.bmpx" is listed for "*.bmp". A name with a
        // separator would lead out of the folder, into another skin's.
        if (f.size() < 4 || UpperCase(f.substr(f.size() - 4)) != ".BMP" || f[0] == '_' ||
            f.find_first_of("\\/") != std::string::npos)
            continue;
        const FileIdentity file = IdentityOf(folder + f);
        if (!file.Known()) {
            // Gone meanwhile is no fault; a file that can't be told from a used one stays.
            if (file.error != ERROR_FILE_NOT_FOUND) failed += "\r\n" + f + " (" + SystemErrorText(file.error) + ")";
            continue;
        }
        bool inUse = false;
        for (size_t n = 0; n < names.size() && !inUse; ++n) inUse = UpperCase(names[n]) == UpperCase(f);
        for (size_t u = 0; u < used.size() && !inUse; ++u) inUse = SameFile(used[u], file);
        if (inUse) continue;
        if (DeleteFileA((folder + f).c_str())) {
            ++count;
        } else {
            failed += "\r\n" + f + " (" + SystemErrorText(GetLastError()) + ")";
        }
    }
    if (!failed.empty()) MsgBox("These files could not be deleted:" + failed, MB_ICONEXCLAMATION);
    if (count > 0 || failed.empty()) MsgBox(DeletedFilesText(count), MB_ICONINFORMATION);
}

std::vector<std::string> frmDesigner::SavedBitmapNames() {
    std::vector<std::string> names;
    if (m_SkinFilePath.empty() || !m_File->FileExists(m_SkinFilePath)) return names;
    // The profile functions read a file they can't open as one without keys, which would
    // leave every bitmap it names unused: ask the system first.
    m_File->ReadTextFile(m_SkinFilePath);
    IniManag saved;
    saved.Nome(m_SkinFilePath);
    saved.Sezione("Vexo");
    for (const BitmapSlotDef& slot : kBitmapSlots) names.push_back(saved.Leggi(slot.iniKey, ""));
    return names;
}

void frmDesigner::mnuOptionsSkinsFolder_Click() {
    if (MakeFolderTemplate()) MarkSkinChanged();
}

bool frmDesigner::MakeFolderTemplate() {
    try {
        const std::string selected =
            BrowseFolder("Select folder for yours Skins", gSkinsFolder.empty() ? ProgramFolder() : gSkinsFolder);
        if (selected.empty()) return false;
        if (MsgBox("Selected folder is:\r " + UpperCase(selected) + "\rConfirm?", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return false;
        gSkinsFolder = selected;
        m_IniSettings->Sezione("Options");
        m_IniSettings->Scrivi("SkinsFolder", selected);
        txtSkinsFolder.SetText(selected);
        return true;
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "MakeFolderTemplate"), MB_OK);
        return false;
    }
}

void frmDesigner::SearchVexoSkinFolder() {
    try {
        const std::string start = cBrowseForFolder().SpecialFolderLocation(CSIDL_PROGRAM_FILES) + "\\Vexo\\Skins";
        const std::string selected = BrowseFolder("Select the Vexo\\Skins folder path", start);
        if (!selected.empty() &&
            MsgBox("Selected folder is:\r " + UpperCase(selected) + "\rConfirm?", MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
            gSkinsFolder = selected;
            m_IniSettings->Sezione("Options");
            m_IniSettings->Scrivi("SkinsFolder", gSkinsFolder);
            m_IniSettings->Scrivi("FirstRun", "0");
            txtSkinsFolder.SetText(gSkinsFolder);
        }
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "SearchVexoSkinFolder"), MB_OK);
    }
}
