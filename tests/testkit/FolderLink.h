// A folder link for a test, removed with it: a symbolic link where the system makes one,
// else (Wine) a Unix link made by the Unix ln, which Wine shows as a reparse point.
#pragma once

#include <string>

class FolderLink {
public:
    FolderLink(std::string link, const std::string& target);
    ~FolderLink();
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;

    // Empty when the link is there, else why not.
    const std::string& Failure() const { return m_Failure; }

private:
    std::string m_Link, m_UnixLink, m_Failure;
};
