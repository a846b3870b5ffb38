// What the folder browser needs outside its class: the shell allocator, the
// text and PIDL conversions, and the dialog's callback.
#pragma once

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <string>
#include <utility>

// The shell's allocator, fetched on first use and kept for the program's life;
// null only if the shell can't give one.
IMalloc* GetMalloc() noexcept;
// Gives a PIDL back to the shell's allocator.
void FreePidl(LPITEMIDLIST pidl) noexcept;

// The NUL-terminated ANSI text at the pointer; empty for a null pointer.
std::string StrFromPtrA(const char* ptr);

// The file-system path of the item, or empty when it has none. Each character that the code
// page can't hold exactly comes as "?", which no path holds (ExactAnsi): such a path is shown,
// never used.
std::string GetPathFromIDList(LPCITEMIDLIST pidl);
// The path, or empty when it marks characters the code page can't hold.
std::string UsablePath(const std::string& path);

// The dialog's callback; lpData is the cBrowseForFolder that opened the dialog.
int CALLBACK BrowseCallbackProc(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

// Selects the folder in the dialog's tree by the names along its path: the drive
// under a top item such as My Computer, then each folder. The shell's own selection
// compares folders with their last-change times and misses one whose parent changed
// a moment ago; names don't. False when an item of the path is not in the tree.
bool SelectFolderByNames(HWND dialog, const std::string& path);
// The same for a path that the code page may not hold.
bool SelectFolderByNames(HWND dialog, std::wstring path);

// Runs after each selection change: a non-audio file selected after the first
// one gets a message. Exposed so that its rules can be tried without a dialog.
void AudioFileCheck(const std::string& path);

// An owned PIDL, given back to the shell allocator. Move-only.
class Pidl {
public:
    Pidl() = default;
    explicit Pidl(LPITEMIDLIST p) : m_P(p) {}
    Pidl(Pidl&& other) noexcept : m_P(std::exchange(other.m_P, nullptr)) {}
    Pidl& operator=(Pidl&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.m_P, nullptr));
        return *this;
    }
    Pidl(const Pidl&) = delete;
    Pidl& operator=(const Pidl&) = delete;
    ~Pidl() { Reset(); }

    LPITEMIDLIST Get() const { return m_P; }
    void Reset(LPITEMIDLIST p = nullptr) noexcept {
        FreePidl(m_P);
        m_P = p;
    }

private:
    LPITEMIDLIST m_P = nullptr;
};
