// The tab strip, status bar and image list of the common controls.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "Control.h"
#include "Picture.h"

class Container;

// A 16 by 16 image list whose bitmaps are keyed by a magenta background.
class ImageList {
public:
    ImageList(int width = 16, int height = 16);
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    // Adds a bitmap with its key; magenta pixels become transparent.
    void Add(const std::string& key, const Picture& bitmap);
    int IndexOf(const std::string& key) const;  // -1 when missing
    int Count() const { return static_cast<int>(m_Keys.size()); }
    HIMAGELIST Handle() const { return m_List; }

private:
    HIMAGELIST m_List;
    std::vector<std::string> m_Keys;
};

class TabStrip : public WindowedControl {
public:
    struct Tab {
        std::string caption, key, toolTip;
        int image = -1;
    };

    using WindowedControl::WindowedControl;
    void Create(Container& container, int left, int top, int width, int height,
                const std::vector<Tab>& tabs, ImageList* images);

    // 1-based, as the tabs are numbered.
    int SelectedIndex() const;
    // Selects a tab; fires Click as the user's pick does.
    void Select(int index);
    int TabCount() const { return static_cast<int>(m_Tabs.size()); }
    const Tab& TabAt(int index) const { return m_Tabs.at(static_cast<size_t>(index - 1)); }
    // The display area inside the strip, in the container's pixels.
    RECT DisplayRect() const;

    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    std::vector<Tab> m_Tabs;
    HWND m_Tips = nullptr;
};

class StatusBar : public WindowedControl {
public:
    struct Panel {
        std::string key, text, toolTip;
        int widthTwips = 0;  // 0: takes what the others leave
        int minWidthTwips = 0;
        Picture picture;
    };

    using WindowedControl::WindowedControl;
    void Create(Container& container, const std::vector<Panel>& panels);

    int PanelCount() const { return static_cast<int>(m_Panels.size()); }
    // By key; raises AppError for an unknown key.
    Panel& PanelByKey(const std::string& key);
    const std::string& PanelText(const std::string& key) { return PanelByKey(key).text; }
    void SetPanelText(const std::string& key, const std::string& text);
    const Picture& PanelPicture(const std::string& key) { return PanelByKey(key).picture; }
    void SetPanelPicture(const std::string& key, const Picture& picture);
    void SetPanelToolTip(const std::string& key, const std::string& text);
    // Lays the panels out again after the bar changed size.
    void Layout();
    // Panel edges in pixels, as laid out.
    std::vector<int> PanelRights() const;

    bool OnDrawItem(DRAWITEMSTRUCT* item) override;

protected:
    // Fires MouseMove as the pointer crosses the bar.
    LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Apply(int index);
    std::vector<Panel> m_Panels;
};
