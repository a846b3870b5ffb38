// What the preview windows may see of the skin being edited: read-only, live values of
// the designer window, so unsaved edits show.
#pragma once

#include <cstdint>
#include <string>

class ISkinSource {
public:
    virtual ~ISkinSource() = default;

    // The bare file name in bitmap slot 0..24 (may be empty).
    virtual std::string SlotFileName(int slot) const = 0;
    // The loaded skin's bitmap folder, without a trailing backslash.
    virtual std::string SkinBitmapFolder() const = 0;
    // The bitmap folder and the slot's file name.
    virtual std::string SkinBitmapPath(int slot) const = 0;
    // The colour of swatch 0..37: 0x00BBGGRR, or a system colour 0x800000nn.
    virtual int32_t SlotColor(int slot) const = 0;
    // The menu-bar font fields as typed.
    virtual std::string FontName() const = 0;
    virtual std::string FontWidth() const = 0;
    virtual std::string FontHeight() const = 0;
    virtual std::string FontWeight() const = 0;
};
