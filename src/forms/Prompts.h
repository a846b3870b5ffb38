// Message boxes and input boxes, through one hook that tests can replace to
// answer them and record what was asked.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct PromptHook {
    // Returns the button pressed (IDOK, IDCANCEL, IDYES, IDNO ...).
    std::function<int(const std::string& text, UINT style, const std::string& title)> msgBox;
    // Returns the text entered, or the empty text for Cancel.
    std::function<std::string(const std::string& prompt, const std::string& title,
                              const std::string& defaultText)>
        inputBox;
};

// Replaces the hook; an empty member falls back to the real box. Returns the old hook.
PromptHook SetPromptHook(PromptHook hook);

// The title defaults to the application title.
int MsgBox(const std::string& text, UINT style = MB_OK, const std::string& title = "");
std::string InputBox(const std::string& prompt, const std::string& title = "",
                     const std::string& defaultText = "");

// How many of the program's message and input boxes are showing now (a box waits in a loop of
// its own, in which the program's windows still get messages), answered by the hook or not.
int PromptsShowing();

// The real boxes, without the hook.
int RealMsgBox(const std::string& text, UINT style, const std::string& title);
std::string RealInputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText);
