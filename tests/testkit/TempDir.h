// A fresh folder under the system's temporary folder, removed with its contents.
#pragma once

#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_Path; }
    // Path() & "\" & name
    std::string operator/(const std::string& name) const { return m_Path + "\\" + name; }

private:
    std::string m_Path;
};

// Small file helpers for tests: the bytes of a file, or write them.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool PathExists(const std::string& path);
// Deletes a folder with everything in it, names outside the code page included.
void RemoveTree(const std::string& path);
// The path in the system's code page, widened.
std::wstring Widen(const std::string& path);
// Writes a file whose name may hold characters outside the code page, and makes a folder of such
// a name. Both throw (the test fails) unless the disk then lists the name exactly: Wine makes
// these names only under a UTF-8 locale.
void WriteBytes(const std::wstring& path, const std::string& bytes);
void MakeFolder(const std::wstring& path);
