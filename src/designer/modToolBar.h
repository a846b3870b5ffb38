// State shared with the toolbar and rebar wrappers, and the subclassing that lets
// the designer window hear its toolbar's clicks and tooltip requests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class clsToolBar;

// The screen's twips per pixel, whole numbers, set when the designer window initialises.
extern int32_t gTwipsPerPixelX;
extern int32_t gTwipsPerPixelY;

// The tooltip text being shown, NUL-terminated: the tooltip reads it through a
// pointer after the request has been answered, so it lives until the next one.
extern std::string gTipText;

// One window is subclassed at a time: its previous procedure and its observer.
extern WNDPROC gOldParentWndProc;
extern clsToolBar* gToolbarObject;
extern HWND gToolbarParentHwnd;

// Tip and help texts of the designer's image buttons, separators not counted.
struct ToolbarButtonText {
    std::string TipText;
    std::string HelpText;
};
extern std::vector<ToolbarButtonText> gToolbarButtons;

void Subclass(HWND parent, clsToolBar* toolbar);
void UnSubclass();
LRESULT CALLBACK ParentWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// Twips to pixels at a whole number of twips per pixel, a half going to the even neighbour.
int32_t TwipsToPixelsEven(int32_t twips, int32_t twipsPerPixel);

// The resource id of the first of the seven toolbar bitmaps; tests point it
// at an id that does not exist.
int32_t ToolbarFirstBitmapId();
void SetToolbarFirstBitmapId(int32_t id);
