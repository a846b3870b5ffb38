#include "DesignerLayout.h"

#include "modOperativeSystem.h"

const char* const kDesignerCaption = "Vexo Vadi Virerova";
const char* const kSaveChangedPrompt = "The skin has changed. Save it?";
const char* const kStateChanged = "Changed";
const char* const kStateSaved = "Saved";

const char* FirstRunQuestion() {
    return "Welcome to the Vexo Vadi Virerova!\r\n"
           "This is the first time that use this program,\r\n"
           "and to work correctly need to set the Skins\r\n"
           "folder of Vexo. Click Yes to start search for\r\n"
           "Vexo\\Skins folder, otherwise choose No for cancel.";
}

const std::array<DesignerTabDef, 5> kDesignerTabs = {{
    {"General", "general", "general", "lblTabGeneral",
     "On this tab you set the skin informations need to Vexo to retrieve the settings.  E-mail and "
     "Web site fields is optionals."},
    {"Images", "images", "images", "lblTabImages",
     "On this tab you must indicate all the images (bmp) filename used."},
    {"Buttons", "buttons", "button", "lblTabButtons",
     "On this tab you must indicate all the images (bmp) filename used for the buttons."},
    {"Colors", "colors", "colors", "lblTabColors",
     "On this tab you must indicate the colors for each control."},
    {"Menu", "menu", "menu", "lblTabMenu",
     "On this tab you must set the property to use with menu."},
}};

const std::array<GroupFrameDef, 11> kGroupFrames = {{
    {"Static", 4, 180, 104, 160, 98},
    {"ComboBox", 4, 180, 4, 160, 98},
    {"Edit", 4, 348, 4, 160, 98},
    {"Buttons", 4, 11, 4, 160, 98},
    {"GroupBox", 4, 12, 104, 160, 98},
    {"Timer", 4, 349, 104, 160, 98},
    {"Slider", 4, 12, 205, 160, 98},
    {"CheckBox", 4, 180, 205, 160, 58},
    {"ProgressBar", 4, 349, 205, 160, 58},
    {"Colors", 5, 11, 4, 160, 140},
    {"Font", 5, 180, 4, 330, 140},
}};

const std::array<StatusPanelDef, 5> kStatusPanels = {{
    {"msg", "", 0, 1058},
    {"skin", "Current skin name", 2540, 0},
    {"color", "Current pick color", 636, 0},
    {"img", "", 635, 0},
    {"state", "", 2540, 0},
}};

const std::vector<MenuDef>& DesignerMenuTable() {
    static const std::vector<MenuDef> table = {
        {0, "mnuFile", "&File", nullptr},
        {1, "mnuFileNew", "&New skin...", "Ctrl+N"},
        {1, "mnuFileOpen", "&Open skin...", "Ctrl+O"},
        {1, "mnuFileBar0", "-", nullptr, false},
        {1, "mnuFileSave", "&Save current skin", "Ctrl+S"},
        {1, "mnuFileBar1", "-", nullptr},
        {1, "mnuFileRenameSkin", "Rename skin...", nullptr},
        {1, "mnuFileBar2", "-", nullptr, false},
        {1, "mnuFileProperties", "Properties...", nullptr, false},
        {1, "mnuFileBar3", "-", nullptr},
        {1, "mnuFileExit", "E&xit", nullptr},
        {1, "mnuRecentFile", "-", nullptr, false, 0},
        {1, "mnuRecentFile", "RecentFile1", nullptr, false, 1},
        {1, "mnuRecentFile", "RecentFile2", nullptr, false, 2},
        {1, "mnuRecentFile", "RecentFile3", nullptr, false, 3},
        {1, "mnuRecentFile", "RecentFile4", nullptr, false, 4},
        {1, "mnuRecentFile", "RecentFile5", nullptr, false, 5},
        {1, "mnuRecentFile", "RecentFile6", nullptr, false, 6},
        {1, "mnuRecentFile", "RecentFile7", nullptr, false, 7},
        {1, "mnuRecentFile", "RecentFile8", nullptr, false, 8},
        {1, "mnuRecentFile", "RecentFile9", nullptr, false, 9},
        {1, "mnuRecentFile", "RecentFile10", nullptr, false, 10},
        {0, "mnuOptions", "&Options", nullptr},
        {1, "mnuOptionsCopyBMP", "&Copy bitmap to skin folder", nullptr},
        {1, "mnuOptionsUseDefault", "&Use default value for Author, Version, Email and Web site", nullptr},
        {1, "mnuOptionsDeleteUnusedBitmap", "&Delete unused bitmap", nullptr},
        {1, "mnuOptionsSep1", "-", nullptr},
        {1, "mnuOptionsClearRecentsFiles", "Clear recent files list...", nullptr},
        {1, "mnuOptionsSep2", "-", nullptr},
        {1, "mnuOptionsSkinsFolder", "Select the Vexo skins folder...", nullptr},
        {0, "mnuView", "&Preview", nullptr},
        {1, "mnuPreviewVexo", "&Vexo main window", nullptr},
        {1, "mnuPreviewInput", "&Input Settings dialog", nullptr},
        {1, "mnuPreviewOutput", "&Output dialog", nullptr, false},
        {1, "mnuPreviewSep0", "-", nullptr},
        {1, "mnuPreviewUpdate", "&Update", nullptr},
        {0, "mnuHelp", "&Help", nullptr},
        {1, "mnuHelpContents", "&Help Contents", "F1"},
        {1, "mnuHelpWhatThis", "What this...", nullptr},
        {1, "mnuHelpSep0", "-", nullptr},
        {1, "mnuHelpAbout", "&About...", nullptr},
    };
    return table;
}

int32_t LoadedHeight(int32_t osVersion) { return osVersion == OSVersionCode::WinXP ? 7300 : 7100; }

TwipsRect PageRectFor(const TwipsRect& tabStrip) {
    return {tabStrip.left + 120, tabStrip.top + 420, tabStrip.width - 240, tabStrip.height - 500};
}
