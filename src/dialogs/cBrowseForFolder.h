// The shell's folder dialog as an object: properties, one blocking call that
// shows it, operations that steer it while it is open, and events.
//
// Events are std::function members, raised on the UI thread from inside the
// dialog's modal loop; an empty member is an event nobody handles.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <cstdint>
#include <functional>
#include <string>

#include "mBrowseForFolder.h"

class cBrowseForFolder {
public:
    // "Operation invalid unless dialog is displayed."
    static constexpr int32_t kErrNotDisplayed = 26002;
    // Base of the numbers raised for a system error code: 0x80040000 + 29000.
    static constexpr uint32_t kSystemErrorBase = 0x80047148u;

    cBrowseForFolder();
    ~cBrowseForFolder() = default;
    cBrowseForFolder(const cBrowseForFolder&) = delete;
    cBrowseForFolder& operator=(const cBrowseForFolder&) = delete;

    // The path of a shell special folder (a CSIDL), empty when it has none.
    std::string SpecialFolderLocation(int eFolder);

    bool EditBox() const { return m_EditBox; }
    void EditBox(bool value) { m_EditBox = value; }
    bool StatusText() const { return m_StatusText; }
    void StatusText(bool value) { m_StatusText = value; }
    bool FileSystemOnly() const { return m_FileSystemOnly; }
    void FileSystemOnly(bool value) { m_FileSystemOnly = value; }
    bool ValidateEditBox() const { return m_ValidateEditBox; }
    void ValidateEditBox(bool value) { m_ValidateEditBox = value; }
    bool UseNewUI() const { return m_UseNewUI; }
    void UseNewUI(bool value) { m_UseNewUI = value; }

    const std::string& Title() const { return m_Title; }
    void Title(const std::string& value) { m_Title = value; }

    HWND hwndOwner() const { return m_hwndOwner; }
    void hwndOwner(HWND value) { m_hwndOwner = value; }

    // Replaced by the full path when a dialog opens.
    const std::string& InitialDir() const { return m_InitialDir; }
    void InitialDir(const std::string& value) { m_InitialDir = value; }
    const std::string& RootDir() const { return m_RootDir; }
    void RootDir(const std::string& value) { m_RootDir = value; }

    // Shows the dialog; the chosen folder's path, or empty for a cancel or an
    // item without a path. Raises the system error for a malformed root or
    // initial folder before anything shows.
    std::string BrowseForFolder();
    const std::string& DisplayName() const { return m_DisplayName; }

    // Only while the dialog shows; raise kErrNotDisplayed otherwise.
    void SetFolder(const std::string& path);
    void SetStatus(const std::string& text);

    bool IncludeFiles() const { return m_IncludeFiles; }
    void IncludeFiles(bool value) { m_IncludeFiles = value; }

    // The ulFlags word the properties make.
    UINT Flags() const;

    // The dialog window while it shows; raises kErrNotDisplayed otherwise.
    // cCaptureBF needs it too, so it is not private.
    HWND fhWnd() const;

    // "<executable name>.cBrowseForFolder", the source of the errors raised here.
    static std::string ErrorSource();

    // Events, in their order.
    std::function<void()> Initialized;
    std::function<void(const std::string& sPath, bool& bAllowOk)> SelectionChanged;
    std::function<void(const std::string& text, bool& bKeepOpen)> ValidateFailed;

private:
    friend int CALLBACK BrowseCallbackProc(HWND, UINT, LPARAM, LPARAM);

    LPITEMIDLIST fInitialPidl() const { return m_InitialPidl; }
    // How many selection changes the dialogs reported so far.
    unsigned fSelections() const { return m_Selections; }
    void fInitialized(HWND hwnd);
    void fSelectionChanged(HWND hwnd, const std::string& path);
    int32_t fValidateFailed(HWND hwnd, const std::string& text);

    // Replaces path by its full path and parses it; a PIDL of 0 when the shell can't.
    Pidl pPathToPidl(std::string& path);
    void RequireShown() const;

    HWND m_hwndOwner = nullptr;
    std::string m_Title;
    std::string m_InitialDir;
    std::string m_RootDir;
    bool m_EditBox = false;
    bool m_StatusText = false;
    bool m_FileSystemOnly = false;
    bool m_ValidateEditBox = false;
    bool m_UseNewUI = false;
    std::string m_DisplayName;
    // Observes the PIDL that BrowseForFolder owns while the dialog runs.
    LPITEMIDLIST m_InitialPidl = nullptr;
    bool m_Shown = false;
    HWND m_hWnd = nullptr;
    bool m_IncludeFiles = false;
    unsigned m_Selections = 0;
    unsigned m_Opened = 0;  // dialogs opened, so an outer call knows a nested one ran
};
