// Stateless file-system and file-name utilities.
//
// Lists of names (GetFiles, GetDirectories, GetExecutableFiles) keep an empty
// element 0 and hold the names at indexes 1 to n; an empty result has size 1.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class File {
public:
    using NameList = std::vector<std::string>;
    using Lines = std::vector<std::string>;
    using Table = std::vector<std::vector<std::string>>;

    // Attribute masks, as the directory search takes them.
    static constexpr uint32_t kNormal = 0x00;
    static constexpr uint32_t kReadOnly = 0x01;
    static constexpr uint32_t kHidden = 0x02;
    static constexpr uint32_t kSystem = 0x04;
    static constexpr uint32_t kDirectory = 0x10;
    static constexpr uint32_t kArchive = 0x20;

    // "Directory ReadOnly Hidden System Archive", the words the file carries.
    std::string GetAttrDescr(const std::string& fileName);
    // Names the directory search gives for the pattern; hidden, system and
    // folder entries only when the mask asks for them.
    NameList GetFiles(const std::string& pattern, uint32_t attributes = kNormal);
    // A normal file (or a wildcard match of one) exists; never fails.
    bool FileExists(const std::string& fileName);
    // A folder exists; never fails.
    bool DirExists(const std::string& folder);
    NameList GetDirectories(const std::string& folder, uint32_t attributes = kNormal,
                            bool fullPath = false);
    NameList GetExecutableFiles(const std::string& folder, bool recursive = false);
    // The whole file as one text; raises AppError (the system's number and text).
    std::string ReadTextFile(const std::string& fileName);
    // Writes the text as it stands, no line end added; raises AppError.
    void WriteTextFile(const std::string& text, const std::string& fileName, bool append);
    // The file's lines, indexed from 0; a negative limit means no limit.
    Lines GetTextFileLines(const std::string& fileName, bool skipEmpty, int32_t limit = -1);
    Table ImportDelimitedFile(const std::string& fileName, const std::string& delimiter);
    void ExportDelimitedFile(const Table& rows, const std::string& fileName,
                             const std::string& delimiter);
    // Splits a name into folder, base name and (when asked for) extension.
    // With the extension asked for, the base name ends at the first dot of
    // the file part; without it, dots are ordinary characters.
    void SplitFilename(std::string fullName, std::string& folder, std::string& baseName,
                       std::string* extension = nullptr);
    std::string GetPath(const std::string& fileName);
    std::string GetBaseName(const std::string& fileName);
    std::string GetFileName(const std::string& fileName);
    std::string GetExtension(const std::string& fileName);
    std::string MakeFilename(const std::string& folder, const std::string& baseName,
                             const std::string& extension);

private:
    void AppendArray(NameList& destination, const NameList& source);
};

// The system's code page can't hold every character of a name: for one it can't, its ANSI
// functions hand over a lookalike ("O" for the Greek capital omega, "\" for the fullwidth
// reverse solidus) or "?". A name from the system is used only when ExactAnsi takes it whole.

// The wide text in the code page, true when every character is held exactly (converting back
// gives the same text); otherwise "?", which no file name holds, stands for each character that
// is not. Never fails.
bool ExactAnsi(const std::wstring& wide, std::string& ansi);
// Text in the code page, widened; every character has its one wide counterpart.
std::wstring AnsiToWide(const std::string& text);
// The reason given for a name that ExactAnsi refused.
extern const char kNameNotInCodePage[];
// A listed entry of a folder, or nothing (false): a name the code page can't hold exactly, one
// that holds "\" or "/" and so would lead out of the folder, "." and "..".
bool ListedName(const std::wstring& entry, std::string& name);
// The path with its last part spelt as the disk spells it, when that spelling is a ListedName;
// else the path as given.
std::string ExistingSpelling(const std::string& path);

// Capitals as the system makes them, accented letters included.
std::string UpperCase(std::string text);
// Two paths name one file or folder: compared as Windows does, without regard to letter
// case, a trailing backslash ignored.
bool SamePath(std::string a, std::string b);
// The process's current folder; empty when the system can't say.
std::string CurrentFolder();

// What a path leads to, however it is spelt (short names, trailing dots or blanks, "." and "..",
// links on the way): two paths to one file or folder give identities that are the SameFile.
struct FileIdentity {
    bool opened = false;  // volume and index are the file's own
    uint32_t volume = 0;
    uint64_t index = 0;
    std::string longPath;  // full, with long names, upper-cased; empty when the system can't say
    uint32_t error = 0;    // the system's reason when the path leads nowhere
    bool Known() const { return opened || !longPath.empty(); }
};
// Never fails: a path that leads nowhere gives an identity that is not Known.
FileIdentity IdentityOf(const std::string& path);
// Either the file system's own identity or the long full path agrees.
bool SameFile(const FileIdentity& a, const FileIdentity& b);
// The path itself is a link (a reparse point), whatever it leads to.
bool IsLink(const std::string& path);

// The device a file or folder name stands for ("NUL" for "nul.txt"), or the empty text: the
// system reads the name before its first dot, without trailing blanks or colons, in any case,
// as CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to LPT9, and opens the device instead of a file.
std::string ReservedDeviceName(const std::string& name);
// Why the text of a path can't name a file of its own, or the empty text: a wildcard (the ANSI
// dialogs put "?" for each character outside the code page), or a device's name.
std::string PathTextProblem(const std::string& path);
// PathTextProblem, then what the disk says: why the path does not name a regular file that
// the program can open by that name (a folder, a device, a missing file), or the empty text.
std::string OpenFileProblem(const std::string& path);
