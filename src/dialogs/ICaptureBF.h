// What a window that hosts the captured folder dialog offers to cCaptureBF.
#pragma once

#include <windows.h>

#include <string>

class cCaptureBF;

class ICaptureBF {
public:
    virtual ~ICaptureBF() = default;

    // The host shows itself, owned by owner, and returns the window the
    // dialog moves into. The owner is the hwndOwner the caller gave the
    // dialog (the designer window), which this layer cannot name itself.
    virtual HWND CapturehWnd(HWND owner) = 0;
    // The selection changed; empty for an item without a file-system path. A path the code page
    // can't hold exactly comes with "?" for the characters it can't hold (GetPathFromIDList).
    virtual void SelectionChanged(const std::string& sPath) = 0;
    // The object that runs the dialog, for the host's buttons to call back.
    virtual void CaptureBrowseForFolder(cCaptureBF& ccbf) = 0;
    // The dialog closed: the host unloads itself. True when it did.
    virtual bool Unload() = 0;
};
