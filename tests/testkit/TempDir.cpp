#include "TempDir.h"

#include <windows.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace {
void RemoveTreeW(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring full = path + L"\\" + name;
            // A link is left to whoever made it: what it leads to may lie outside the tree, and
            // Wine removes an empty folder a link leads to in place of the link.
            if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
            SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTreeW(full);
            else DeleteFileW(full.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}
}  // namespace

std::wstring Widen(const std::string& path) {
    std::wstring wide(path.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
    return wide;
}

void RemoveTree(const std::string& path) { RemoveTreeW(Widen(path)); }

namespace {
const std::string kUtf8Needed =
    ": Wine makes and lists names outside the code page only under a UTF-8 locale; run the tests under "
    "LC_ALL=C.UTF-8, as scripts/test.sh does";

void RequireListed(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(path.c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    if (find == INVALID_HANDLE_VALUE || path.substr(path.find_last_of(L'\\') + 1) != found.cFileName)
        throw std::runtime_error("the disk does not list the name as it was made" + kUtf8Needed);
}
}  // namespace

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!ok) throw std::runtime_error("cannot write a file of a wide name" + kUtf8Needed);
    RequireListed(path);
}

void MakeFolder(const std::wstring& path) {
    if (!CreateDirectoryW(path.c_str(), nullptr)) throw std::runtime_error("cannot make a folder of a wide name" + kUtf8Needed);
    RequireListed(path);
}

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    char base[MAX_PATH];
    const DWORD n = GetTempPathA(MAX_PATH, base);  // ends in a backslash
    if (n == 0) throw std::runtime_error("no temporary folder");
    for (;;) {
        m_Path = std::string(base, n) + "vexo_test_" + std::to_string(GetCurrentProcessId()) + "_" +
                 std::to_string(GetTickCount()) + "_" + std::to_string(counter++);
        if (CreateDirectoryA(m_Path.c_str(), nullptr)) return;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + m_Path);
    }
}

TempDir::~TempDir() {
    // An open-file dialog leaves the current folder where the user chose: step out first,
    // a folder in use cannot be removed.
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    if (_strnicmp(cwd, m_Path.c_str(), m_Path.size()) == 0) SetCurrentDirectoryA((m_Path + "\\..").c_str());
    RemoveTree(m_Path);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path);
    out << bytes;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
