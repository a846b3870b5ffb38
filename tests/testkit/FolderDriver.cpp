#include "FolderDriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <exception>
#include <sstream>
#include <vector>

#include "PromptScript.h"

namespace {
constexpr UINT kTickMs = 30;
constexpr DWORD kClosingMs = 5000;

FolderDriver* s_Active = nullptr;

// Stops the enumeration at a visible folder dialog: a #32770 holding a folder tree.
BOOL CALLBACK MatchFolderDialog(HWND hwnd, LPARAM found) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (!IsWindowVisible(hwnd) || lstrcmpA(name, "#32770") != 0 || !FindWindowExA(hwnd, nullptr, "SysTreeView32", nullptr))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

std::string ItemText(HWND tree, HTREEITEM item) {
    char text[MAX_PATH] = {};
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = MAX_PATH;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    CharUpperBuffA(text, lstrlenA(text));
    return text;
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT how) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

// Selects path in the tree by names, as a click would: from the drive item
// above the current selection down through each folder of the path.
bool SelectByNames(HWND dialog, std::string path) {
    HWND tree = FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr);
    CharUpperBuffA(path.data(), static_cast<DWORD>(path.size()));
    std::vector<std::string> parts;
    std::istringstream in(path);
    for (std::string part; std::getline(in, part, '\\');)
        if (!part.empty()) parts.push_back(part);
    if (!tree || parts.size() < 2) return false;
    std::string drive = "(";
    drive += parts[0] + ")";
    HTREEITEM item = Next(tree, nullptr, TVGN_CARET);
    while (item && ItemText(tree, item).find(drive) == std::string::npos) item = Next(tree, item, TVGN_PARENT);
    for (size_t j = 1; j < parts.size() && item; ++j) {
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        HTREEITEM child = Next(tree, item, TVGN_CHILD);
        while (child && ItemText(tree, child) != parts[j]) child = Next(tree, child, TVGN_NEXT);
        item = child;
    }
    if (item) SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    return item != nullptr;
}
}  // namespace

FolderDriver::FolderDriver(DWORD stepTimeoutMs) : m_StepTimeout(stepTimeoutMs) {
    if (s_Active) ADD_FAILURE() << "FolderDriver: another driver is still active";
    s_Active = this;
    m_Timer = SetTimer(nullptr, 0, kTickMs, Tick);
}

FolderDriver::~FolderDriver() {
    if (m_Timer) KillTimer(nullptr, m_Timer);
    if (s_Active == this) s_Active = nullptr;
    if (!m_Checked && !Failure().empty()) ADD_FAILURE() << "FolderDriver: " << Failure();
}

bool FolderDriver::Done() const {
    m_Checked = true;
    return m_Steps.empty() && m_Failure.empty();
}

const std::string& FolderDriver::Failure() const {
    m_Pending = m_Failure;
    if (m_Failure.empty() && !m_Steps.empty())
        m_Pending = "step " + std::to_string(m_StepNumber + 1) + " '" + m_Steps.front().what + "' never completed (" +
                    m_Steps.front().waiting + ")";
    return m_Pending;
}

HWND FolderDriver::FindFolderDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND top, LPARAM p) -> BOOL {
            if (IsWindowVisible(top) && MatchFolderDialog(top, p)) EnumChildWindows(top, MatchFolderDialog, p);
            return *reinterpret_cast<HWND*>(p) == nullptr;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FolderDriver::FindHost() {
    HWND dialog = FindFolderDialog();
    if (!dialog || !(GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD)) return nullptr;
    return GetAncestor(dialog, GA_ROOT);
}

HWND FolderDriver::HostButton(const char* caption) {
    HWND host = FindHost();
    return host ? FindWindowExA(host, nullptr, "Button", caption) : nullptr;
}

FolderDriver& FolderDriver::Add(const std::string& what, const std::string& waiting, std::function<bool()> attempt) {
    m_Steps.push_back({what, waiting, std::move(attempt)});
    return *this;
}

FolderDriver& FolderDriver::WaitFor(const std::string& what, std::function<bool()> ready) {
    return Add(what, "the condition never held", std::move(ready));
}

FolderDriver& FolderDriver::Do(const std::string& what, std::function<void(HWND)> action) {
    return Add(what, "no folder dialog showed", [action = std::move(action)] {
        HWND dialog = FindFolderDialog();
        if (dialog) action(dialog);
        return dialog != nullptr;
    });
}

FolderDriver& FolderDriver::SelectPath(const std::string& path) {
    return Do("select " + path, [path](HWND dialog) {
        if (!SelectByNames(dialog, path))
            SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
    });
}

FolderDriver& FolderDriver::Press(const char* caption, int dialogId) {
    return Add(std::string("press ") + caption, std::string("no enabled button ") + caption, [caption, dialogId] {
        HWND button = nullptr;
        if (FindHost()) button = HostButton(caption);
        else if (HWND dialog = FindFolderDialog()) button = GetDlgItem(dialog, dialogId);
        if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button)) return false;
        PostMessageA(button, BM_CLICK, 0, 0);
        return true;
    });
}

FolderDriver& FolderDriver::PressOK() { return Press("OK", IDOK); }
FolderDriver& FolderDriver::PressCancel() { return Press("Cancel", IDCANCEL); }

FolderDriver& FolderDriver::PressClose() {
    return Add("press the close box", "no host window showed", [] {
        HWND host = FindHost();
        if (host) PostMessageA(host, WM_SYSCOMMAND, SC_CLOSE, 0);
        return host != nullptr;
    });
}

FolderDriver& FolderDriver::PressNewFolder(PromptScript& prompts, const std::string& answer) {
    return Add("press &New... answering \"" + answer + "\"", "no enabled button &New...", [&prompts, answer] {
        HWND button = HostButton("&New...");
        if (!button || !IsWindowEnabled(button)) return false;
        prompts.AnswerInput(answer);
        PostMessageA(button, BM_CLICK, 0, 0);
        return true;
    });
}

void CALLBACK FolderDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (s_Active) s_Active->OnTick();
}

void FolderDriver::OnTick() {
    // A step that pumps messages must not start a second round.
    if (m_InTick) return;
    m_InTick = true;
    const bool open = FindFolderDialog() || FindHost();
    if (m_Closing) {
        // After a failure: the host's unloading closes the dialog it holds.
        if (!open || GetTickCount() - m_StepStart > kClosingMs) m_Closing = false;
        else if (HWND host = FindHost()) PostMessageA(host, WM_CLOSE, 0, 0);
        else PostMessageA(FindFolderDialog(), WM_COMMAND, IDCANCEL, 0);
    } else if (!m_Steps.empty() || (m_Failure.empty() && open)) {
        if (m_StepStart == 0) m_StepStart = GetTickCount();
        bool done = false;
        try {
            done = !m_Steps.empty() && m_Steps.front().attempt();
        } catch (const std::exception& e) {
            Fail(std::string("threw: ") + e.what());
        }
        if (done) {
            m_Steps.pop_front();
            ++m_StepNumber;
            m_StepStart = 0;
        } else if (m_Failure.empty() && GetTickCount() - m_StepStart > m_StepTimeout) {
            // Every step ran but the dialog is still up: the call under test would never return.
            Fail(m_Steps.empty() ? "the folder dialog stayed open after the last step"
                                 : "timed out after " + std::to_string(m_StepTimeout) + " ms: " + m_Steps.front().waiting);
        }
    } else {
        m_StepStart = 0;
    }
    m_InTick = false;
}

void FolderDriver::Fail(const std::string& why) {
    if (m_Failure.empty()) {
        m_Failure = m_Steps.empty() ? why : "step " + std::to_string(m_StepNumber + 1) + " '" + m_Steps.front().what + "' " + why;
        // What the dialog showed then, to tell a slow shell from a lost selection.
        HWND dialog = FindFolderDialog();
        HWND tree = dialog ? FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr) : nullptr;
        if (!tree) {
            m_Failure += dialog ? "; no tree" : "; no folder dialog";
        } else {
            m_Failure += "; the tree shows \"";
            m_Failure += ItemText(tree, Next(tree, nullptr, TVGN_CARET));
            m_Failure += "\" selected";
        }
    }
    m_Steps.clear();
    m_Closing = true;
    m_StepStart = GetTickCount();
}
