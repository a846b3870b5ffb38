#include "File.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

#include "AppError.h"
#include "FolderLink.h"
#include "TempDir.h"

namespace {

// GetPath | GetFileName | GetBaseName | GetExtension
std::string Parts(const std::string& name) {
    File f;
    return f.GetPath(name) + "|" + f.GetFileName(name) + "|" + f.GetBaseName(name) + "|" + f.GetExtension(name);
}

TEST(FileNames, PartsOfAPathAndMakeFilename) {
    // Several dots: the base name ends at the first, the extension at the second; dots in a folder
    // name never split. Then drive roots, drive-relative names, trailing backslash or dot, bare names.
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Skins\\Dark.ini", "C:\\Skins|Dark.ini|Dark|ini"}, {"C:\\Skins\\a.b.ini", "C:\\Skins|a.b.ini|a|b"},
        {"\\\\server\\share\\x.y.z", "\\\\server\\share|x.y.z|x|y"}, {"C:\\my.skins\\Dark", "C:\\my.skins|Dark|Dark|"},
        {"C:\\x.ini", "C:|x.ini|x|ini"}, {"C:x.ini", "C:|x.ini|x|ini"}, {"C:\\Skins\\", "C:\\Skins|||"}, {"C:\\", "C:|||"},
        {"Dark.ini", "|Dark.ini|Dark|ini"}, {"Dark.", "|Dark.|Dark|"}, {".ini", "|.ini||ini"}, {"", "|||"}};
    for (auto [name, parts] : cases) EXPECT_EQ(Parts(name), parts) << name;

    const std::tuple<const char*, const char*, const char*> made[] = {
        {"C:\\Skins\\", "ini", "C:\\Skins\\Dark.ini"}, {"C:\\Skins", ".ini", "C:\\Skins\\Dark.ini"}, {"", "ini", "Dark.ini"},
        {"C:\\Skins", "", "C:\\Skins\\Dark"}};
    for (auto [dir, ext, name] : made) EXPECT_EQ(File().MakeFilename(dir, "Dark", ext), name) << dir << ext;
}

TEST(FileNames, ReservedDeviceNamesAsTheSystemReadsThem) {
    // Any case, any extension, trailing dots, blanks or a colon: the system opens the device.
    const std::pair<const char*, const char*> devices[] = {
        {"CON", "CON"}, {"prn", "PRN"}, {"aux.txt", "AUX"}, {"NUL", "NUL"}, {"nul.", "NUL"}, {"con .txt", "CON"},
        {"Nul  ", "NUL"}, {"lpt3:", "LPT3"}, {"Com7.tar.gz", "COM7"}, {"NUL.bmp", "NUL"}, {"aux..", "AUX"}};
    for (auto [name, device] : devices) EXPECT_EQ(ReservedDeviceName(name), device) << name;
    for (const char* stem : {"COM", "com", "LPT", "Lpt"})
        for (char digit = '1'; digit <= '9'; ++digit) {
            const std::string name = std::string(stem) + digit;
            EXPECT_EQ(ReservedDeviceName(name + ".ini"), UpperCase(name)) << name;
        }
    for (const char* name : {"COM0", "COM10", "LPT0", "LPT", "COM", "CONSOLE", "NULL", "CON_", "XCON", " NUL", "a.NUL",
                             "N UL", "COMA", "AUX1", "", "."})
        EXPECT_EQ(ReservedDeviceName(name), "") << name;

    // A path's text alone: wildcards (the ANSI dialog's "?" for a character outside the code page), a device.
    const std::string wildcard =
        "its name holds \"?\" or \"*\", which no file name holds (a character that the system's code page can't show "
        "comes back as \"?\")";
    const std::pair<const char*, std::string> texts[] = {
        {"C:\\T\\NUL.bmp", "its name stands for the device NUL, not for a file"},
        {"C:\\T\\com1 .ini", "its name stands for the device COM1, not for a file"},
        {"C:\\T\\??.bmp", wildcard}, {"C:\\??\\sky.bmp", wildcard}, {"C:\\T\\*.ini", wildcard},
        {"C:\\T\\sky.bmp", ""}, {"C:\\NUL.d\\sky.bmp", ""}, {"C:\\T\\console.ini", ""}};
    for (const auto& [path, problem] : texts) EXPECT_EQ(PathTextProblem(path), problem) << path;
}

TEST(FileNames, ExactAnsiTakesANameOnlyWhenTheCodePageHoldsItWhole) {
    ASSERT_EQ(GetACP(), 1252u) << "the texts below are those of code page 1252";
    const std::string long1 = std::string(5000, '\xE9');
    const std::wstring longWide(5000, L'\u00E9');
    // The system's lookalikes would be "Omega.bmp", "sun", "AB", "x\..\Light" and "?.bmp".
    const struct {
        std::wstring wide;
        std::string ansi;
        bool exact;
    } cases[] = {{L"\u03A9mega.bmp", "?mega.bmp", false},
                 {L"\uFF53un", "?un", false},
                 {L"\uFF21\uFF22", "??", false},
                 {L"x\uFF3C..\uFF3CLight", "x?..?Light", false},
                 {L"\U0001F600.bmp", "?.bmp", false},  // a surrogate pair is one character
                 {L"a\xD800" L"b", "a?b", false},      // half a pair
                 {L"\u00E9t\u00E9.bmp", "\xE9t\xE9.bmp", true},
                 {L"\u20AC \u0153", "\x80 \x9C", true},
                 {L"", "", true},
                 {longWide, long1, true},
                 {longWide + L"\u03A9", long1 + "?", false}};
    for (const auto& c : cases) {
        std::string ansi = "stale";
        EXPECT_EQ(ExactAnsi(c.wide, ansi), c.exact) << c.ansi;
        EXPECT_EQ(ansi, c.ansi);
    }
    EXPECT_EQ(AnsiToWide("\xE9t\xE9 \x80"), L"\u00E9t\u00E9 \u20AC");

    // A listed name is a name of that folder alone.
    const std::pair<std::wstring, std::string> listed[] = {
        {L"x\uFF3C..\uFF3C..\uFF3CLight\uFF3Cfg.bmp", ""}, {L"..\uFF3CLight\uFF3Cbg.bmp", ""}, {L"..\\Light\\bg.bmp", ""},
        {L"a/b.bmp", ""}, {L".", ""}, {L"..", ""}, {L"\u03A9mega.bmp", ""},
        {L"\u00E9t\u00E9.bmp", "\xE9t\xE9.bmp"}, {L"...bmp", "...bmp"}, {L"_back.bmp", "_back.bmp"}};
    for (const auto& [entry, name] : listed) {
        std::string got;
        EXPECT_EQ(ListedName(entry, got), !name.empty()) << name;
        if (!name.empty()) {
            EXPECT_EQ(got, name);
        }
    }
}

class FileSystemTest : public ::testing::Test {
protected:
    TempDir dir;
    File f;
};

TEST_F(FileSystemTest, FileExistsFindsOnlyNormalFilesAndListsHonourTheMask) {
    WriteBytes(dir / "a.bmp", "x");
    WriteBytes(dir / "h.bmp", "x");
    SetFileAttributesA((dir / "h.bmp").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryA((dir / "sub").c_str(), nullptr);

    // Wildcards match as in the search.
    for (const std::string& name : {dir / "a.bmp", dir / "A.BMP", dir / "*.bmp"})
        EXPECT_TRUE(f.FileExists(name)) << name;
    for (const std::string& name : {dir / "h.bmp", dir / "sub", dir / "missing.bmp", dir / "nofolder\\a.bmp",
                                    std::string(), std::string("Q:\\no\\drive.bmp"), dir / "a.bmp\\x"})
        EXPECT_FALSE(f.FileExists(name)) << name;
    for (const std::string& name : {dir.Path(), dir / "sub"}) EXPECT_TRUE(f.DirExists(name)) << name;
    for (const std::string& name : {dir / "a.bmp", dir / "none", std::string()})
        EXPECT_FALSE(f.DirExists(name)) << name;

    // Lists keep an empty first element and honour the mask.
    CreateDirectoryA((dir / "tools").c_str(), nullptr);
    CreateDirectoryA((dir / "tools.dir").c_str(), nullptr);
    for (const char* name : {"one.exe", "two.bat", "readme.txt", "hid.exe", "tools\\three.com"})
        WriteBytes(dir / name, "");
    SetFileAttributesA((dir / "hid.exe").c_str(), FILE_ATTRIBUTE_HIDDEN);

    EXPECT_EQ(f.GetFiles(dir / "*.xyz"), File::NameList{""});
    EXPECT_EQ(f.GetFiles(dir / "*.exe"), (File::NameList{"", "one.exe"}));
    EXPECT_EQ(f.GetFiles(dir / "*.exe", File::kHidden).size(), 3u);

    EXPECT_EQ(f.GetExecutableFiles(dir.Path(), true), (File::NameList{"", "one.exe", "two.bat", "three.com"}));
    // Read-only last: Wine keeps Hidden and System in the file's extended attributes, which only
    // root may change once the file is read-only.
    SetFileAttributesA((dir / "hid.exe").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    SetFileAttributesA((dir / "hid.exe").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(f.GetAttrDescr(dir / "hid.exe") + "|" + f.GetAttrDescr(dir / "sub"), "ReadOnly Hidden System Archive|Directory");
}

// The ANSI search would list "Omega.bmp" twice, "sun.bmp" and "x\..\..\Light\fg.bmp": names of
// other files, or of none in this folder.
TEST_F(FileSystemTest, ListsSkipNamesTheCodePageCantHoldAndNamesThatLeadOutOfTheFolder) {
    const std::wstring wide = Widen(dir.Path()) + L"\\";
    for (const wchar_t* name : {L"Omega.bmp", L"\u03A9mega.bmp", L"\uFF53un.bmp", L"\u00E9t\u00E9.bmp",
                                L"x\uFF3C..\uFF3C..\uFF3CLight\uFF3Cfg.bmp"})
        WriteBytes(wide + name, "x");
    for (const wchar_t* name : {L"plain", L"\u00E9t\u00E9", L"\u03A9dir", L"\uFF21\uFF22"}) MakeFolder(wide + name);
    auto sorted = [](File::NameList names) {
        std::sort(names.begin() + 1, names.end());
        return names;
    };
    EXPECT_EQ(sorted(f.GetFiles(dir / "*.bmp")), (File::NameList{"", "Omega.bmp", "\xE9t\xE9.bmp"}));
    EXPECT_EQ(sorted(f.GetFiles(dir / "*", File::kDirectory)),
              (File::NameList{"", "Omega.bmp", "plain", "\xE9t\xE9", "\xE9t\xE9.bmp"}));
    EXPECT_EQ(sorted(f.GetDirectories(dir.Path())), (File::NameList{"", "plain", "\xE9t\xE9"}));
    EXPECT_EQ(sorted(f.GetDirectories(dir.Path(), File::kNormal, true)),
              (File::NameList{"", dir / "plain", dir / "\xE9t\xE9"}));
    for (const std::string& name : {dir / "?un.bmp", dir / "x*"})
        EXPECT_FALSE(f.FileExists(name)) << name;
    EXPECT_TRUE(f.FileExists(dir / "?mega.bmp"));
    // The disk's spelling, only where the code page holds it.
    EXPECT_EQ(ExistingSpelling(dir / "OMEGA.BMP"), dir / "Omega.bmp");
    EXPECT_EQ(ExistingSpelling(dir / "\xC9T\xC9.BMP"), dir / "\xE9t\xE9.bmp");
    EXPECT_EQ(ExistingSpelling(dir / "?mega.bmp"), dir / "?mega.bmp");
    EXPECT_EQ(ExistingSpelling(dir / "gone.bmp"), dir / "gone.bmp");
}

TEST_F(FileSystemTest, TextFilesRoundTripAndPassOnFailures) {
    const std::string path = dir / "t.txt";
    f.WriteTextFile("a\r\nb", path, false);
    f.WriteTextFile("\r\n\r\nc", path, true);
    EXPECT_EQ(f.ReadTextFile(path), "a\r\nb\r\n\r\nc");
    EXPECT_EQ(f.GetTextFileLines(path, true), (File::Lines{"a", "b", "c"}));
    f.WriteTextFile(std::string("bin\0ary", 7), path, false);
    EXPECT_EQ(f.ReadTextFile(path), std::string("bin\0ary", 7));
    f.ExportDelimitedFile({{"a", "b"}, {"1", ""}}, path, ";");
    EXPECT_EQ(f.ImportDelimitedFile(path, ";"), (File::Table{{"a", "b"}, {"1", ""}}));

    EXPECT_THROW(f.ReadTextFile(dir / "missing.txt"), AppError);
    EXPECT_THROW(f.WriteTextFile("x", dir / "nofolder\\x.txt", false), AppError);

    // A file another program holds open without sharing can be neither read nor written.
    WriteBytes(dir / "busy.txt", "keep");
    HANDLE held = CreateFileA((dir / "busy.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    for (bool append : {false, true}) EXPECT_THROW(f.WriteTextFile("lost", dir / "busy.txt", append), AppError);
    EXPECT_THROW(f.ReadTextFile(dir / "busy.txt"), AppError);
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(dir / "busy.txt"), "keep");
}

TEST_F(FileSystemTest, IdentityIsTheFilesWhateverTheSpellingAndLinksShowAsSuch) {
    CreateDirectoryA((dir / "Dark").c_str(), nullptr);
    for (const char* name : {"Dark\\a.bmp", "Dark\\b.bmp"}) WriteBytes(dir / name, "x");
    const FileIdentity a = IdentityOf(dir / "Dark\\a.bmp");
    ASSERT_TRUE(a.Known());
    for (const std::string& spelt : {dir / "DARK\\A.BMP", dir / "Dark\\a.bmp. .", dir / "Dark\\..\\Dark\\.\\a.bmp"})
        EXPECT_TRUE(SameFile(a, IdentityOf(spelt))) << spelt;
    HANDLE held = CreateFileA((dir / "Dark\\a.bmp").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SameFile(IdentityOf(dir / "Dark\\a.bmp"), a)) << "held without sharing";
    CloseHandle(held);
    EXPECT_FALSE(SameFile(a, IdentityOf(dir / "Dark\\b.bmp")) || SameFile(a, IdentityOf(dir / "Dark")));
    const FileIdentity missing = IdentityOf(dir / "Dark\\missing.bmp");
    EXPECT_FALSE(missing.Known());
    EXPECT_EQ(missing.error, uint32_t(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(SameFile(missing, IdentityOf(dir / "Dark\\gone.bmp"))) << "two missing files are not one";
    // One index on two volumes is two files.
    EXPECT_FALSE(SameFile(FileIdentity{true, 1, 7, "", 0}, FileIdentity{true, 2, 7, "", 0}));

    FolderLink link(dir / "Link", dir / "Dark");
    ASSERT_EQ(link.Failure(), "");
    EXPECT_TRUE(IsLink(dir / "Link"));
    EXPECT_FALSE(IsLink(dir / "Dark") || IsLink(dir / "Link\\a.bmp") || IsLink(dir / "none"));
    EXPECT_TRUE(SameFile(IdentityOf(dir / "Link"), IdentityOf(dir / "Dark")));
    EXPECT_TRUE(SameFile(IdentityOf(dir / "Link\\a.bmp"), a));
}

TEST_F(FileSystemTest, OpenFileProblemTakesOnlyRegularFilesOpenableByTheirName) {
    WriteBytes(dir / "sky.bmp", "x");
    WriteBytes(dir / "held.bmp", "x");
    CreateDirectoryA((dir / "pics.bmp").c_str(), nullptr);
    WriteBytes(Widen(dir.Path()) + L"\\\u65E5\u672C.bmp", "x");  // outside the code page: "??.bmp" in ANSI

    // A file that another program holds is still a file: its reader says why it can't be read.
    HANDLE held = CreateFileA((dir / "held.bmp").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    for (const std::string& path : {dir / "sky.bmp", dir / "SKY.BMP", dir / "held.bmp"})
        EXPECT_EQ(OpenFileProblem(path), "") << path;
    CloseHandle(held);

    EXPECT_EQ(OpenFileProblem(dir / "pics.bmp"), "it is a folder, not a file");
    EXPECT_EQ(OpenFileProblem(dir / "NUL.bmp"), "its name stands for the device NUL, not for a file");
    EXPECT_EQ(OpenFileProblem(dir / "??.bmp").find("its name holds \"?\" or \"*\""), 0u);
    const std::string missing = "it can't be opened by that name: " + SystemErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(OpenFileProblem(dir / "gone.bmp"), missing);

    // Neither a file nor a device's name: a pipe.
    const std::string pipe = "\\\\.\\pipe\\vexo_test_" + std::to_string(GetCurrentProcessId());
    HANDLE server = CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 64, 64, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    EXPECT_EQ(OpenFileProblem(pipe), "it is a device, not a file");
    CloseHandle(server);
}

}  // namespace
