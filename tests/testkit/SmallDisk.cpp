#include "SmallDisk.h"

#include <windows.h>

#include "WineUnix.h"

namespace {
constexpr ULONGLONG kSize = 256 * 1024;

// The size of the disk the folder lies on; 0 when the system can't say.
ULONGLONG DiskSize(const std::string& folder) {
    ULARGE_INTEGER total{};
    return GetDiskFreeSpaceExA((folder + "\\").c_str(), nullptr, &total, nullptr) ? total.QuadPart : 0;
}
}  // namespace

SmallDisk::SmallDisk(std::string folder) : m_Folder(std::move(folder)) {
    CreateDirectoryA(m_Folder.c_str(), nullptr);
    m_Unix = UnixPath(m_Folder);
    if (m_Unix.empty()) {
        m_Failure = "a disk of its own needs Wine's Unix side";
        return;
    }
    // Asked first, so that an ordinary user's run skips without the mount's own complaint.
    if (!RunUnix("test $(id -u) -eq 0", Parent())) {
        m_Failure = "mounting a disk of its own needs root, and this run is not root's";
        m_Unix.clear();
        return;
    }
    if (!RunUnix("mount -t tmpfs -o size=256k,mode=1777 tmpfs " + Quoted(m_Unix), Parent()) ||
        DiskSize(m_Folder) != kSize) {
        m_Failure = "tmpfs could not be mounted on " + m_Unix;
        m_Unix.clear();
    }
}

SmallDisk::~SmallDisk() {
    if (m_Unix.empty()) return;
    Free();
    // Lazily: a handle Wine keeps on the folder must not keep the disk mounted.
    RunUnix("umount -l " + Quoted(m_Unix), Parent());
}

std::string SmallDisk::Parent() const { return m_Folder.substr(0, m_Folder.find_last_of('\\')); }

void SmallDisk::Fill(unsigned long room) {
    const HANDLE file = CreateFileA((m_Folder + "\\filler").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string block(4096, 'f');
    DWORD written = 0;
    while (WriteFile(file, block.data(), DWORD(block.size()), &written, nullptr) && written == block.size()) {}
    while (WriteFile(file, block.data(), 1, &written, nullptr) && written == 1) {}
    // The room given back is whole blocks of the disk.
    LARGE_INTEGER size{};
    if (room > 0 && GetFileSizeEx(file, &size) && size.QuadPart > LONGLONG(room)) {
        size.QuadPart -= LONGLONG(room);
        SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
    }
    CloseHandle(file);
}

void SmallDisk::Free() { DeleteFileA((m_Folder + "\\filler").c_str()); }
