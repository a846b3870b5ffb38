#include "WineUnix.h"

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
