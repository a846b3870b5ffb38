#include "AppError.h"

std::string SystemErrorText(DWORD code) {
    char* buffer = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string text;
    if (n != 0 && buffer != nullptr) text.assign(buffer, n);
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' ||
                             text.back() == '.'))
        text.pop_back();
    if (text.empty()) text = "System error " + std::to_string(code);
    return text;
}

AppError Win32Error(DWORD code) {
    return AppError(static_cast<int32_t>(code), SystemErrorText(code));
}

void RaiseLastError() { throw Win32Error(GetLastError()); }

std::string ErrorMessageText(const AppError& err, const std::string& procedure,
                             const std::string& form) {
    return "Error " + std::to_string(err.Number()) + " (" + err.Description() + ") in procedure " +
           procedure + " of Form " + form;
}

namespace {
thread_local AppError t_CurrentError(0, "");
}

const AppError& CurrentError() { return t_CurrentError; }
void SetCurrentError(const AppError& err) { t_CurrentError = err; }
