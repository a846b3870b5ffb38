// The program's one error type: a number and a description, as the error
// messages show them, plus the "go on with the next statement" helper.
#pragma once

#include <windows.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

// The program's own error numbers, kept in one place.
namespace ErrNo {
constexpr int32_t InvalidCall = 5;
constexpr int32_t Overflow = 6;
constexpr int32_t PictureTooLarge = 7;  // described with the picture's size and the limit
constexpr int32_t TypeMismatch = 13;
constexpr int32_t BadFileName = 52;
constexpr int32_t FileNotFound = 53;
constexpr int32_t FileAccess = 75;
constexpr int32_t ObjectRequired = 91;
constexpr int32_t InvalidPicture = 481;
}  // namespace ErrNo

// The descriptions users know those numbers by, where the program raises them itself.
namespace ErrText {
constexpr const char* FileNotFound = "File not found";
constexpr const char* InvalidPicture = "Invalid picture";
}  // namespace ErrText

class AppError : public std::runtime_error {
public:
    AppError(int32_t number, std::string description, std::string source = std::string())
        : std::runtime_error(description), m_Number(number), m_Description(std::move(description)),
          m_Source(std::move(source)) {}

    int32_t Number() const noexcept { return m_Number; }
    const std::string& Description() const noexcept { return m_Description; }
    // Who raised it, for classes that name themselves ("VexoVadiVirerova.cBrowseForFolder").
    const std::string& Source() const noexcept { return m_Source; }

private:
    int32_t m_Number;
    std::string m_Description;
    std::string m_Source;
};

// The system's message text for a Win32 error code, without the trailing line end.
std::string SystemErrorText(DWORD code);

// An error carrying a Win32 code and the system's text for it.
AppError Win32Error(DWORD code);

// Throws the calling thread's last Win32 error.
[[noreturn]] void RaiseLastError();

// A 64-bit size as a size in memory: one that a 32-bit build's size_t cannot hold is more
// memory than the process has, never a smaller size cut from it.
template <class Size = size_t>
Size SizeInMemory(uint64_t bytes) {
    if (bytes > std::numeric_limits<Size>::max()) throw Win32Error(ERROR_NOT_ENOUGH_MEMORY);
    return static_cast<Size>(bytes);
}

// "Error N (description) in procedure P of Form F"
std::string ErrorMessageText(const AppError& err, const std::string& procedure,
                             const std::string& form = "frmDesigner");

// The last error a step swallowed on this thread (number 0: none yet).
const AppError& CurrentError();
void SetCurrentError(const AppError& err);

// Runs one step and swallows an error it raises, so the caller goes on with
// its next statement. The only place where errors are dropped on purpose.
// Returns false when the step failed; CurrentError() then tells why.
template <class Step>
bool ResumeNext(Step&& step) noexcept {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const AppError& e) {
        SetCurrentError(e);
    } catch (const std::exception& e) {
        SetCurrentError(AppError(51, e.what()));
    } catch (...) {
        SetCurrentError(AppError(51, "Internal error"));
    }
    return false;
}
