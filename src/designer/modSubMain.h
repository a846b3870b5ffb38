// Start-up, single instance, the splash wait and the error log.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "IniManag.h"

extern IniManag gIniMain;
extern std::string gAppPath;  // the program folder with one trailing "\"
extern bool gSplashAtStartup;

extern const char* const kMutexName;
extern const char* const kAlreadyRunning;

// The program's entry: returns when the designer window has closed. The
// splash shows for splashSeconds (about five at a real start).
int Main(double splashSeconds = 5.0);

// gAppPath for a program folder: exactly one trailing "\".
std::string AppPathFor(const std::string& folder);

// Appends a record to gAppPath & "ERROR.LOG"; never fails. A missing number
// is the current error's; a missing Variables leaves its line out.
void ErrorLog(const std::string& Routine, std::optional<int32_t> Number, const std::string& Description,
              std::optional<std::string> Variables, bool ShowMessage);

// The record ErrorLog writes, for a given date and time text.
std::string ErrorLogRecord(const std::string& dateText, const std::string& timeText,
                           const std::string& Routine, int32_t Number, const std::string& Description,
                           const std::optional<std::string>& Variables);
