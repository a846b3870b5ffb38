// Menus built from a table: captions, shortcuts, checked, enabled, visible
// and index, with a click event per item and a popup-opening event per menu.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class MenuBar;

struct MenuDef {
    int level;             // 0: on the bar, 1: in its menu, ...
    const char* name;
    const char* caption;   // "-" for a separator
    const char* shortcut;  // "Ctrl+N", "F1" or nullptr
    bool visible = true;
    int index = -1;        // index within a menu control array
};

// The caption that shows a text as it is: each "&" doubled, so that none marks an access key.
std::string LiteralCaption(const std::string& text);
// The text that a LiteralCaption shows.
std::string LiteralText(const std::string& caption);

class MenuItem {
public:
    const std::string& Name() const { return m_Name; }
    int Index() const { return m_Index; }
    const std::string& Caption() const { return m_Caption; }
    void SetCaption(const std::string& caption);
    bool Checked() const { return m_Checked; }
    void SetChecked(bool checked);
    bool Enabled() const { return m_Enabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return m_Visible; }
    void SetVisible(bool visible);
    const std::string& ShortcutText() const { return m_ShortcutText; }
    UINT Id() const { return m_Id; }
    HMENU Popup() const { return m_Popup; }
    MenuItem* Parent() const { return m_Parent; }
    const std::vector<MenuItem*>& Children() const { return m_Children; }

    // Runs when the item is chosen; for an item with a menu of its own,
    // when that menu opens.
    std::function<void()> Click;

private:
    friend class MenuBar;
    MenuBar* m_Bar = nullptr;
    MenuItem* m_Parent = nullptr;
    std::vector<MenuItem*> m_Children;
    std::string m_Name, m_Caption, m_ShortcutText;
    int m_Index = -1;
    UINT m_Vk = 0;
    bool m_Ctrl = false;
    bool m_Checked = false, m_Enabled = true, m_Visible = true;
    UINT m_Id = 0;
    HMENU m_Popup = nullptr;
};

class MenuBar {
public:
    MenuBar() = default;
    ~MenuBar();
    MenuBar(const MenuBar&) = delete;
    MenuBar& operator=(const MenuBar&) = delete;

    void Build(const std::vector<MenuDef>& table);
    // The item of that name (and index, for an array); raises AppError when there is none.
    MenuItem& Item(const std::string& name, int index = -1);
    bool Has(const std::string& name, int index = -1) const;
    HMENU Handle() const { return m_Bar; }
    std::vector<MenuItem*> TopLevel() const;

    // What the owning form passes on; each returns whether it took the message.
    bool OnCommand(UINT id);
    bool OnInitMenuPopup(HMENU popup);
    // Fires only when the held modifiers are exactly the shortcut's (Ctrl+Shift+S is not Ctrl+S).
    bool OnShortcut(UINT vk, bool ctrl, bool shift = false, bool alt = false);

    void SetWindow(HWND window) { m_Window = window; }
    // Fires through the form's dispatcher.
    std::function<void(MenuItem&, const std::function<void()>&)> Runner;

private:
    friend class MenuItem;
    void Changed(MenuItem& item);
    void RebuildBar();
    void FillPopup(MenuItem& item);
    void Fire(MenuItem& item);

    std::vector<std::unique_ptr<MenuItem>> m_Items;
    HMENU m_Bar = nullptr;
    HWND m_Window = nullptr;
};
