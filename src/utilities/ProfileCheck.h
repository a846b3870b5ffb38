// What a skin file's bytes hold, as the profile functions' reader sees them, and the steps of
// writing new bytes into a file in place. The rules make no system call but the text decoding, so
// a check of a large file costs one read of it, not a profile call per key.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct ProfileKey {
    std::string name;   // without blanks around it
    std::string value;  // without blanks around it; quotes kept
    bool hasValue = false;  // the line had an "="
};

struct ProfileSection {
    std::string name;  // without the brackets and blanks; empty for lines before any header
    std::vector<ProfileKey> keys;
};

// A file's text, in the system's code page, as read from its bytes: a UTF-8 or UTF-16 mark
// says how the rest is encoded (the profile functions keep such files so), else the bytes are
// the code page's.
std::string ProfileTextOf(const std::string& bytes);

// Lines split at line feeds; blank lines dropped; "[name]" opens a section (up to its last "]"),
// any other line is a key, up to its first "=". Sections and keys in file order, repeats kept.
std::vector<ProfileSection> ParseProfileText(const std::string& text);

// Why `written` does not hold every section and key of the parsed `original` with its value, and the keys
// written into the section with theirs (as given, or as the reader takes them); empty when it
// does. Names match without regard to letter case, as the profile functions match them.
std::string ProfileDifference(const std::vector<ProfileSection>& original, const std::string& written, const std::string& section,
                              const std::vector<std::pair<std::string, std::string>>& keys);

// The keys whose writing would change the parsed text: a key that the section (its first of that name)
// already holds with exactly the value, no blanks around it, is left out, since the profile
// functions would write the same bytes again and read the whole file to do so.
std::vector<std::pair<std::string, std::string>> KeysToWrite(
    const std::vector<ProfileSection>& sections, const std::string& section, const std::vector<std::pair<std::string, std::string>>& keys);

// A file's own input and output for WriteInPlace: each answers whether the system did it.
struct InPlaceSteps {
    std::function<bool(const std::string&)> write;  // the file becomes exactly these bytes
    std::function<bool(std::string&)> read;         // what the file holds now
    std::function<bool()> replace;                  // a checked copy takes the file's place
};
enum class InPlaceOutcome { Written, PutBack, Replaced, Damaged };
// Writes fresh into the file and checks it; a write that fails or doesn't hold puts the former
// bytes back the same way; only when that fails too does the copy replace the file.
InPlaceOutcome WriteInPlace(const std::string& former, const std::string& fresh, const InPlaceSteps& steps);

// A value as the profile functions' reader gives it back: blanks (and line ends, form feeds,
// the end-of-file mark) around it gone, then one pair of quotes around it.
std::string ProfileReadForm(const std::string& value);
