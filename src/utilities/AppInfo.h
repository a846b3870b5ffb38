// Where the program lives and what it is called.
#pragma once

#include <string>

// "Vexo VadiVirerova": the title of the program's message and input boxes.
extern const char* const kAppTitle;

// The folder of the running executable, without a trailing "\" unless it is
// a drive root. Tests point it at a temporary folder with SetProgramFolder.
std::string ProgramFolder();
void SetProgramFolder(const std::string& folder);  // empty: back to the executable's folder

// The program's help file, as What's This help uses it; empty at start.
std::string& AppHelpFile();

// folder & "\" & name, without doubling a "\" the folder already ends with.
std::string JoinPath(const std::string& folder, const std::string& name);
