// The window that hosts the captured folder dialog: a picture, the selected
// folder, the dialog itself in picCapture, and OK, Cancel and "&New...".
// One instance per use; read Cancelled and SelectedFolder after it unloads.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "Form.h"
#include "ICaptureBF.h"
#include "Label.h"
#include "PictureBox.h"
#include "StdControls.h"

class cCaptureBF;

// A command button that reports losing the focus, with the window gaining it.
class FocusButton : public CommandButton {
public:
    using CommandButton::CommandButton;
    std::function<void(HWND gaining)> LostFocus;

protected:
    LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class frmCapture : public Form, public ICaptureBF {
public:
    frmCapture();
    ~frmCapture() override;

    Image imgVexo{"imgVexo"};
    Label lblFolder{"lblFolder"};
    PictureBox picCapture{"picCapture"};
    CommandButton cmdNewFolder{"cmdNewFolder"}, cmdDefault{"cmdDefault"}, cmdCancel{"cmdCancel"};
    FocusButton cmdOK{"cmdOK"};

    bool Cancelled() const { return m_Cancelled; }
    const std::string& SelectedFolder() const { return m_SelectedFolder; }

    // ICaptureBF
    HWND CapturehWnd(HWND owner) override;
    void SelectionChanged(const std::string& sPath) override;
    void CaptureBrowseForFolder(cCaptureBF& ccbf) override;
    bool Unload() override;

    // The folder "&New..." creates into: the selection when it is a folder,
    // else its folder part; upper-cased.
    static std::string NewFolderBase(const std::string& selected);
    // A name the file system takes for one folder: no separators, wildcards
    // or reserved characters, not "." or "..", no trailing dot or blank.
    static bool IsValidFolderName(const std::string& name);

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdDefault_Click();
    void cmdNewFolder_Click();

protected:
    void CreateControls() override;
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    bool FormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Form_Initialize();
    void Form_QueryUnload();
    void cmdOK_LostFocus(HWND gaining);
    bool IsOwnControl(HWND hwnd) const;

    bool m_Cancelled = true;
    std::string m_SelectedFolder;
    cCaptureBF* m_ccbf = nullptr;
};
