// A flat toolbar of image buttons with tooltips and status-bar help texts. It
// subclasses the window it is created in, whose clicks and tooltip requests it
// reports to the designer window.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

struct ToolbarButtonEntry {
    int16_t ID = 0;
    std::string TipText;
    std::string HelpText;
};

class clsToolBar {
public:
    clsToolBar();
    ~clsToolBar();
    clsToolBar(const clsToolBar&) = delete;
    clsToolBar& operator=(const clsToolBar&) = delete;

    HWND hWnd = nullptr;

    // Position and size in pixels.
    void Create(HWND parent, int32_t left, int32_t top, int32_t width, int32_t height);
    void SetButtonHelpText(int32_t index, const std::string& text);
    void SetButtonTipText(int32_t index, const std::string& text);
    int32_t Width();  // twips
    // style: 0 a button, 1 a separator (image -1).
    void AddButton(int32_t image, int32_t style, const std::string& tipText, const std::string& helpText);
    void SetButtonEnabled(int32_t commandId, bool enabled);
    void SetImageList(HIMAGELIST list);
    void ResizeToolbar();
    void SetLeft(int32_t twips);
    int32_t Height();  // twips
    LRESULT WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

private:
    int32_t NextButtonID();
    int32_t ButtonsWidth();
    int32_t ButtonHeight();
    int32_t FindButtonIndex(int32_t commandId) const;
    ToolbarButtonEntry& Entry(int32_t index);
    void AnswerTipRequest(LPARAM lParam);

    // A dummy first: an entry's index is its command id.
    std::vector<ToolbarButtonEntry> m_Buttons;
    int32_t m_LastButtonID = 0;
};
