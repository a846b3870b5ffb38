// Under Wine, a test may reach the Unix side: its paths and its programs. Outside Wine the
// functions answer empty or false.
#pragma once

#include <windows.h>

#include <string>

// Absent functions come back empty.
template <class Function>
Function Kernel32(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

// Wine's own path mapping; empty outside Wine.
std::string UnixPath(const std::string& path);
// Runs a Unix shell script through Wine and waits until it has ended, with a deadline; true
// when it ended with status 0. Wine gives no handle to wait on for a Unix program, so the script
// leaves a mark in watchFolder, a Windows folder, whose change the wait is told of.
bool RunUnix(const std::string& script, const std::string& watchFolder);
// A text as one word of a Unix shell script.
std::string Quoted(const std::string& text);
// What a Unix command prints (its errors too), its last line end gone; "(failed)" when it
// ended with a status other than 0. folder: a Windows folder the command may leave a file in.
std::string UnixSays(const std::string& command, const std::string& folder);
