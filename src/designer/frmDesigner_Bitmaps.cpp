// Bitmap slots: choosing a file for a slot, copying it into the skin's bitmap
// folder, previewing it, and the slot hints.
#include <windows.h>

#include "AppError.h"
#include "CMDIALOG.h"
#include "Prompts.h"
#include "frmDesigner.h"
#include "modDesign.h"

namespace {
constexpr int32_t kBitmapOpenFlags = 0x281824;
constexpr int kFirstButtonSlot = 11;
constexpr int32_t kSlotColor = SystemColor(COLOR_WINDOW);        // 0x80000005
constexpr int32_t kHighlightColor = SystemColor(COLOR_INFOBK);  // 0x80000018
constexpr const char* kHintLoad = "Left-click to load a image";
constexpr const char* kHintPreview = "; right-click to show preview";
}  // namespace

void frmDesigner::WireBitmapSlots() {
    for (int i = lblBmpName.LBound(); i <= lblBmpName.UBound(); ++i) {
        const auto index = static_cast<int16_t>(i);
        Label& slot = lblBmpName(i);
        slot.MouseDown = [this, index](int b, int s, float x, float y) {
            lblBmpName_MouseDown(index, static_cast<int16_t>(b), static_cast<int16_t>(s), x, y);
        };
        slot.MouseMove = [this, index](int b, int s, float x, float y) {
            lblBmpName_MouseMove(index, static_cast<int16_t>(b), static_cast<int16_t>(s), x, y);
        };
        slot.MouseUp = [this, index](int b, int s, float x, float y) {
            lblBmpName_MouseUp(index, static_cast<int16_t>(b), static_cast<int16_t>(s), x, y);
        };
    }
}

std::string frmDesigner::BitmapOpenFile(const std::string& title) {
    try {
        gDialogFileName.clear();
        const std::string caption = title.empty() ? "Select Bitmap" : title;
        const std::string initialDir = m_LastBitmapPath.empty() ? gSkinsFolder : m_File->GetPath(m_LastBitmapPath);
        const std::string filter = std::string("Bitmap (*.BMP)") + '\0' + "*.bmp" + '\0' + '\0';
        int32_t extErr = 0;
        gDialogKind = DialogKind::BitmapPreview;
        const int16_t result = ShowOpen(*this, extErr, filter, initialDir, caption, 1, kBitmapOpenFlags, "");
        gDialogKind = DialogKind::Plain;
        if (result == DialogResult::NoChoice || !ChosenFileUsable(gDialogFileName)) return "";
        m_LastBitmapPath = gDialogFileName;
        return gDialogFileName;
    } catch (const AppError& e) {
        gDialogKind = DialogKind::Plain;
        MsgBox(ErrorMessageText(e, "BitmapOpenFile"), MB_OK);
        return "";
    }
}

void frmDesigner::HighlightSlot(int index) {
    for (int i = lblBmpName.LBound(); i <= lblBmpName.UBound(); ++i) lblBmpName(i).SetBackColor(kSlotColor);
    lblBmpName(index).SetBackColor(kHighlightColor);
}

// Copied beside the destination first and then moved over it, so a copy that fails
// half-way never leaves a broken bitmap in place of a good one.
bool frmDesigner::CopyBitmapIntoSkin(const std::string& path, const std::string& destination) {
    const std::string folder = m_File->GetPath(destination);
    // The loaded skin's own folder, gone from the disk: made again, and taken away if the copy fails.
    const bool made = !m_File->DirExists(folder);
    if (made && !CreateDirectoryA(folder.c_str(), nullptr)) {
        MsgBox("The skin's bitmap folder " + folder + " does not exist and could not be created:\r\n" +
                   SystemErrorText(GetLastError()) + ".\r\n\r\nThe slot keeps the name; the bitmap " + path +
                   " was not copied.",
               MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    char temp[MAX_PATH + 1] = {};
    DWORD code = ERROR_SUCCESS;
    // Not every system refuses to move a file over a read-only one.
    const DWORD attributes = GetFileAttributesA(destination.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        code = ERROR_ACCESS_DENIED;
    } else if (!GetTempFileNameA(folder.c_str(), "vvb", 0, temp)) {
        code = GetLastError();
    } else if (!CopyFileA(path.c_str(), temp, FALSE) ||
               !MoveFileExA(temp, destination.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        code = GetLastError();
        DeleteFileA(temp);
    }
    if (code == ERROR_SUCCESS) return true;
    if (made) RemoveDirectoryA(folder.c_str());
    MsgBox("The bitmap " + path + " could not be copied to " + destination + ":\r\n" + SystemErrorText(code) +
               ".\r\n\r\nThe slot keeps the name; the bitmap folder is as it was.",
           MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void frmDesigner::lblBmpName_MouseDown(int16_t index, int16_t button, int16_t, float, float) {
    const std::string folder = SkinBitmapFolder() + "\\";
    if (button == MouseButton::Left) {
        const std::string path = BitmapOpenFile("Select bitmap for " + lblBmp(index).Caption());
        if (path.empty()) return;
        // The name comes from the path: the dialog's title may lack the extension.
        const std::string name = m_File->GetFileName(path);
        const std::string destination = folder + name;
        lblBmpName(index).SetCaption(name);
        if (m_Loading) return;
        MarkSkinChanged();
        HighlightSlot(index);
        if (gCopyBitmapToSkinFolder && UpperCase(destination) != UpperCase(path)) {
            if (!IsLoadedSkinFolder(folder)) {
                MsgBox("The skin was not opened from the skins folder, so the folder " + folder +
                           " may belong to another skin.\r\nThe bitmap " + path + " was not copied.",
                       MB_OK | MB_ICONEXCLAMATION);
                return;
            }
            if (m_File->FileExists(destination) &&
                MsgBox("The file " + destination + " already exists. Overwrite?", MB_OKCANCEL | MB_ICONEXCLAMATION) ==
                    IDCANCEL)
                return;
            if (!CopyBitmapIntoSkin(path, destination)) return;
        }
        lblBmpName_MouseDown(index, MouseButton::Right, 0, 0, 0);
    } else if (button == MouseButton::Right) {
        try {
            const std::string file = folder + lblBmpName(index).Caption();
            if (lblBmpName(index).Caption().empty()) return;
            PictureBox& box = index >= kFirstButtonSlot ? picButtonPreview : picBitmapPreview;
            box.SetPicture(Picture::LoadBitmapFile(file));
            HighlightSlot(index);
        } catch (const AppError& e) {
            MsgBox("Error loading image!\r\n" + e.Description() + "\r\n\r\nPlease, check your folder images Name.",
                   MB_OK | MB_ICONEXCLAMATION, "Error # " + std::to_string(e.Number()));
        }
    }
}

void frmDesigner::lblBmpName_MouseMove(int16_t index, int16_t, int16_t, float, float) {
    std::string hint = kHintLoad;
    if (!lblBmpName(index).Caption().empty()) hint += kHintPreview;
    sb1.SetPanelText("msg", hint);
}
