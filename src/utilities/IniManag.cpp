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

std::vector<std::string> SectionNames(const std::string& file) {
    // Grown until it fits: the system cuts the list 2 short.
    std::string buffer(kKeyListBufferSize, '\0');
    DWORD n;
    while ((n = GetPrivateProfileSectionNamesA(buffer.data(), DWORD(buffer.size()), file.c_str())) + 2 >= buffer.size())
        buffer.resize(buffer.size() * 2);
    std::vector<std::string> names;
    for (size_t pos = 0; pos < n;) {
        const size_t end = buffer.find('\0', pos);
        names.push_back(buffer.substr(pos, end - pos));
        pos = end + 1;
    }
    return names;
}
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

// The whole file as the disk holds it, read through the handle from its start.
bool ReadAll(HANDLE file, std::string& bytes) {
    LARGE_INTEGER size{};
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER || !GetFileSizeEx(file, &size))
        return false;
    bytes.assign(size_t(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, DWORD(std::min<size_t>(bytes.size() - done, 1u << 30)), &got, nullptr))
            return false;
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return true;
}

// The file becomes exactly these bytes.
bool WriteAll(HANDLE file, const std::string& bytes) {
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
    for (size_t done = 0; done < bytes.size();) {
        DWORD put = 0;
        if (!WriteFile(file, bytes.data() + done, DWORD(std::min<size_t>(bytes.size() - done, 1u << 30)), &put, nullptr))
            return false;
        if (put == 0) return SetLastError(ERROR_WRITE_FAULT), false;
        done += put;
    }
    return SetEndOfFile(file) != FALSE;
}

std::string ReadWhole(const std::string& fileName) {
    FileHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (file.get() == INVALID_HANDLE_VALUE || !ReadAll(file.get(), bytes)) throw IniManag::WriteError(fileName, GetLastError());
    return bytes;
}

}  // namespace

void IniManag::RefuseUnwritable(const std::string& fileName) {
    RefuseReadOnly(fileName);
    if (GetFileAttributesA(fileName.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    FileHandle file(CreateFileA(fileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) throw WriteError(fileName, GetLastError());
    // A device's name opens the device: nothing to write.
    if (GetFileType(file.get()) != FILE_TYPE_DISK) throw WriteError(fileName, ERROR_BAD_DEV_TYPE);
}

std::string IniManag::NewCopyName(const std::string& fileName) {
    const size_t slash = fileName.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? "." : fileName.substr(0, slash + 1);
    char copy[MAX_PATH] = {}, temp[MAX_PATH] = {};
    // Why no copy can be made there; Wine may give a name it could not make the file of.
    const auto refusal = [&](const char* in) -> DWORD {
        if (!GetTempFileNameA(in, "vx", 0, copy)) return GetLastError();
        return GetFileAttributesA(copy) != INVALID_FILE_ATTRIBUTES ? 0 : ERROR_ACCESS_DENIED;
    };
    const DWORD code = refusal(folder.c_str());
    if (code == 0) return copy;
    // A folder that takes no new file may still hold a file the user can write.
    if (GetTempPathA(MAX_PATH, temp) && refusal(temp) == 0) return copy;
    throw WriteError(fileName, code);
}

std::string IniManag::WrittenCopy(const std::string& fileName, const std::string& section, const KeyValues& keys) {
    const std::string copy = NewCopyName(fileName);
    try {
        // The copy starts as the bytes read here, so what it must hold is known without a second read.
        const std::string original =
            GetFileAttributesA(fileName.c_str()) != INVALID_FILE_ATTRIBUTES ? ReadWhole(fileName) : std::string();
        {
            FileHandle out(CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr));
            if (out.get() == INVALID_HANDLE_VALUE || !WriteAll(out.get(), original)) throw WriteError(copy, GetLastError());
        }
        IniManag writer;
        writer.m_Nome = copy;
        writer.Sezione(section);
        // A file kept in UTF-8 or UTF-16 is written key by key: its bytes are not the values' own.
        const std::string text = ProfileTextOf(original);
        const std::vector<ProfileSection> held = ParseProfileText(text);
        for (const auto& [key, value] : text == original ? KeysToWrite(held, section, keys) : keys)
            writer.ScriviOrRaise(key, value);
        // The profile functions may report a write that a full disk cut short (Wine does). Their reads
        // can't tell: Wine re-reads a file written in the last two seconds or so, but answers from
        // its memory of an older one. The check reads the copy's bytes from the disk, once.
        const std::string problem = ProfileDifference(held, ProfileTextOf(ReadWhole(copy)), section, keys);
        if (!problem.empty()) {
            // Only the reason told depends on the free room: what counts is what the disk holds.
            const std::string folder = copy.substr(0, copy.find_last_of('\\') + 1);
            ULARGE_INTEGER available{};
            if (GetDiskFreeSpaceExA(folder.c_str(), &available, nullptr, nullptr) && available.QuadPart == 0)
                throw WriteError(copy, ERROR_DISK_FULL);
            throw AppError(ErrNo::FileAccess, "The file \"" + copy +
                                                  "\" could not be written whole: what it holds differs from what "
                                                  "was written (" + problem + ")");
        }
    } catch (const AppError& e) {
        DeleteFileA(copy.c_str());
        throw OfTheFile(e, copy, fileName);
    }
    return copy;
}

std::string IniManag::ReplaceWithCopy(const std::string& fileName, const std::string& copy) {
    std::string fresh;
    try {
        RefuseUnwritable(fileName);
        fresh = ReadWhole(copy);
    } catch (const AppError& e) {
        DeleteFileA(copy.c_str());
        throw OfTheFile(e, copy, fileName);
    }
    const auto moved = [&] {
        return MoveFileExA(copy.c_str(), ExistingSpelling(fileName).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != FALSE;
    };
    if (GetFileAttributesA(fileName.c_str()) == INVALID_FILE_ATTRIBUTES) {
        // A new file: nothing of it to keep.
        if (moved()) return "";
        const DWORD code = GetLastError();
        DeleteFileA(copy.c_str());
        throw WriteError(fileName, code);
    }
    // Written into the file itself, so a link stays a link and the file keeps its owner and rights.
    FileHandle file(CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string former;
    if (file.get() == INVALID_HANDLE_VALUE || !ReadAll(file.get(), former)) {
        const DWORD code = GetLastError();
        DeleteFileA(copy.c_str());
        throw WriteError(fileName, code);
    }
    DWORD failure = 0;
    const auto noted = [&](bool done) {
        if (!done && failure == 0) failure = GetLastError();
        return done;
    };
    InPlaceSteps steps;
    steps.write = [&](const std::string& bytes) { return noted(WriteAll(file.get(), bytes)); };
    steps.read = [&](std::string& bytes) { return noted(ReadAll(file.get(), bytes)); };
    steps.replace = [&] {
        CloseHandle(file.release());
        return moved();
    };
    switch (WriteInPlace(former, fresh, steps)) {
        case InPlaceOutcome::Written:
            DeleteFileA(copy.c_str());
            return "";
        case InPlaceOutcome::PutBack:
            DeleteFileA(copy.c_str());
            if (failure != 0) throw WriteError(fileName, failure);
            throw AppError(ErrNo::FileAccess, "The file \"" + fileName +
                                                  "\" could not be written whole: what it holds differs from what "
                                                  "was written");
        case InPlaceOutcome::Replaced:
            return "The file \"" + fileName + "\" could not be written in place" +
                   (failure != 0 ? " (" + SystemErrorText(failure) + ")" : "") +
                   ", nor its former contents put back, so a new file holding every change took its place.\r\n"
                   "A link to it, its owner and its rights may not have been kept.";
        case InPlaceOutcome::Damaged:
            break;
    }
    throw AppError(failure != 0 ? int32_t(failure) : ErrNo::FileAccess,
                   "The file \"" + fileName + "\" could not be written" +
                       (failure != 0 ? ": " + SystemErrorText(failure) : "") +
                       ", nor its former contents put back: it may be damaged. Every change is kept in \"" + copy +
                       "\"");
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
