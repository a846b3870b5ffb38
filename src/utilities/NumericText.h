// Text to number, as the program's INI readers convert it.
#pragma once

#include <cstdint>
#include <string>

// Converts a text to a signed 32-bit integer: blanks around it are ignored;
// decimal (with sign, fraction and exponent, rounded half to even) or the
// "&H" hexadecimal and "&O" octal notations. Raises AppError 13 (type
// mismatch) for a text that is not a number, the empty text included, and
// AppError 6 (overflow) for a number outside the 32-bit range.
int32_t TextToLong(const std::string& text);
