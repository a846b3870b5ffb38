// Text boxes, command buttons and check boxes over the standard window classes.
#pragma once

#include <functional>
#include <string>

#include "Control.h"

class Container;

class TextBox : public WindowedControl {
public:
    using WindowedControl::WindowedControl;
    void Create(Container& container, int left, int top, int width, int height,
                const std::string& text = "");

    std::string Text() const;
    // Setting the text fires Change when it differs, as typing does.
    void SetText(const std::string& text);
    bool Locked() const { return m_Locked; }
    void SetLocked(bool locked);

    std::function<void()> Change;
    void OnCommand(WORD code) override;

private:
    std::string WindowText() const;
    void FireChange();
    bool m_Locked = false;
    bool m_Setting = false;
    std::string m_Text;
};

class CommandButton : public WindowedControl {
public:
    using WindowedControl::WindowedControl;
    void Create(Container& container, int left, int top, int width, int height,
                const std::string& caption);
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    // Setting the value to true presses the button: its Click runs.
    void SetValue(bool value);
    void OnCommand(WORD code) override;
};

class CheckBox : public WindowedControl {
public:
    using WindowedControl::WindowedControl;
    void Create(Container& container, int left, int top, int width, int height,
                const std::string& caption);
    int Value() const;  // 0 unchecked, 1 checked
    void SetValue(int value);
    void OnCommand(WORD code) override;
};
