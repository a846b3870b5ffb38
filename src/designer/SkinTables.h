// The skin's fields as the designer window shows them and the skin file keys them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct SkinInfoFieldDef {
    const char* control;
    const char* labelCaption;  // nullptr: no caption
    const char* iniKey;
    const char* readDefault;
    const char* designText;
};

struct BitmapSlotDef {
    const char* caption;
    const char* iniKey;
    int page;  // tab page: 2 Images, 3 Buttons
};

struct ColorSlotDef {
    const char* caption;
    const char* iniKey;
    int frame;  // index of the group frame holding the swatch
};

constexpr int kBitmapSlotCount = 25;
constexpr int kColorSlotCount = 38;

extern const std::array<SkinInfoFieldDef, 10> kSkinInfoFields;
extern const std::array<BitmapSlotDef, kBitmapSlotCount> kBitmapSlots;
extern const std::array<ColorSlotDef, kColorSlotCount> kColorSlots;

// Why a name cannot name a skin (its file and its bitmap folder), or the empty
// text when it can: a plain name without dots, no path, nothing a file name cannot hold.
std::string SkinNameProblem(const std::string& name);

// The names a bitmap slot's text may lead to in the skin's folder: the text as the previews
// take it, and as the skin file gives it back once saved (blanks around it and a pair of
// quotes gone). Empty names are left out.
std::vector<std::string> SlotNameSpellings(const std::string& caption);

// The bitmap clean-up's closing message for the number of files it deleted.
std::string DeletedFilesText(uint64_t count);
