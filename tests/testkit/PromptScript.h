// Answers the program's message and input boxes from a script and records
// what they asked. Unscripted boxes get the harmless answer (No, Cancel, OK).
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "AppError.h"
#include "Prompts.h"

class PromptScript {
public:
    struct Asked {
        std::string text;
        UINT style;
        std::string title;
    };

    PromptScript();
    ~PromptScript();
    PromptScript(const PromptScript&) = delete;
    PromptScript& operator=(const PromptScript&) = delete;

    void Answer(int button) { m_Answers.push_back(button); }
    void AnswerInput(const std::string& text) { m_Inputs.push_back(text); }

    std::vector<Asked> asked;
    std::vector<std::string> inputPrompts;

private:
    std::deque<int> m_Answers;
    std::deque<std::string> m_Inputs;
    PromptHook m_Old;
};

// The error a call raises, as the program would report it; number 0 when it raises none.
AppError Raised(const std::function<void()>& call);
