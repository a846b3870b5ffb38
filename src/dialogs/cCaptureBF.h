// Runs the shell's folder dialog captured inside a window of the program's
// own: at its initialisation the dialog loses its frame and becomes a child
// of the host's capture window, its folder tree stretched over it.
//
//     cCaptureBF capture;
//     frmCapture form;
//     capture.Browse().hwndOwner(owner); capture.Browse().InitialDir(start);
//     capture.Browse().FileSystemOnly(true); capture.Browse().Title("");
//     form.SetCaption("Where are the skins?");
//     capture.Show(form);                     // returns once form has unloaded
//     if (!form.Cancelled()) use(form.SelectedFolder());
#pragma once

#include <windows.h>

#include <string>

#include "ICaptureBF.h"
#include "cBrowseForFolder.h"

class cCaptureBF {
public:
    cCaptureBF();
    ~cCaptureBF();
    cCaptureBF(const cCaptureBF&) = delete;
    cCaptureBF& operator=(const cCaptureBF&) = delete;

    // Closes the dialog and opens a new one at folder in the same host.
    void Reload(const std::string& folder);
    // The inner dialog object, for the caller to set up before Show.
    cBrowseForFolder& Browse() { return m_cBF; }
    // Runs the captured dialog; returns when it has closed and the host has
    // unloaded. Errors of the dialog object (a malformed starting folder)
    // reach the caller before anything shows.
    void Show(ICaptureBF& host);
    // Drops the host and closes the dialog if one shows.
    void Unload();

private:
    void m_cBF_Initialized();
    void m_cBF_SelectionChanged(const std::string& sPath, bool& bAllowOk);
    void pCloseDialog(HWND hwnd);

    cBrowseForFolder m_cBF;
    ICaptureBF* m_Host = nullptr;
    bool m_Reloading = false;
    int m_ShowDepth = 0;
};
