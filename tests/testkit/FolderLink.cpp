#include "FolderLink.h"

#include <windows.h>

#include "WineUnix.h"

namespace {

bool IsLinkedFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const DWORD wanted = FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & wanted) == wanted;
}
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
    if (!RunUnix("ln -s " + Quoted(unixTarget) + " " + Quoted(m_UnixLink), m_Link.substr(0, cut)) ||
        !IsLinkedFolder(m_Link))
        m_Failure = "the Unix ln made no link " + m_UnixLink;
}

FolderLink::~FolderLink() {
    if (m_UnixLink.empty()) {
        RemoveDirectoryA(m_Link.c_str());
        return;
    }
    // Wine's RemoveDirectoryA would remove an empty folder the link leads to, and leave the link.
    RunUnix("rm -f " + Quoted(m_UnixLink), m_Link.substr(0, m_Link.find_last_of('\\')));
}
