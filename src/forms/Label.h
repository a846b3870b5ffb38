// Windowless controls: labels and images, painted by their container.
#pragma once

#include <string>

#include "Control.h"

class Label : public Control {
public:
    enum class Align { Left, Right, Center };
    using Control::Control;

    const std::string& Caption() const { return m_Caption; }
    void SetCaption(const std::string& caption);

    int32_t BackColor() const { return m_BackColor; }
    void SetBackColor(int32_t color);
    int32_t ForeColor() const { return m_ForeColor; }
    void SetForeColor(int32_t color);
    // Transparent labels let the container's image show through.
    bool Transparent() const { return m_Transparent; }
    void SetTransparent(bool transparent);
    // A sunken border, as swatches and slots show.
    bool Border() const { return m_Border; }
    void SetBorder(bool border);
    void SetAlignment(Align align);
    void SetWordWrap(bool wrap);
    // "&" marks the next letter as the access key, underlined, as menu items show it.
    void SetUseMnemonic(bool on);
    // A font of the label's own; the container's otherwise.
    void SetFont(const char* face, double points, bool bold);
    // Null while the label takes its container's.
    HFONT Font() const { return m_Font.Get(); }

    void Paint(HDC dc, HFONT containerFont) const;

private:
    void Redraw();
    std::string m_Caption;
    int32_t m_BackColor = SystemColor(COLOR_BTNFACE);
    int32_t m_ForeColor = SystemColor(COLOR_BTNTEXT);
    bool m_Transparent = false;
    bool m_Border = false;
    bool m_WordWrap = true;
    bool m_UseMnemonic = false;
    Align m_Align = Align::Left;
    FontHandle m_Font;
};

class Image : public Control {
public:
    using Control::Control;
    const Picture& GetPicture() const { return m_Picture; }
    void SetPicture(const Picture& picture);
    void SetStretch(bool stretch) { m_Stretch = stretch; }
    void Paint(HDC dc) const;

private:
    Picture m_Picture;
    bool m_Stretch = false;
};
