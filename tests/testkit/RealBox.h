// Answers one real message or input box of the test's thread from a helper thread, the
// prompt hook bypassed meanwhile. While the box shows it records which of the watched
// windows take input, then answers it (OK unless told otherwise) and, once the box is
// gone, runs afterClose on the helper thread (say, to post a key to a window).
//
//     RealBox box({designer, preview});
//     f.mnuHelpContents_Click();   // shows the box, which the helper answers
//     box.Finish();                // the helper is done; what it posted has run
//     EXPECT_EQ(box.enabledWhile, (std::vector<bool>{false, false}));
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "Prompts.h"

class RealBox {
public:
    using Action = std::function<void(HWND box)>;
    explicit RealBox(std::vector<HWND> watched, Action answer = PressOk, std::function<void()> afterClose = {});
    ~RealBox();  // finishes; fails the test unless a box showed and closed
    RealBox(const RealBox&) = delete;
    RealBox& operator=(const RealBox&) = delete;

    static void PressOk(HWND box);
    // A key-down of Escape where the box has the focus, as pressing the key gives.
    static void PressEscape(HWND box);
    // Waits for the helper, then runs the messages it posted to this thread.
    void Finish();

    bool appeared = false, closed = false;
    std::string title, text;         // the box's caption and its static texts, joined by "|"
    std::vector<bool> enabledWhile;  // per watched window

private:
    void Run(const Action& answer, const std::function<void()>& afterClose);
    // Told by a hook on the test's thread when a box shows and when it goes, so the helper
    // waits for those moments instead of looking again and again.
    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam);

    std::vector<HWND> m_Watched;
    PromptHook m_Old;
    HHOOK m_Hook = nullptr;
    HANDLE m_Shown, m_Gone;
    HWND m_Box = nullptr;
    std::thread m_Thread;
    bool m_Finished = false;
};
