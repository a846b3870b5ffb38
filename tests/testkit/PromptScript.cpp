#include "PromptScript.h"

namespace {
int HarmlessAnswer(UINT style) {
    switch (style & MB_TYPEMASK) {
    case MB_YESNO: return IDNO;
    case MB_YESNOCANCEL: case MB_OKCANCEL: case MB_RETRYCANCEL: return IDCANCEL;
    default: return IDOK;
    }
}
}  // namespace

PromptScript::PromptScript() {
    PromptHook hook;
    hook.msgBox = [this](const std::string& text, UINT style, const std::string& title) {
        asked.push_back({text, style, title});
        if (m_Answers.empty()) return HarmlessAnswer(style);
        int answer = m_Answers.front();
        m_Answers.pop_front();
        return answer;
    };
    hook.inputBox = [this](const std::string& prompt, const std::string&, const std::string&) {
        inputPrompts.push_back(prompt);
        if (m_Inputs.empty()) return std::string();
        std::string text = m_Inputs.front();
        m_Inputs.pop_front();
        return text;
    };
    m_Old = SetPromptHook(hook);
}

PromptScript::~PromptScript() { SetPromptHook(m_Old); }

AppError Raised(const std::function<void()>& call) {
    try {
        call();
    } catch (const AppError& e) {
        return e;
    }
    return AppError(0, "no error raised");
}
