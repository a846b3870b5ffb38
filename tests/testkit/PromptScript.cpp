#include "PromptScript.h"

#include <fstream>

namespace {
int HarmlessAnswer(UINT style) {
    switch (style & MB_TYPEMASK) {
    case MB_YESNO: return IDNO;
    case MB_YESNOCANCEL:
    case MB_OKCANCEL:
    case MB_RETRYCANCEL: return IDCANCEL;
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

void SaveWindowShot(HWND window, const std::string& path) {
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((w * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + stride * h;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
    out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride * h));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}
