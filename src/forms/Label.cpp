#include "Label.h"

#include "Container.h"
#include "Twips.h"

void Label::Redraw() {
    if (m_Container) m_Container->InvalidateArea(m_Rect);
}

void Label::SetCaption(const std::string& caption) {
    if (caption == m_Caption) return;
    m_Caption = caption;
    Redraw();
}

void Label::SetBackColor(int32_t color) {
    m_BackColor = color;
    Redraw();
}

void Label::SetForeColor(int32_t color) {
    m_ForeColor = color;
    Redraw();
}

void Label::SetTransparent(bool transparent) {
    m_Transparent = transparent;
    Redraw();
}

void Label::SetBorder(bool border) {
    m_Border = border;
    Redraw();
}

void Label::SetAlignment(Align align) {
    m_Align = align;
    Redraw();
}

void Label::SetWordWrap(bool wrap) {
    m_WordWrap = wrap;
    Redraw();
}

void Label::SetUseMnemonic(bool on) {
    m_UseMnemonic = on;
    Redraw();
}

void Label::SetFont(const char* face, double points, bool bold) {
    m_Font.Reset(CreateScreenFont(face, points, bold));
    Redraw();
}

void Label::Paint(HDC dc, HFONT containerFont) const {
    RECT r = m_Rect;
    if (!m_Transparent) {
        Brush back(CreateSolidBrush(ResolveColor(m_BackColor)));
        FillRect(dc, &r, back.Get());
    }
    if (m_Border) {
        DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
        InflateRect(&r, -2, -2);
    }
    if (m_Caption.empty()) return;
    SelectGuard font(dc, m_Font ? m_Font.Get() : containerFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_Enabled ? ResolveColor(m_ForeColor) : GetSysColor(COLOR_GRAYTEXT));
    UINT format = (m_UseMnemonic ? 0 : DT_NOPREFIX) | (m_WordWrap ? DT_WORDBREAK : DT_SINGLELINE);
    if (m_Align == Align::Right) format |= DT_RIGHT;
    else if (m_Align == Align::Center) format |= DT_CENTER;
    DrawTextA(dc, m_Caption.c_str(), static_cast<int>(m_Caption.size()), &r, format);
}

void Image::SetPicture(const Picture& picture) {
    m_Picture = picture;
    if (m_Container) m_Container->InvalidateArea(m_Rect);
}

void Image::Paint(HDC dc) const {
    if (m_Picture.Empty()) return;
    if (m_Stretch) m_Picture.Draw(dc, Left(), Top(), Width(), Height());
    else m_Picture.Draw(dc, Left(), Top());
}
