// Owns a handle from CreateFileA; an invalid one is simply not closed.
#pragma once

#include <windows.h>

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : m_Handle(h) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (m_Handle != INVALID_HANDLE_VALUE) CloseHandle(m_Handle);
    }
    HANDLE get() const { return m_Handle; }
    HANDLE release() {
        const HANDLE h = m_Handle;
        m_Handle = INVALID_HANDLE_VALUE;
        return h;
    }

private:
    HANDLE m_Handle;
};
