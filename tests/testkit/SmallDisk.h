// A folder on a disk of its own of a few hundred KiB, for tests of a full disk: under Wine,
// run as root, a Unix tmpfs mounted on the folder and unmounted with the object.
#pragma once

#include <string>

class SmallDisk {
public:
    explicit SmallDisk(std::string folder);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // Empty when the disk is there, else why not.
    const std::string& Failure() const { return m_Failure; }
    // Fills the disk with a file of its own, to its last byte or leaving room bytes free; Free
    // gives the room back.
    void Fill(unsigned long room = 0);
    void Free();

private:
    // Where the Unix tools leave their marks: the disk's own folder changes beneath them.
    std::string Parent() const;
    std::string m_Folder, m_Unix, m_Failure;
};
