#include "SkinTables.h"

#include "File.h"
#include "IniManag.h"

const std::array<SkinInfoFieldDef, 10> kSkinInfoFields = {{
    {"txtSkinName", "Skin name:", "name", "", ""},
    {"txtSkinVersion", "Skin version:", "version", "1.2", ""},
    {"lblSkinDirectory", nullptr, "directory", "", "skindir"},
    {"txtAuthor", "Author:", "Author", "", ""},
    {"txtEmail", "E-mail:", "E-Mail", "", ""},
    {"txtWeb", "Web site:", "Web Site", "", ""},
    {"txtFontName", "Name:", "MenuBar_font_name", "", "Tahoma"},
    {"txtFontWidth", "Width:", "MenuBar_font_width", "", "10"},
    {"txtFontHeight", "Height:", "MenuBar_font_height", "", "18"},
    {"txtFontWeight", "Weight:", "MenuBar_font_weight", "", "600"},
}};

const std::array<BitmapSlotDef, kBitmapSlotCount> kBitmapSlots = {{
    {"Background:", "background", 2},
    {"Foreground:", "foreground", 2},
    {"Control background:", "controlback", 2},
    {"Progress foreground:", "progressfore", 2},
    {"MenuBar:", "menuBar", 2},
    {"Menu foreground:", "menufore", 2},
    {"Menu background:", "menuback", 2},
    {"ComboBackground:", "comboback", 2},
    {"ComboForeground :", "combofore", 2},
    {"Numbers:", "numbers", 2},
    {"Numbers alpha:", "numbersalpha", 2},
    {"Btn alpha:", "btn_alpha", 3},
    {"Previous chp:", "btn_previous", 3},
    {"Play:", "btn_play", 3},
    {"Fast:", "btn_fast", 3},
    {"Next chp:", "btn_next", 3},
    {"Jump to:", "btn_jump", 3},
    {"DVD root:", "btn_dvdroot", 3},
    {"IFO:", "btn_ifo", 3},
    {"Out  MPEG:", "btn_ompeg", 3},
    {"Input set:", "btn_inset", 3},
    {"Output set:", "btn_outset", 3},
    {"Dest. File:", "btn_file", 3},
    {"Encode:", "btn_encode", 3},
    {"Stop:", "btn_stop", 3},
}};

namespace {
// Group frames by index.
constexpr int kStatic = 0, kComboBox = 1, kEdit = 2, kButtons = 3, kGroupBox = 4, kTimer = 5,
              kSlider = 6, kCheckBox = 7, kProgressBar = 8, kMenuColors = 9;
}  // namespace

const std::array<ColorSlotDef, kColorSlotCount> kColorSlots = {{
    {"Light Color:", "Button_LightColor", kButtons},
    {"Dark Color:", "Button_DarkColor", kButtons},
    {"Text Light Color:", "Button_TextLightColor", kButtons},
    {"Text Dark Color:", "Button_TextDarkColor", kButtons},
    {"Light Color:", "ComboBox_LightColor", kComboBox},
    {"Dark Color:", "ComboBox_DarkColor", kComboBox},
    {"Text Light Color:", "ComboBox_TextLightColor", kComboBox},
    {"Text Dark Color:", "ComboBox_TextDarkColor", kComboBox},
    {"Light Color:", "Edit_LightColor", kEdit},
    {"Dark Color:", "Edit_DarkColor", kEdit},
    {"Text Light Color:", "Edit_TextLightColor", kEdit},
    {"Text Dark Color:", "Edit_TextDarkColor", kEdit},
    {"Light Color:", "GroupBox_LightColor", kGroupBox},
    {"Dark Color:", "GroupBox_DarkColor", kGroupBox},
    {"Text Light Color:", "GroupBox_TextLightColor", kGroupBox},
    {"Text Dark Color:", "GroupBox_TextDarkColor", kGroupBox},
    {"Light Color:", "Static_LightColor", kStatic},
    {"Dark Color:", "Static_DarkColor", kStatic},
    {"Text Light Color:", "Static_TextLightColor", kStatic},
    {"Text Dark Color:", "Static_TextDarkColor", kStatic},
    {"Light Color:", "TimerCtrl_LightColor", kTimer},
    {"Dark Color:", "TimerCtrl_DarkColor", kTimer},
    {"Text Light Color:", "TimerCtrl_TextLightColor", kTimer},
    {"Text Dark Color:", "TimerCtrl_TextDarkColor", kTimer},
    {"Light Color:", "SliderCtrl_LightColor", kSlider},
    {"Dark Color:", "SliderCtrl_DarkColor", kSlider},
    {"Text Light Color:", "SliderCtrl_TextLightColor", kSlider},
    {"Text Dark Color:", "SliderCtrl_TextDarkColor", kSlider},
    {"Text Light Color:", "CheckBox_TextLightColor", kCheckBox},
    {"Text Dark Color:", "CheckBox_TextDarkColor", kCheckBox},
    {"Light Color:", "ProgressCtrl_LightColor", kProgressBar},
    {"Dark Color:", "ProgressCtrl_DarkColor", kProgressBar},
    {"Light Color:", "MenuBar_LightColor", kMenuColors},
    {"Dark Color:", "MenuBar_DarkColor", kMenuColors},
    {"Bar Light Color:", "MenuBar_BarLightColor", kMenuColors},
    {"Bar Dark Color:", "MenuBar_BarDarkColor", kMenuColors},
    {"Text Light Color:", "MenuBar_TextLightColor", kMenuColors},
    {"Text Dark Color:", "MenuBar_TextDarkColor", kMenuColors},
}};

std::string SkinNameProblem(const std::string& name) {
    if (name.find_first_of("\\/") != std::string::npos) return "it holds a path separator (\\ or /)";
    if (name.find_first_not_of('.') == std::string::npos) return "it is made of dots only";
    // A skin's file and folder are found by the name before its first dot.
    if (name.find('.') != std::string::npos) return "it holds a dot";
    for (unsigned char c : name) {
        if (c < 32) return "it holds a control character";
        if (std::string(":*?\"<>|").find(static_cast<char>(c)) != std::string::npos)
            return std::string("it holds the character ") + static_cast<char>(c) + ", which a file name cannot hold";
    }
    if (name.back() == ' ' || name.front() == ' ') return "it begins or ends with a blank";
    if (!ReservedDeviceName(name).empty()) return "it is the name of a device";
    if (name.size() > 200) return "it is too long";
    return "";
}

std::vector<std::string> SlotNameSpellings(const std::string& caption) {
    std::vector<std::string> names;
    if (!caption.empty()) names.push_back(caption);
    const std::string read = ProfileReadForm(caption);
    if (!read.empty() && read != caption) names.push_back(read);
    return names;
}

std::string DeletedFilesText(uint64_t count) {
    return count > 0 ? std::to_string(count) + " files deleted." : "All files is in use. Nothing files to delete.";
}
