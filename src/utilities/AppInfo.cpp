#include "AppInfo.h"

#include <windows.h>

const char* const kAppTitle = "Vexo VadiVirerova";

namespace {
std::string g_ProgramFolderOverride;

std::string ExecutableFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    auto slash = path.find_last_of('\\');
    if (slash == std::string::npos) return std::string();
    // A drive root keeps its "\" ("C:\"), any other folder loses it.
    if (slash == 2 && path[1] == ':') return path.substr(0, 3);
    return path.substr(0, slash);
}
}  // namespace

std::string ProgramFolder() {
    if (!g_ProgramFolderOverride.empty()) return g_ProgramFolderOverride;
    return ExecutableFolder();
}

void SetProgramFolder(const std::string& folder) { g_ProgramFolderOverride = folder; }

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

std::string& AppHelpFile() {
    static std::string file;
    return file;
}
