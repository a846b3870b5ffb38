// The designer window's design: tabs, group frames, status panels, menus and
// the sizes the load gives the window. Decisions only; no window is touched here.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Menu.h"

struct DesignerTabDef {
    const char* caption;
    const char* key;
    const char* imageKey;  // key of its picture in imlBMP16
    const char* labelName;
    const char* explanation;  // the page's explanatory label and the tab's tooltip
};

struct GroupFrameDef {
    const char* caption;
    int page;
    int left, top, width, height;  // pixels inside the page
};

struct StatusPanelDef {
    const char* key;
    const char* toolTip;
    int widthTwips;  // 0: the width the others leave
    int minWidthTwips;
};

extern const std::array<DesignerTabDef, 5> kDesignerTabs;
extern const std::array<GroupFrameDef, 11> kGroupFrames;
extern const std::array<StatusPanelDef, 5> kStatusPanels;
const std::vector<MenuDef>& DesignerMenuTable();

// Window sizes, in twips.
constexpr int kDesignClientWidth = 8610;
constexpr int kDesignClientHeight = 6630;
constexpr int kLoadedWidth = 8700;
int32_t LoadedHeight(int32_t osVersion);  // 7300 on Windows XP, 7100 elsewhere

// The tab strip as designed, and the pages laid into it (twips).
struct TwipsRect {
    int left, top, width, height;
};
constexpr TwipsRect kTabStripDesign{240, 630, 8115, 5265};
TwipsRect PageRectFor(const TwipsRect& tabStrip);

// The XP pages' gradient, top colour then bottom colour.
constexpr int32_t kPageGradientTop = 0x00FEFCFC;     // RGB(252, 252, 254)
constexpr int32_t kPageGradientBottom = 0x00EEF3F4;  // RGB(244, 243, 238)

// Texts of the window.
extern const char* const kDesignerCaption;
extern const char* const kSaveChangedPrompt;
extern const char* const kStateChanged;
extern const char* const kStateSaved;
const char* FirstRunQuestion();
