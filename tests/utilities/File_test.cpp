#include "File.h"

#include <windows.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "AppError.h"
#include "TempDir.h"

namespace {

struct Split {
    std::string folder, base, ext;
};

Split SplitWithExtension(const std::string& name) {
    File f;
    Split s;
    f.SplitFilename(name, s.folder, s.base, &s.ext);
    return s;
}

TEST(FileNames, PartsOfAPath) {
    File f;
    EXPECT_EQ(f.GetPath("C:\\Skins\\Dark.ini"), "C:\\Skins");
    EXPECT_EQ(f.GetFileName("C:\\Skins\\Dark.ini"), "Dark.ini");
    EXPECT_EQ(f.GetBaseName("C:\\Skins\\Dark.ini"), "Dark");
    EXPECT_EQ(f.GetExtension("C:\\Skins\\Dark.ini"), "ini");

    // Several dots: the base name ends at the first, the extension at the second.
    EXPECT_EQ(f.GetBaseName("C:\\Skins\\a.b.ini"), "a");
    EXPECT_EQ(f.GetExtension("C:\\Skins\\a.b.ini"), "b");
    EXPECT_EQ(f.GetFileName("C:\\Skins\\a.b.ini"), "a.b.ini");

    // Dots in a folder name never split.
    EXPECT_EQ(f.GetBaseName("C:\\my.skins\\Dark"), "Dark");
    EXPECT_EQ(f.GetExtension("C:\\my.skins\\Dark"), "");
    EXPECT_EQ(f.GetPath("C:\\my.skins\\Dark"), "C:\\my.skins");

    // Drive roots, drive-relative names, trailing backslash, bare names.
    EXPECT_EQ(f.GetPath("C:\\x.ini"), "C:");
    EXPECT_EQ(f.GetPath("C:x.ini"), "C:");
    EXPECT_EQ(f.GetFileName("C:x.ini"), "x.ini");
    EXPECT_EQ(f.GetPath("C:\\Skins\\"), "C:\\Skins");
    EXPECT_EQ(f.GetFileName("C:\\Skins\\"), "");
    EXPECT_EQ(f.GetPath("Dark.ini"), "");
    EXPECT_EQ(f.GetFileName("Dark.ini"), "Dark.ini");
    EXPECT_EQ(f.GetBaseName(""), "");
    EXPECT_EQ(f.GetPath("C:\\"), "C:");
    EXPECT_EQ(f.GetFileName("C:\\"), "");

    Split s = SplitWithExtension(".ini");
    EXPECT_EQ(s.base, "");
    EXPECT_EQ(s.ext, "ini");
    s = SplitWithExtension("\\\\server\\share\\x.y.z");
    EXPECT_EQ(s.folder, "\\\\server\\share");
    EXPECT_EQ(s.base, "x");
    EXPECT_EQ(s.ext, "y");
    s = SplitWithExtension("Dark.");
    EXPECT_EQ(s.base, "Dark");
    EXPECT_EQ(s.ext, "");
}

TEST(FileNames, MakeFilenameNeverDoublesSeparators) {
    File f;
    EXPECT_EQ(f.MakeFilename("C:\\Skins\\", "Dark", "ini"), "C:\\Skins\\Dark.ini");
    EXPECT_EQ(f.MakeFilename("C:\\Skins", "Dark", ".ini"), "C:\\Skins\\Dark.ini");
    EXPECT_EQ(f.MakeFilename("", "Dark", "ini"), "Dark.ini");
    EXPECT_EQ(f.MakeFilename("C:\\Skins", "Dark", ""), "C:\\Skins\\Dark");
}

class FileSystemTest : public ::testing::Test {
protected:
    TempDir dir;
    File f;
};

TEST_F(FileSystemTest, FileExistsFindsOnlyNormalFiles) {
    WriteBytes(dir / "a.bmp", "x");
    WriteBytes(dir / "h.bmp", "x");
    SetFileAttributesA((dir / "h.bmp").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryA((dir / "sub").c_str(), nullptr);

    EXPECT_TRUE(f.FileExists(dir / "a.bmp"));
    EXPECT_TRUE(f.FileExists(dir / "A.BMP"));
    EXPECT_TRUE(f.FileExists(dir / "*.bmp"));  // wildcards match as in the search
    EXPECT_FALSE(f.FileExists(dir / "h.bmp"));
    EXPECT_FALSE(f.FileExists(dir / "sub"));
    EXPECT_FALSE(f.FileExists(dir / "missing.bmp"));
    EXPECT_FALSE(f.FileExists(dir / "nofolder\\a.bmp"));
    EXPECT_FALSE(f.FileExists(""));
    EXPECT_FALSE(f.FileExists("Q:\\no\\drive.bmp"));
    EXPECT_FALSE(f.FileExists(dir / "a.bmp\\x"));

    EXPECT_TRUE(f.DirExists(dir.Path()));
    EXPECT_TRUE(f.DirExists(dir / "sub"));
    EXPECT_FALSE(f.DirExists(dir / "a.bmp"));
    EXPECT_FALSE(f.DirExists(dir / "none"));
    EXPECT_FALSE(f.DirExists(""));
    SetFileAttributesA((dir / "h.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileSystemTest, ListsKeepAnEmptyFirstElementAndHonourTheMask) {
    WriteBytes(dir / "one.exe", "");
    WriteBytes(dir / "two.bat", "");
    WriteBytes(dir / "readme.txt", "");
    WriteBytes(dir / "hid.exe", "");
    SetFileAttributesA((dir / "hid.exe").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryA((dir / "tools").c_str(), nullptr);
    CreateDirectoryA((dir / "tools.dir").c_str(), nullptr);
    WriteBytes(dir / "tools\\three.com", "");

    File::NameList none = f.GetFiles(dir / "*.xyz");
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0], "");

    File::NameList exes = f.GetFiles(dir / "*.exe");
    EXPECT_EQ(exes, (File::NameList{"", "one.exe"}));
    File::NameList withHidden = f.GetFiles(dir / "*.exe", File::kHidden);
    EXPECT_EQ(withHidden.size(), 3u);

    File::NameList dirs = f.GetDirectories(dir.Path());
    std::sort(dirs.begin() + 1, dirs.end());
    EXPECT_EQ(dirs, (File::NameList{"", "tools", "tools.dir"}));
    File::NameList full = f.GetDirectories(dir.Path() + "\\", File::kNormal, true);
    std::sort(full.begin() + 1, full.end());
    EXPECT_EQ(full[1], dir / "tools");

    File::NameList flat = f.GetExecutableFiles(dir.Path());
    EXPECT_EQ(flat, (File::NameList{"", "one.exe", "two.bat"}));
    File::NameList deep = f.GetExecutableFiles(dir.Path(), true);
    EXPECT_EQ(deep, (File::NameList{"", "one.exe", "two.bat", "three.com"}));

    EXPECT_EQ(f.GetAttrDescr(dir / "tools"), "Directory");
    SetFileAttributesA((dir / "hid.exe").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(f.GetAttrDescr(dir / "hid.exe"), "ReadOnly Hidden Archive");
    SetFileAttributesA((dir / "hid.exe").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_THROW(f.GetAttrDescr(dir / "missing"), AppError);
}

TEST_F(FileSystemTest, TextFilesRoundTripAndPassOnFailures) {
    const std::string path = dir / "t.txt";
    f.WriteTextFile("a\r\nb", path, false);
    f.WriteTextFile("\r\n\r\nc", path, true);
    EXPECT_EQ(f.ReadTextFile(path), "a\r\nb\r\n\r\nc");
    EXPECT_EQ(f.GetTextFileLines(path, false), (File::Lines{"a", "b", "", "c"}));
    EXPECT_EQ(f.GetTextFileLines(path, true), (File::Lines{"a", "b", "c"}));
    EXPECT_EQ(f.GetTextFileLines(path, false, 2), (File::Lines{"a", "b\r\rc"}));
    f.WriteTextFile(std::string("bin\0ary", 7), path, false);
    EXPECT_EQ(f.ReadTextFile(path), std::string("bin\0ary", 7));

    try {
        f.ReadTextFile(dir / "missing.txt");
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Number(), static_cast<int32_t>(ERROR_FILE_NOT_FOUND));
        EXPECT_FALSE(e.Description().empty());
    }
    EXPECT_THROW(f.WriteTextFile("x", dir / "nofolder\\x.txt", false), AppError);

    // A file another program holds open without sharing can be neither read nor written.
    WriteBytes(dir / "busy.txt", "keep");
    HANDLE held = CreateFileA((dir / "busy.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    for (bool append : {false, true}) {
        try {
            f.WriteTextFile("lost", dir / "busy.txt", append);
            ADD_FAILURE() << "wrote a file in use";
        } catch (const AppError& e) {
            EXPECT_EQ(e.Number(), static_cast<int32_t>(ERROR_SHARING_VIOLATION));
        }
    }
    EXPECT_THROW(f.ReadTextFile(dir / "busy.txt"), AppError);
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(dir / "busy.txt"), "keep");
    // The handle was released after the failure: the file can be written now.
    f.WriteTextFile("new", dir / "busy.txt", false);
    EXPECT_EQ(ReadBytes(dir / "busy.txt"), "new");
}

TEST_F(FileSystemTest, DelimitedFilesRoundTrip) {
    const std::string path = dir / "d.csv";
    File::Table rows{{"a", "b", "c"}, {"1", "", "3"}};
    f.ExportDelimitedFile(rows, path, ";");
    EXPECT_EQ(ReadBytes(path), "a;b;c\r\n1;;3");
    EXPECT_EQ(f.ImportDelimitedFile(path, ";"), rows);

    WriteBytes(path, "x,y\r\n\r\nz\r\n");
    EXPECT_EQ(f.ImportDelimitedFile(path, ","), (File::Table{{"x", "y"}, {"z"}}));
    WriteBytes(path, "");
    EXPECT_TRUE(f.GetTextFileLines(path, false).empty());
    EXPECT_TRUE(f.ImportDelimitedFile(path, ",").empty());
}

}  // namespace
