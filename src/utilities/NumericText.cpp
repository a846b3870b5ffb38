#include "NumericText.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "AppError.h"

namespace {
[[noreturn]] void TypeMismatch() { throw AppError(ErrNo::TypeMismatch, "Type mismatch"); }
[[noreturn]] void Overflow() { throw AppError(ErrNo::Overflow, "Overflow"); }

int32_t RadixValue(const std::string& digits, int radix) {
    if (digits.empty()) TypeMismatch();
    uint64_t value = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else TypeMismatch();
        if (d >= radix) TypeMismatch();
        value = value * radix + d;
        if (value > 0xFFFFFFFFull) Overflow();
    }
    // "&HFFFFFFFF" is -1: the notation gives the 32 bits as they stand.
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}
}  // namespace

int32_t TextToLong(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) TypeMismatch();
    size_t last = text.find_last_not_of(" \t");
    std::string t = text.substr(first, last - first + 1);

    if (t.size() >= 2 && t[0] == '&') {
        char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(t[1])));
        if (kind == 'H') return RadixValue(t.substr(2), 16);
        if (kind == 'O') return RadixValue(t.substr(2), 8);
        TypeMismatch();
    }

    // Decimal: [sign] digits [. digits] [E [sign] digits], nothing else.
    size_t i = 0;
    if (t[i] == '+' || t[i] == '-') ++i;
    size_t mantissa = 0;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++mantissa;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++mantissa;
    }
    if (mantissa == 0) TypeMismatch();
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        size_t exponent = 0;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++exponent;
        if (exponent == 0) TypeMismatch();
    }
    if (i != t.size()) TypeMismatch();

    double value = std::strtod(t.c_str(), nullptr);
    double rounded = std::nearbyint(value);  // the default mode rounds halves to even
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) Overflow();
    return static_cast<int32_t>(rounded);
}
