#include "File.h"

#include <windows.h>

#include <algorithm>
#include <climits>

#include "AppError.h"
#include "FileHandle.h"

namespace {
constexpr uint32_t kSpecialAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

std::vector<std::string> Split(const std::string& text, const std::string& delimiter,
                               int32_t limit) {
    std::vector<std::string> parts;
    if (text.empty() || limit == 0) return parts;
    if (delimiter.empty()) {
        parts.push_back(text);
        return parts;
    }
    size_t pos = 0;
    for (;;) {
        if (limit > 0 && static_cast<int32_t>(parts.size()) == limit - 1) {
            parts.push_back(text.substr(pos));
            break;
        }
        size_t at = text.find(delimiter, pos);
        if (at == std::string::npos) {
            parts.push_back(text.substr(pos));
            break;
        }
        parts.push_back(text.substr(pos, at - pos));
        pos = at + delimiter.size();
    }
    return parts;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

std::string WithBackslash(const std::string& folder) {
    if (!folder.empty() && folder.back() == '\\') return folder;
    return folder + "\\";
}
}  // namespace

std::string File::GetAttrDescr(const std::string& fileName) {
    DWORD attributes = GetFileAttributesA(fileName.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) RaiseLastError();
    static const struct {
        DWORD bit;
        const char* word;
    } kWords[] = {{FILE_ATTRIBUTE_DIRECTORY, "Directory"},
                  {FILE_ATTRIBUTE_READONLY, "ReadOnly"},
                  {FILE_ATTRIBUTE_HIDDEN, "Hidden"},
                  {FILE_ATTRIBUTE_SYSTEM, "System"},
                  {FILE_ATTRIBUTE_ARCHIVE, "Archive"}};
    std::string text;
    for (const auto& w : kWords)
        if (attributes & w.bit) text += std::string(" ") + w.word;
    return text.empty() ? text : text.substr(1);
}

File::NameList File::GetFiles(const std::string& pattern, uint32_t attributes) {
    NameList names(1);
    // The wide search: the ANSI one hands over lookalikes of the names it can't hold.
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(AnsiToWide(pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) return names;
        throw Win32Error(code);
    }
    do {
        std::string name;
        if ((data.dwFileAttributes & kSpecialAttributes & ~attributes) == 0 && ListedName(data.cFileName, name))
            names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

bool File::FileExists(const std::string& fileName) {
    if (fileName.empty()) return false;
    try {
        return GetFiles(fileName, kNormal).size() > 1;
    } catch (const AppError&) {
        return false;
    }
}

bool File::DirExists(const std::string& folder) {
    if (folder.empty()) return false;
    DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

File::NameList File::GetDirectories(const std::string& folder, uint32_t attributes, bool fullPath) {
    const std::string root = WithBackslash(folder);
    NameList names(1);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(AnsiToWide(root + "*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) return names;
        throw Win32Error(code);
    }
    const uint32_t mask = attributes | kDirectory;
    do {
        std::string name;
        if (!ListedName(data.cFileName, name)) continue;
        if ((data.dwFileAttributes & kSpecialAttributes & ~mask) != 0) continue;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) continue;
        names.push_back(fullPath ? root + name : name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

File::NameList File::GetExecutableFiles(const std::string& folder, bool recursive) {
    const std::string root = WithBackslash(folder);
    NameList result(1);
    for (const char* ext : {"exe", "bat", "com", "pif"}) {
        NameList part = GetFiles(root + "*." + ext);
        part.erase(part.begin());  // element 0 is the list's empty slot
        AppendArray(result, part);
    }
    if (recursive) {
        NameList subfolders = GetDirectories(root, kNormal, true);
        for (size_t i = 1; i < subfolders.size(); ++i) {
            NameList part = GetExecutableFiles(subfolders[i], true);
            part.erase(part.begin());
            AppendArray(result, part);
        }
    }
    return result;
}

std::string File::ReadTextFile(const std::string& fileName) {
    FileHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) RaiseLastError();
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) RaiseLastError();
    std::string text(SizeInMemory(static_cast<uint64_t>(size.QuadPart)), '\0');
    size_t done = 0;
    while (done < text.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 30));
        if (!ReadFile(file.get(), text.data() + done, want, &got, nullptr)) RaiseLastError();
        if (got == 0) break;
        done += got;
    }
    text.resize(done);
    return text;
}

void File::WriteTextFile(const std::string& text, const std::string& fileName, bool append) {
    FileHandle file(CreateFileA(fileName.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                                FILE_SHARE_READ, nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) RaiseLastError();
    size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 30));
        if (!WriteFile(file.get(), text.data() + done, want, &written, nullptr)) RaiseLastError();
        done += written;
    }
}

File::Lines File::GetTextFileLines(const std::string& fileName, bool skipEmpty, int32_t limit) {
    std::string text = ReplaceAll(ReadTextFile(fileName), "\r\n", "\r");
    Lines lines = Split(text, "\r", limit);
    if (skipEmpty) std::erase_if(lines, [](const std::string& line) { return line.empty(); });
    return lines;
}

File::Table File::ImportDelimitedFile(const std::string& fileName, const std::string& delimiter) {
    Table rows;
    for (const std::string& line : GetTextFileLines(fileName, true))
        rows.push_back(Split(line, delimiter, -1));
    return rows;
}

void File::ExportDelimitedFile(const Table& rows, const std::string& fileName,
                               const std::string& delimiter) {
    std::string text;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (r > 0) text += '\r';
        for (size_t f = 0; f < rows[r].size(); ++f) {
            if (f > 0) text += delimiter;
            text += rows[r][f];
        }
    }
    WriteTextFile(ReplaceAll(text, "\r", "\r\n"), fileName, false);
}

void File::SplitFilename(std::string fullName, std::string& folder, std::string& baseName,
                         std::string* extension) {
    folder.clear();
    baseName = fullName;
    if (extension) extension->clear();
    for (size_t i = fullName.size(); i-- > 0;) {
        const char c = fullName[i];
        if (c == '.' && extension) {
            *extension = baseName.substr(i + 1);
            baseName = baseName.substr(0, i);
        } else if (c == ':' || c == '\\') {
            folder = baseName.substr(0, i + 1);
            if (folder.back() == '\\') folder.pop_back();
            baseName = baseName.substr(i + 1);
            return;
        }
    }
}

std::string File::GetPath(const std::string& fileName) {
    std::string folder, base;
    SplitFilename(fileName, folder, base);
    return folder;
}

std::string File::GetBaseName(const std::string& fileName) {
    std::string folder, base, ext;
    SplitFilename(fileName, folder, base, &ext);
    return base;
}

std::string File::GetFileName(const std::string& fileName) {
    std::string folder, base;
    SplitFilename(fileName, folder, base);
    return base;
}

std::string File::GetExtension(const std::string& fileName) {
    std::string folder, base, ext;
    SplitFilename(fileName, folder, base, &ext);
    return ext;
}

std::string File::MakeFilename(const std::string& folder, const std::string& baseName,
                               const std::string& extension) {
    std::string name = folder;
    if (!name.empty() && name.back() != '\\') name += '\\';
    name += baseName;
    if (!extension.empty()) {
        if (extension.front() != '.') name += '.';
        name += extension;
    }
    return name;
}

void File::AppendArray(NameList& destination, const NameList& source) {
    destination.insert(destination.end(), source.begin(), source.end());
}

const char kNameNotInCodePage[] = "its name holds characters that the system's code page can't show";

namespace {
// One character (or surrogate pair) in the code page, when it is held exactly.
bool ExactPiece(const wchar_t* wide, int length, std::string& ansi) {
    // A UTF-8 code page holds every character and takes neither the flag nor the question.
    const bool utf8 = GetACP() == CP_UTF8;
    BOOL usedDefault = FALSE;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int n = WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return false;
    ansi.assign(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, wide, length, ansi.data(), n, nullptr, utf8 ? nullptr : &usedDefault) != n ||
        usedDefault)
        return false;
    // Back again: a character that comes back as another one was not held.
    const std::wstring back = AnsiToWide(ansi);
    return back.size() == static_cast<size_t>(length) && back.compare(0, back.size(), wide, static_cast<size_t>(length)) == 0;
}
}  // namespace

std::wstring AnsiToWide(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), n);
    return wide;
}

bool ExactAnsi(const std::wstring& wide, std::string& ansi) {
    ansi.clear();
    if (wide.empty()) return true;
    if (wide.size() <= static_cast<size_t>(INT_MAX) && ExactPiece(wide.data(), static_cast<int>(wide.size()), ansi))
        return true;
    // Character by character, so that only those not held become "?".
    ansi.clear();
    bool exact = true;
    for (size_t i = 0; i < wide.size();) {
        const size_t length =
            IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() && IS_LOW_SURROGATE(wide[i + 1]) ? 2 : 1;
        std::string piece;
        if (ExactPiece(wide.data() + i, static_cast<int>(length), piece)) {
            ansi += piece;
        } else {
            ansi += '?';
            exact = false;
        }
        i += length;
    }
    return exact;
}

bool ListedName(const std::wstring& entry, std::string& name) {
    if (!ExactAnsi(entry, name)) return false;
    return name != "." && name != ".." && name.find_first_of("\\/") == std::string::npos;
}

std::string ExistingSpelling(const std::string& path) {
    if (path.find_first_of("?*") != std::string::npos) return path;
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(AnsiToWide(path).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return path;
    FindClose(find);
    std::string name;
    if (!ListedName(found.cFileName, name)) return path;
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

std::string UpperCase(std::string text) {
    if (!text.empty()) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::string CurrentFolder() {
    char folder[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    return length > 0 && length < MAX_PATH ? folder : "";
}

bool SamePath(std::string a, std::string b) {
    while (!a.empty() && a.back() == '\\') a.pop_back();
    while (!b.empty() && b.back() == '\\') b.pop_back();
    return UpperCase(a) == UpperCase(b);
}

FileIdentity IdentityOf(const std::string& path) {
    FileIdentity id;
    {
        // Attributes only: a file another program holds without sharing opens all the same.
        FileHandle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        BY_HANDLE_FILE_INFORMATION info{};
        if (file.get() == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(file.get(), &info)) {
            id.error = GetLastError();
        } else if (info.nFileIndexHigh != 0 || info.nFileIndexLow != 0) {  // 0: the file system keeps none
            id.opened = true;
            id.volume = info.dwVolumeSerialNumber;
            id.index = (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
        }
    }
    char full[MAX_PATH] = {}, longName[MAX_PATH] = {};
    const DWORD fullLength = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (fullLength == 0 || fullLength >= MAX_PATH) return id;
    const DWORD longLength = GetLongPathNameA(full, longName, MAX_PATH);
    if (longLength > 0 && longLength < MAX_PATH) {
        id.longPath = UpperCase(longName);
    } else if (!id.opened && id.error == 0) {
        id.error = GetLastError();
    }
    return id;
}

bool SameFile(const FileIdentity& a, const FileIdentity& b) {
    if (a.opened && b.opened && a.volume == b.volume && a.index == b.index) return true;
    return !a.longPath.empty() && SamePath(a.longPath, b.longPath);
}

bool IsLink(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

std::string ReservedDeviceName(const std::string& name) {
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == ':')) stem.pop_back();
    for (char& c : stem)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return stem;
    const bool numbered = stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0);
    return numbered && stem[3] >= '1' && stem[3] <= '9' ? stem : std::string();
}

std::string PathTextProblem(const std::string& path) {
    if (path.find_first_of("?*") != std::string::npos)
        return "its name holds \"?\" or \"*\", which no file name holds (a character that the system's code "
               "page can't show comes back as \"?\")";
    const std::string device = ReservedDeviceName(File().GetFileName(path));
    if (!device.empty()) return "its name stands for the device " + device + ", not for a file";
    return "";
}

std::string OpenFileProblem(const std::string& path) {
    if (std::string problem = PathTextProblem(path); !problem.empty()) return problem;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return "it is a folder, not a file";
    // No access asked: a file that another program holds is still a file, and its reader says why it can't be read.
    FileHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return "it can't be opened by that name: " + SystemErrorText(GetLastError());
    if (GetFileType(file.get()) != FILE_TYPE_DISK) return "it is a device, not a file";
    return "";
}
