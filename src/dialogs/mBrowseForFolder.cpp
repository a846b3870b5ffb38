#include "mBrowseForFolder.h"

#include <commctrl.h>

#include <cctype>
#include <exception>
#include <sstream>

#include "AppError.h"
#include "File.h"
#include "Prompts.h"
#include "cBrowseForFolder.h"
#include "modDesign.h"

namespace {
IMalloc* gShellMalloc = nullptr;

// The dialog's lParam is the address of the object that runs BrowseForFolder,
// alive for as long as the dialog is.
cBrowseForFolder& ObjectFromPtr(LPARAM lpData) { return *reinterpret_cast<cBrowseForFolder*>(lpData); }

// Wide: the ANSI text of an item the code page can't hold is a lookalike of another's.
std::wstring ItemText(HWND tree, HTREEITEM item) {
    wchar_t text[MAX_PATH] = {};
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    CharUpperW(text);
    return text;
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT how) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

// The child of parent whose text is name, or holds it when part is set; expanding
// the parent first makes the shell list its children.
HTREEITEM ChildItem(HWND tree, HTREEITEM parent, const std::wstring& name, bool part = false) {
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    HTREEITEM item = parent ? NextItem(tree, parent, TVGN_CHILD) : nullptr;
    while (item && !(part ? ItemText(tree, item).find(name) != std::wstring::npos : ItemText(tree, item) == name))
        item = NextItem(tree, item, TVGN_NEXT);
    return item;
}

void ReportCallbackError(const AppError& e) noexcept {
    try {
        MsgBox(ErrorMessageText(e, "BrowseCallbackProc", "mBrowseForFolder"), MB_OK | MB_ICONEXCLAMATION);
    } catch (...) {
    }
}
}  // namespace

bool SelectFolderByNames(HWND dialog, const std::string& path) { return SelectFolderByNames(dialog, AnsiToWide(path)); }

bool SelectFolderByNames(HWND dialog, std::wstring path) {
    HWND tree = FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr);
    if (!tree) return false;
    CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    std::wistringstream in(path);
    std::wstring drive;
    std::getline(in, drive, L'\\');
    HTREEITEM item = nullptr;
    for (HTREEITEM top = ChildItem(tree, NextItem(tree, nullptr, TVGN_ROOT), L"", true); !item && top;
         top = NextItem(tree, top, TVGN_NEXT))
        item = ChildItem(tree, top, L"(" + drive + L")", true);
    for (std::wstring part; item && std::getline(in, part, L'\\');)
        if (!part.empty()) item = ChildItem(tree, item, part);
    return item && SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

IMalloc* GetMalloc() noexcept {
    if (!gShellMalloc && FAILED(SHGetMalloc(&gShellMalloc))) gShellMalloc = nullptr;
    return gShellMalloc;
}

void FreePidl(LPITEMIDLIST pidl) noexcept {
    if (!pidl) return;
    if (IMalloc* shell = GetMalloc()) shell->Free(pidl);
    else CoTaskMemFree(pidl);  // the allocator the shell's own is built on
}

std::string StrFromPtrA(const char* ptr) {
    if (!ptr) return std::string();
    return std::string(ptr, static_cast<size_t>(lstrlenA(ptr)));
}

std::string GetPathFromIDList(LPCITEMIDLIST pidl) {
    if (!pidl) return std::string();
    // Wide: the ANSI path of a folder the code page can't hold names a lookalike, another folder.
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(pidl, path)) return std::string();
    // Some shells answer a virtual folder with its "::{class id}" parsing name: no path either.
    if (path[0] == L':' && path[1] == L':') return std::string();
    std::string ansi;
    ExactAnsi(path, ansi);
    return ansi;
}

std::string UsablePath(const std::string& path) { return path.find('?') == std::string::npos ? path : std::string(); }

void AudioFileCheck(const std::string& path) {
    // Only a file goes on; the floppy roots are never touched, reading them may stall.
    if (path.empty() || path == "A:\\" || path == "B:\\") return;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    if (!gAudioCheckArmed) {
        gAudioCheckArmed = true;
        return;
    }
    File file;
    if (file.GetFileName(path).empty()) return;
    std::string tail = path.size() >= 3 ? path.substr(path.size() - 3) : path;
    for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (tail == "WAV" || tail == "MID" || tail == "MP3") return;
    MsgBox("Occorre selezionare un file audio con estensione MP3, MID o WAV.\r\nRiprova...", MB_ICONINFORMATION);
}

int CALLBACK BrowseCallbackProc(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData) {
    // The shell's frames lie below: nothing may be thrown through them.
    try {
        switch (uMsg) {
        case BFFM_INITIALIZED:
            if (lpData != 0) {
                cBrowseForFolder& object = ObjectFromPtr(lpData);
                if (object.fInitialPidl()) {
                    const unsigned before = object.fSelections();
                    SendMessageA(hWnd, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(object.fInitialPidl()));
                    // The shell can miss a folder made a moment ago, or one whose parent just
                    // changed; by path it looks again, then by the names along the path, and
                    // once more when the dialog is up (the text lives as long as the dialog).
                    if (object.fSelections() == before)
                        SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE,
                                     reinterpret_cast<LPARAM>(object.InitialDir().c_str()));
                    if (object.fSelections() == before) SelectFolderByNames(hWnd, object.InitialDir());
                    if (object.fSelections() == before)
                        PostMessageA(hWnd, BFFM_SETSELECTIONA, TRUE,
                                     reinterpret_cast<LPARAM>(object.InitialDir().c_str()));
                }
                object.fInitialized(hWnd);
            }
            return 0;
        case BFFM_SELCHANGED: {
            const std::string path = GetPathFromIDList(reinterpret_cast<LPCITEMIDLIST>(lParam));
            SendMessageA(hWnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path.c_str()));
            if (lpData == 0) return 0;
            ObjectFromPtr(lpData).fSelectionChanged(hWnd, path);
            AudioFileCheck(path);
            return 0;
        }
        case BFFM_VALIDATEFAILEDA: {
            SendMessageA(hWnd, BFFM_ENABLEOK, 0, 0);
            const std::string text =
                "Questo percorso non \xE8 valido: " + StrFromPtrA(reinterpret_cast<const char*>(lParam));
            SendMessageA(hWnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
            if (lpData == 0) return 0;
            return ObjectFromPtr(lpData).fValidateFailed(hWnd, text);
        }
        default:
            return 0;
        }
    } catch (const AppError& e) {
        ReportCallbackError(e);
    } catch (const std::exception& e) {
        ReportCallbackError(AppError(51, e.what()));
    } catch (...) {
        ReportCallbackError(AppError(51, "Internal error"));
    }
    return 0;
}
