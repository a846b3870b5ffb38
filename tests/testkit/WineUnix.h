// Under Wine, a test may reach the Unix side: its paths and its programs. Outside Wine the
// functions answer empty or false.
#pragma once

#include <windows.h>

#include <string>

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
std::string UnixPath(const std::string& path);
// Starts a Unix program through Wine; it is not waited for.
bool RunUnix(const std::string& program, const std::string& arguments);
// A text as one argument of a Unix command line.
std::string Quoted(const std::string& text);
