#include "WineUnix.h"

#include <cstdlib>

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

namespace {
// Starts a Unix program through Wine; it is not waited for.
bool StartUnix(const std::string& program, const std::string& arguments) {
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
    return CreateProcessA(application, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process) != FALSE;
}

// The status the script's mark carries, or -1 while there is none.
int MarkedStatus(const std::string& folder, const std::string& mark) {
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((folder + "\\" + mark + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return -1;
    FindClose(find);
    DeleteFileA((folder + "\\" + found.cFileName).c_str());
    return std::atoi(found.cFileName + mark.size());
}
}  // namespace

bool RunUnix(const std::string& script, const std::string& watchFolder) {
    static unsigned counter = 0;
    const std::string unixFolder = UnixPath(watchFolder);
    if (unixFolder.empty()) return false;
    const std::string mark = "unix-done-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++) + "-";
    const HANDLE change = FindFirstChangeNotificationA(watchFolder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    if (change == INVALID_HANDLE_VALUE) return false;
    int status = -1;
    if (StartUnix("/bin/sh", "-c \"" + script + "; : > " + Quoted(unixFolder + "/" + mark) + "$?\"")) {
        const DWORD deadline = GetTickCount() + 10000;
        while ((status = MarkedStatus(watchFolder, mark)) < 0) {
            const LONG left = static_cast<LONG>(deadline - GetTickCount());
            if (left <= 0 || WaitForSingleObject(change, DWORD(left)) != WAIT_OBJECT_0) break;
            FindNextChangeNotification(change);
        }
    }
    FindCloseChangeNotification(change);
    return status == 0;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

std::string UnixSays(const std::string& command, const std::string& folder) {
    const std::string out = folder + "\\unix-says-" + std::to_string(GetCurrentProcessId()) + ".txt";
    const std::string unixOut = UnixPath(out);
    if (unixOut.empty() || !RunUnix(command + " > " + Quoted(unixOut) + " 2>&1", folder)) {
        DeleteFileA(out.c_str());
        return "(failed)";
    }
    std::string text;
    const HANDLE file = CreateFileA(out.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD got = 0;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    DeleteFileA(out.c_str());
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}
