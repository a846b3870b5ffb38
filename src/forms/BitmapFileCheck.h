// Whether a file's bytes can be handed to the system's bitmap loader: it reads
// pixel data past the end of a truncated file or one whose header claims
// absurd dimensions, and crashes the program.
#pragma once

#include <cstdint>
#include <string>

// Bytes of a file's start that the check needs.
constexpr size_t kBitmapHeadBytes = 14 + 124;

// head: the file's first kBitmapHeadBytes bytes (or all of a shorter file).
bool IsWholeBitmapFile(const std::string& head, uint64_t fileSize);
// Reads the file's start and size; false when it can't be read.
bool IsWholeBitmapFile(const std::string& path);
