#include "FolderLink.h"

#include <windows.h>

namespace {
bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsLinkedFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const DWORD wanted = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & wanted) == wanted;
}

// Polls the condition for a few seconds: the Unix tools run on their own, unwaited for.
template <class Condition>
bool Within(Condition condition) {
    const DWORD deadline = GetTickCount() + 10000;
    while (!condition()) {
        if (static_cast<LONG>(GetTickCount() - deadline) >= 0) return false;
        Sleep(10);
    }
    return true;
}

// Absent functions come back empty.
template <class Function>
Function Kernel32(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

// Wine's own path mapping; empty outside Wine.
std::string UnixPath(const std::string& path) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    const auto toUnix = Kernel32<ToUnix>("wine_get_unix_file_name");
    if (!toUnix) return "";
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char* unix = toUnix(wide);
    if (!unix) return "";
    std::string text = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return text;
}

// Starts a Unix program through Wine; it is not waited for.
bool RunUnix(const std::string& program, const std::string& arguments) {
    using ToDos = WCHAR*(CDECL*)(LPCSTR);
    const auto toDos = Kernel32<ToDos>("wine_get_dos_file_name");
    if (!toDos) return false;
    WCHAR* dos = toDos(program.c_str());
    if (!dos) return false;
    char application[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, dos, -1, application, MAX_PATH, nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, dos);
    std::string command = program + " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Wine hands back no handles that could be waited on for a Unix program.
    return CreateProcessA(application, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process) != FALSE;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
}  // namespace

FolderLink::FolderLink(std::string link, const std::string& target) : m_Link(std::move(link)) {
    using MakeLink = BOOLEAN(WINAPI*)(LPCSTR, LPCSTR, DWORD);
    constexpr DWORD kDirectory = 0x1, kUnprivileged = 0x2;
    // Wine answers yes and makes nothing.
    if (const auto make = Kernel32<MakeLink>("CreateSymbolicLinkA"))
        if (make(m_Link.c_str(), target.c_str(), kDirectory | kUnprivileged) && IsLinkedFolder(m_Link)) return;
    const size_t cut = m_Link.find_last_of('\\');
    const std::string unixTarget = UnixPath(target), unixParent = UnixPath(m_Link.substr(0, cut));
    if (unixTarget.empty() || unixParent.empty()) {
        m_Failure = "this system makes no folder links for this process";
        return;
    }
    m_UnixLink = unixParent + "/" + m_Link.substr(cut + 1);
    if (!RunUnix("/bin/ln", "-s " + Quoted(unixTarget) + " " + Quoted(m_UnixLink)) ||
        !Within([&] { return IsLinkedFolder(m_Link); }))
        m_Failure = "the Unix ln made no link " + m_UnixLink;
}

FolderLink::~FolderLink() {
    if (m_UnixLink.empty()) {
        RemoveDirectoryA(m_Link.c_str());
        return;
    }
    // Wine's RemoveDirectoryA would remove an empty folder the link leads to, and leave the link.
    if (RunUnix("/bin/rm", "-f " + Quoted(m_UnixLink))) Within([&] { return !Exists(m_Link); });
}
