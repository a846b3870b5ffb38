#include "Menu.h"

#include "AppError.h"

namespace {
constexpr UINT kFirstMenuId = 40000;

void ParseShortcut(const char* text, UINT& vk, bool& ctrl) {
    vk = 0;
    ctrl = false;
    if (!text) return;
    std::string s = text;
    if (s.rfind("Ctrl+", 0) == 0) {
        ctrl = true;
        s = s.substr(5);
    }
    if (s.size() == 1) vk = static_cast<UINT>(toupper(static_cast<unsigned char>(s[0])));
    else if (s.size() >= 2 && s[0] == 'F') vk = VK_F1 + static_cast<UINT>(std::stoi(s.substr(1))) - 1;
}
}  // namespace

void MenuItem::SetCaption(const std::string& caption) {
    m_Caption = caption;
    if (m_Bar) m_Bar->Changed(*this);
}
void MenuItem::SetChecked(bool checked) {
    m_Checked = checked;
    if (m_Bar) m_Bar->Changed(*this);
}
void MenuItem::SetEnabled(bool enabled) {
    m_Enabled = enabled;
    if (m_Bar) m_Bar->Changed(*this);
}
void MenuItem::SetVisible(bool visible) {
    m_Visible = visible;
    if (m_Bar) m_Bar->Changed(*this);
}

MenuBar::~MenuBar() {
    // Detach every menu from the others first, so each is destroyed exactly once.
    auto detach = [](HMENU menu) {
        while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
    };
    if (m_Window && IsWindow(m_Window) && GetMenu(m_Window) == m_Bar) SetMenu(m_Window, nullptr);
    if (m_Bar) detach(m_Bar);
    for (auto& item : m_Items)
        if (item->m_Popup) detach(item->m_Popup);
    for (auto& item : m_Items)
        if (item->m_Popup) DestroyMenu(item->m_Popup);
    if (m_Bar) DestroyMenu(m_Bar);
}

void MenuBar::Build(const std::vector<MenuDef>& table) {
    m_Items.clear();
    std::vector<MenuItem*> stack;
    UINT id = kFirstMenuId;
    for (const MenuDef& def : table) {
        auto item = std::make_unique<MenuItem>();
        item->m_Bar = this;
        item->m_Name = def.name;
        item->m_Caption = def.caption;
        item->m_Index = def.index;
        item->m_Visible = def.visible;
        item->m_ShortcutText = def.shortcut ? def.shortcut : "";
        ParseShortcut(def.shortcut, item->m_Vk, item->m_Ctrl);
        item->m_Id = id++;
        stack.resize(static_cast<size_t>(def.level));
        if (def.level > 0) {
            item->m_Parent = stack.back();
            item->m_Parent->m_Children.push_back(item.get());
        }
        stack.push_back(item.get());
        m_Items.push_back(std::move(item));
    }
    for (auto& item : m_Items)
        if (!item->m_Children.empty()) item->m_Popup = CreatePopupMenu();
    m_Bar = CreateMenu();
    RebuildBar();
}

std::vector<MenuItem*> MenuBar::TopLevel() const {
    std::vector<MenuItem*> top;
    for (auto& item : m_Items)
        if (!item->m_Parent) top.push_back(item.get());
    return top;
}

bool MenuBar::Has(const std::string& name, int index) const {
    for (auto& item : m_Items)
        if (item->m_Name == name && item->m_Index == index) return true;
    return false;
}

MenuItem& MenuBar::Item(const std::string& name, int index) {
    for (auto& item : m_Items)
        if (item->m_Name == name && item->m_Index == index) return *item;
    throw AppError(340, "Control array element '" + name + "' doesn't exist");
}

void MenuBar::FillPopup(MenuItem& parent) {
    HMENU menu = parent.m_Popup;
    while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
    for (MenuItem* child : parent.m_Children) {
        if (!child->m_Visible) continue;
        if (child->m_Caption == "-") {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string text = child->m_Caption;
        if (!child->m_ShortcutText.empty()) text += "\t" + child->m_ShortcutText;
        UINT flags = MF_STRING | (child->m_Checked ? MF_CHECKED : 0) |
                     (child->m_Enabled ? 0 : MF_GRAYED);
        if (child->m_Popup) {
            FillPopup(*child);
            AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(child->m_Popup), text.c_str());
        } else {
            AppendMenuA(menu, flags, child->m_Id, text.c_str());
        }
    }
}

void MenuBar::RebuildBar() {
    if (!m_Bar) return;
    while (GetMenuItemCount(m_Bar) > 0) RemoveMenu(m_Bar, 0, MF_BYPOSITION);
    for (MenuItem* top : TopLevel()) {
        if (!top->m_Visible) continue;
        UINT flags = MF_STRING | (top->m_Enabled ? 0 : MF_GRAYED);
        if (top->m_Popup) {
            FillPopup(*top);
            AppendMenuA(m_Bar, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(top->m_Popup), top->m_Caption.c_str());
        } else {
            AppendMenuA(m_Bar, flags, top->m_Id, top->m_Caption.c_str());
        }
    }
    if (m_Window) DrawMenuBar(m_Window);
}

void MenuBar::Changed(MenuItem& item) {
    if (!item.m_Parent) {
        RebuildBar();
        return;
    }
    MenuItem* top = item.m_Parent;
    while (top->m_Parent) top = top->m_Parent;
    FillPopup(*top);
}

void MenuBar::Fire(MenuItem& item) {
    if (!item.Click) return;
    if (Runner) Runner(item, item.Click);
    else item.Click();
}

bool MenuBar::OnCommand(UINT id) {
    for (auto& item : m_Items) {
        if (item->m_Id == id && !item->m_Popup) {
            if (item->m_Enabled) Fire(*item);
            return true;
        }
    }
    return false;
}

bool MenuBar::OnInitMenuPopup(HMENU popup) {
    for (auto& item : m_Items) {
        if (item->m_Popup == popup) {
            Fire(*item);
            FillPopup(*item);
            return true;
        }
    }
    return false;
}

bool MenuBar::OnShortcut(UINT vk, bool ctrl, bool shift, bool alt) {
    if (shift || alt) return false;  // shortcuts are a key alone or with Ctrl
    for (auto& item : m_Items) {
        if (item->m_Vk != vk || item->m_Ctrl != ctrl || item->m_Popup) continue;
        // As when its menu opens: the menus' own handlers settle the states first.
        MenuItem* top = item.get();
        while (top->m_Parent) top = top->m_Parent;
        if (top != item.get()) {
            Fire(*top);
            FillPopup(*top);
        }
        for (MenuItem* p = item.get(); p; p = p->m_Parent)
            if (!p->m_Enabled || !p->m_Visible) return false;
        Fire(*item);
        return true;
    }
    return false;
}

std::string LiteralCaption(const std::string& text) {
    std::string caption;
    for (char c : text) {
        if (c == '&') caption += '&';
        caption += c;
    }
    return caption;
}

std::string LiteralText(const std::string& caption) {
    std::string text;
    for (size_t i = 0; i < caption.size(); ++i) {
        text += caption[i];
        if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&') ++i;
    }
    return text;
}
