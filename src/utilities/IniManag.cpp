#include "IniManag.h"

#include <windows.h>

#include <algorithm>

#include "AppError.h"
#include "AppInfo.h"
#include "File.h"
#include "FileHandle.h"
#include "NumericText.h"

namespace {
constexpr DWORD kValueBufferSize = 255;
constexpr DWORD kKeyListBufferSize = 8192;

// A directory search for a normal file (not hidden, system or folder) of exactly this name.
bool NormalFileFound(const std::string& path) { return File().GetFiles(path, File::kNormal).size() > 1; }
}  // namespace

void IniManag::LeggiSezione(const std::string& fileName, const std::string& section,
                            std::vector<std::string>& keys, int32_t& count) {
    count = 0;
    keys.clear();
    std::string buffer(kKeyListBufferSize, ' ');
    DWORD n = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                       kKeyListBufferSize, fileName.c_str());
    std::string text = buffer.substr(0, n);
    if (text.empty()) return;
    keys.emplace_back();
    size_t pos = 0;
    for (;;) {
        size_t nul = text.find('\0', pos);
        if (nul == std::string::npos) break;
        keys.push_back(text.substr(pos, nul - pos));
        ++count;
        pos = nul + 1;
    }
    if (count == 0) keys.clear();
}

void IniManag::Nome(const std::string& fileName) {
    std::string name = fileName;
    size_t slash = name.find_last_of('\\');
    std::string filePart = slash == std::string::npos ? name : name.substr(slash + 1);
    if (filePart.find('.') == std::string::npos) name += ".ini";
    if (name.find('\\') == std::string::npos) name = JoinPath(ProgramFolder(), name);
    m_Nome = name;

    if (!NormalFileFound(name)) {
        HANDLE file = CreateFileA(name.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) RaiseLastError();
        CloseHandle(file);
    }
}

int32_t IniManag::Scrivi(const std::string& key, const std::string& value) {
    return WritePrivateProfileStringA(Sezione().c_str(), key.c_str(), value.c_str(), m_Nome.c_str());
}

void IniManag::ScriviOrRaise(const std::string& key, const std::string& value) {
    if (Scrivi(key, value) == 0) throw WriteError(m_Nome, GetLastError());
}

AppError IniManag::WriteError(const std::string& fileName, uint32_t code) {
    std::string reason = "The file \"" + fileName + "\" could not be written";
    if (code != 0) reason += ": " + SystemErrorText(code);
    return AppError(code != 0 ? static_cast<int32_t>(code) : ErrNo::FileAccess, reason);
}

void IniManag::RefuseReadOnly(const std::string& fileName) {
    const DWORD attributes = GetFileAttributesA(fileName.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw WriteError(fileName, ERROR_ACCESS_DENIED);
}

namespace {
// The error of a write into a copy, told of the file the copy stands for.
AppError OfTheFile(const AppError& e, const std::string& copy, const std::string& fileName) {
    std::string text = e.Description();
    for (size_t at; (at = text.find(copy)) != std::string::npos;) text.replace(at, copy.size(), fileName);
    return AppError(e.Number(), text);
}

// A NUL-separated list the profile functions give, grown until it fits (they cut it 2 short).
template <class Fill>
std::vector<std::string> ProfileList(Fill fill) {
    std::string buffer(kKeyListBufferSize, '\0');
    DWORD n;
    while ((n = fill(buffer.data(), static_cast<DWORD>(buffer.size()))) + 2 >= buffer.size())
        buffer.resize(buffer.size() * 2);
    std::vector<std::string> items;
    for (size_t pos = 0; pos < n;) {
        const size_t end = buffer.find('\0', pos);
        items.push_back(buffer.substr(pos, end - pos));
        pos = end + 1;
    }
    return items;
}

std::vector<std::string> SectionNames(const std::string& file) {
    return ProfileList([&](char* b, DWORD n) { return GetPrivateProfileSectionNamesA(b, n, file.c_str()); });
}

// Upper-cased, as the profile functions match names.
std::vector<std::string> KeyNames(const std::string& file, const std::string& section) {
    std::vector<std::string> keys = ProfileList(
        [&](char* b, DWORD n) { return GetPrivateProfileStringA(section.c_str(), nullptr, "", b, n, file.c_str()); });
    for (std::string& key : keys) key = UpperCase(key);
    return keys;
}

bool Listed(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), UpperCase(name)) != names.end();
}

// A value whole, however long (the profile functions cut it 1 short).
std::string WholeValue(const std::string& file, const std::string& section, const std::string& key) {
    std::string buffer(kKeyListBufferSize, '\0');
    DWORD n;
    while ((n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), DWORD(buffer.size()),
                                         file.c_str())) + 1 >= buffer.size())
        buffer.resize(buffer.size() * 2);
    return buffer.substr(0, n);
}

// Whether check, read from the disk, holds every section and key of the original with its value,
// and the keys written into the section with theirs.
bool HoldsWhatWasWritten(const std::string& original, const std::string& check, const std::string& section,
                         const IniManag::KeyValues& keys) {
    std::vector<std::string> written;
    for (const auto& kv : keys) written.push_back(UpperCase(kv.first));
    if (GetFileAttributesA(original.c_str()) != INVALID_FILE_ATTRIBUTES) {
        for (const std::string& s : SectionNames(original)) {
            const std::vector<std::string> held = KeyNames(check, s);
            const bool target = UpperCase(s) == UpperCase(section);
            for (const std::string& k : KeyNames(original, s)) {
                if (target && Listed(written, k)) continue;
                if (!Listed(held, k) || WholeValue(check, s, k) != WholeValue(original, s, k)) return false;
            }
        }
    }
    const std::vector<std::string> held = KeyNames(check, section);
    for (const auto& [key, value] : keys) {
        if (!Listed(held, key)) return false;
        // The system may give the value back as written, or as its reader takes it.
        const std::string back = WholeValue(check, section, key);
        if (back != value && back != ProfileReadForm(value)) return false;
    }
    return true;
}
}  // namespace

std::string ProfileReadForm(const std::string& value) {
    const char* const blanks = " \t\r\n\v\f\x1a";
    const size_t first = value.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    std::string text = value.substr(first, value.find_last_not_of(blanks) - first + 1);
    if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0])
        text = text.substr(1, text.size() - 2);
    return text;
}

void IniManag::RefuseUnwritable(const std::string& fileName) {
    RefuseReadOnly(fileName);
    if (GetFileAttributesA(fileName.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    // Under Wine a rename over the file needs only the folder's permission; Windows asks the file's.
    FileHandle file(CreateFileA(fileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) throw WriteError(fileName, GetLastError());
    // A device's name opens the device: nothing to replace.
    if (GetFileType(file.get()) != FILE_TYPE_DISK) throw WriteError(fileName, ERROR_BAD_DEV_TYPE);
}

namespace {
// The profile functions may report a write that a full disk cut short (Wine does), and Wine
// answers reads of the name it wrote from memory: the copy is read back under a second name,
// a link to it where the disk makes one.
void CheckHeld(const std::string& fileName, const std::string& copy, const std::string& section,
               const IniManag::KeyValues& keys) {
    const std::string folder = copy.substr(0, copy.find_last_of('\\') + 1);
    char check[MAX_PATH] = {};
    if (!GetTempFileNameA(folder.c_str(), "vx", 0, check) || !DeleteFileA(check))
        throw IniManag::WriteError(copy, GetLastError());
    if (!CreateHardLinkA(check, copy.c_str(), nullptr) && !CopyFileA(copy.c_str(), check, TRUE))
        throw IniManag::WriteError(copy, GetLastError());
    const bool whole = HoldsWhatWasWritten(fileName, check, section, keys);
    DeleteFileA(check);
    if (whole) return;
    // Only the reason told depends on the free room: what counts is what the disk holds.
    ULARGE_INTEGER available{};
    if (GetDiskFreeSpaceExA(folder.c_str(), &available, nullptr, nullptr) && available.QuadPart == 0)
        throw IniManag::WriteError(copy, ERROR_DISK_FULL);
    throw AppError(ErrNo::FileAccess,
                   "The file \"" + copy + "\" could not be written whole: what it holds differs from what was written");
}
}  // namespace

std::string IniManag::WrittenCopy(const std::string& fileName, const std::string& section, const KeyValues& keys) {
    const size_t slash = fileName.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? "." : fileName.substr(0, slash + 1);
    char copy[MAX_PATH] = {};
    if (!GetTempFileNameA(folder.c_str(), "vx", 0, copy)) throw WriteError(fileName, GetLastError());
    try {
        const bool exists = GetFileAttributesA(fileName.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (exists && !CopyFileA(fileName.c_str(), copy, FALSE)) throw WriteError(fileName, GetLastError());
        IniManag writer;
        writer.m_Nome = copy;
        writer.Sezione(section);
        for (const auto& [key, value] : keys) writer.ScriviOrRaise(key, value);
        CheckHeld(fileName, copy, section, keys);
    } catch (const AppError& e) {
        DeleteFileA(copy);
        throw OfTheFile(e, copy, fileName);
    }
    return copy;
}

void IniManag::ReplaceWithCopy(const std::string& fileName, const std::string& copy) {
    try {
        RefuseUnwritable(fileName);
    } catch (const AppError&) {
        DeleteFileA(copy.c_str());
        throw;
    }
    // Replacing "Dark.ini" by the name "DARK.ini" would leave the file so spelt.
    const std::string target = ExistingSpelling(fileName);
    if (MoveFileExA(copy.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    const DWORD code = GetLastError();
    DeleteFileA(copy.c_str());
    throw WriteError(fileName, code);
}

bool IniManag::LeggiBool(const std::string& key, const std::string& defaultValue) {
    if (key.empty()) return false;
    std::string text = Leggi(key, defaultValue);
    return !(text == "0" || text == "Falso" || text.empty());
}

std::string IniManag::Leggi(const std::string& key, const std::string& defaultValue) {
    if (key.empty()) return std::string();
    std::string buffer(kValueBufferSize, '\0');
    DWORD n = GetPrivateProfileStringA(m_Sezione.c_str(), key.c_str(), defaultValue.c_str(),
                                       buffer.data(), kValueBufferSize, m_Nome.c_str());
    return buffer.substr(0, n);
}

int32_t IniManag::DeleteKey(const std::string& section, const std::string& key) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, Nome().c_str());
}

int32_t IniManag::CancellaSezione(const std::string& section) {
    return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, Nome().c_str());
}

int32_t IniManag::LeggiCOLORREF(const std::string& key, const std::string& defaultValue) {
    if (key.empty()) return 0;
    return TextToLong(Leggi(key, defaultValue));
}

bool IniManag::HasSection(const std::string& section) const {
    const std::vector<std::string> names = SectionNames(m_Nome);
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return UpperCase(n) == UpperCase(section); });
}
