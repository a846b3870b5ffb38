// A skin held in plain fields, so preview pixels are tested without a designer window.
#pragma once

#include <array>
#include <string>

#include "ISkinSource.h"

class FakeSkinSource : public ISkinSource {
public:
    std::string folder;
    std::array<std::string, 25> slots{};
    std::array<int32_t, 38> colors{};
    std::string fontName = "Tahoma", fontWidth = "0", fontHeight = "10", fontWeight = "400";

    std::string SlotFileName(int slot) const override { return slots.at(static_cast<size_t>(slot)); }
    std::string SkinBitmapFolder() const override { return folder; }
    std::string SkinBitmapPath(int slot) const override { return folder + "\\" + SlotFileName(slot); }
    int32_t SlotColor(int slot) const override { return colors.at(static_cast<size_t>(slot)); }
    std::string FontName() const override { return fontName; }
    std::string FontWidth() const override { return fontWidth; }
    std::string FontHeight() const override { return fontHeight; }
    std::string FontWeight() const override { return fontWeight; }
};
