#include "StdControls.h"

#include "Container.h"
#include "Events.h"
#include "Form.h"

void TextBox::Create(Container& container, int left, int top, int width, int height,
                     const std::string& text) {
    m_Rect = {left, top, left + width, top + height};
    m_BackColor = SystemColor(COLOR_WINDOW);
    m_Text = text;
    m_Setting = true;
    CreateWindowed(container, "EDIT", WS_TABSTOP | ES_AUTOHSCROLL | (m_Locked ? ES_READONLY : 0),
                   WS_EX_CLIENTEDGE, text);
    m_Setting = false;
}

// Kept in step with the window by SetText and by every EN_CHANGE, so reading it costs no message.
std::string TextBox::Text() const { return m_Text; }

std::string TextBox::WindowText() const {
    if (!m_Hwnd) return m_Text;
    int n = GetWindowTextLengthA(m_Hwnd);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    GetWindowTextA(m_Hwnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    return text;
}

void TextBox::SetText(const std::string& text) {
    if (Text() == text) return;
    m_Text = text;
    if (m_Hwnd) {
        m_Setting = true;
        SetWindowTextA(m_Hwnd, text.c_str());
        m_Setting = false;
    }
    FireChange();
}

void TextBox::SetLocked(bool locked) {
    m_Locked = locked;
    if (m_Hwnd) SendMessageA(m_Hwnd, EM_SETREADONLY, locked, 0);
}

void TextBox::FireChange() {
    if (!Change) return;
    RunEvent(ParentForm(), ProcName("Change"), [this] { Change(); });
}

void TextBox::OnCommand(WORD code) {
    if (code == EN_CHANGE && !m_Setting) {
        m_Text = WindowText();
        FireChange();
    }
}

void CommandButton::Create(Container& container, int left, int top, int width, int height,
                           const std::string& caption) {
    m_Rect = {left, top, left + width, top + height};
    CreateWindowed(container, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, caption);
}

std::string CommandButton::Caption() const {
    char text[256] = {0};
    if (m_Hwnd) GetWindowTextA(m_Hwnd, text, sizeof text);
    return text;
}

void CommandButton::SetCaption(const std::string& caption) {
    if (m_Hwnd) SetWindowTextA(m_Hwnd, caption.c_str());
}

void CommandButton::SetValue(bool value) {
    if (value) FireClick();
}

void CommandButton::OnCommand(WORD code) {
    if (code == BN_CLICKED) FireClick();
}

void CheckBox::Create(Container& container, int left, int top, int width, int height,
                      const std::string& caption) {
    m_Rect = {left, top, left + width, top + height};
    CreateWindowed(container, "BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, caption);
}

int CheckBox::Value() const {
    return m_Hwnd && SendMessageA(m_Hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void CheckBox::SetValue(int value) {
    if (Value() == value) return;
    if (m_Hwnd) SendMessageA(m_Hwnd, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    FireClick();
}

void CheckBox::OnCommand(WORD code) {
    if (code == BN_CLICKED) FireClick();
}
