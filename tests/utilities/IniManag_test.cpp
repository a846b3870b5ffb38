#include "IniManag.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <utility>

#include "AppError.h"
#include "AppInfo.h"
#include "NumericText.h"
#include "PromptScript.h"
#include "SmallDisk.h"
#include "TempDir.h"
#include "WineUnix.h"

namespace {

class IniManagTest : public ::testing::Test {
protected:
    void SetUp() override { SetProgramFolder(dir.Path()); }

    IniManag Bound(const std::string& name, const std::string& section = "S") {
        IniManag ini;
        ini.Nome(dir / name);
        ini.Sezione(section);
        return ini;
    }

    TempDir dir;
};

TEST_F(IniManagTest, NomeAppliesTheFileNameRuleAndCreatesOnlyMissingFiles) {
    IniManag ini;
    ini.Nome("VexoVadiVirerova.ini");
    EXPECT_EQ(ini.Nome(), dir / "VexoVadiVirerova.ini");
    EXPECT_EQ(ReadBytes(ini.Nome()), "");
    WriteBytes(ini.Nome(), "[Options]\r\nFirstRun=0\r\n");
    ini.Nome("VexoVadiVirerova.ini");
    EXPECT_EQ(ReadBytes(ini.Nome()), "[Options]\r\nFirstRun=0\r\n");

    ini.Nome("Settings");  // bare name: extension and program folder both added
    EXPECT_TRUE(PathExists(dir / "Settings.ini"));
    CreateDirectoryA((dir / "my.skins").c_str(), nullptr);
    ini.Nome(dir / "my.skins\\Dark");  // a dot in a folder name does not count
    EXPECT_EQ(ini.Nome(), dir / "my.skins\\Dark.ini");
    ini.Nome(dir / "notes.txt");  // a name with a dot keeps it
    EXPECT_EQ(ini.Nome(), dir / "notes.txt");

    // An existing hidden file is used as it is.
    WriteBytes(dir / "hidden.ini", "[S]\r\nk=v\r\n");
    SetFileAttributesA((dir / "hidden.ini").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Bound("hidden.ini").Leggi("k", ""), "v");
    EXPECT_EQ(ReadBytes(dir / "hidden.ini"), "[S]\r\nk=v\r\n");

    // A drive root as program folder gives no doubled backslash.
    SetProgramFolder("Z:\\");
    EXPECT_EQ(JoinPath(ProgramFolder(), "x.ini"), "Z:\\x.ini");

    // A path that cannot be created raises, and a folder is not a file.
    const AppError e = Raised([&] { ini.Nome(dir / "missing\\folder\\skin.ini"); });
    EXPECT_EQ(e.Number(), static_cast<int32_t>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(e.Description().empty());
    EXPECT_FALSE(PathExists(dir / "missing"));
    CreateDirectoryA((dir / "folder.ini").c_str(), nullptr);
    EXPECT_THROW(ini.Nome(dir / "folder.ini"), AppError);
}

TEST_F(IniManagTest, ReadsDefaultsBooleansAndSectionsCutsLongValuesAndSharesTheFile) {
    IniManag a = Bound("shared.ini", "Vexo"), b = Bound("shared.ini", "Vexo");
    EXPECT_NE(a.Scrivi("name", "Dark"), 0);
    EXPECT_EQ(b.Leggi("NAME", "dflt"), "Dark");  // names are case-insensitive; objects share the file
    b.Scrivi("name", "Light");
    EXPECT_EQ(a.Leggi("name", ""), "Light");
    EXPECT_EQ(a.Leggi("missing", "dflt"), "dflt");
    EXPECT_EQ(a.Leggi("", "dflt"), "");  // the empty key never reads the default
    a.Scrivi("empty", "");
    EXPECT_EQ(a.Leggi("empty", "dflt"), "");
    EXPECT_EQ(ReadBytes(a.Nome()), "[Vexo]\r\nname=Light\r\nempty=\r\n");
    a.Sezione("Other");
    EXPECT_EQ(a.Leggi("name", "dflt"), "dflt");

    const std::string longValue = "a" + std::string(299, 'x');
    a.Scrivi("long", longValue);
    EXPECT_EQ(a.Leggi("long", ""), longValue.substr(0, 254));

    DeleteFileA(a.Nome().c_str());
    EXPECT_EQ(b.Leggi("name", "fallback"), "fallback");

    // LeggiBool reads "0", "Falso" and empty as false.
    IniManag ini = Bound("b.ini");
    for (auto [text, value] : {std::pair{"0", false}, {"Falso", false}, {"", false}, {"1", true}, {"falso", true},
                               {"Vero", true}, {"-1", true}, {"00", true}}) {
        ini.Scrivi("k", text);
        EXPECT_EQ(ini.LeggiBool("k", "1"), value) << text;
    }
    EXPECT_FALSE(ini.LeggiBool("missing", ""));
    EXPECT_TRUE(ini.LeggiBool("missing", "1"));
    EXPECT_FALSE(ini.LeggiBool("", "1"));

    // LeggiSezione lists keys in file order; CancellaSezione deletes one section.
    ini = Bound("d.ini", "RecentsFiles");
    std::vector<std::string> keys{"stale"};
    int32_t count = -1;
    ini.LeggiSezione(ini.Nome(), "RecentsFiles", keys, count);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(keys.empty());
    ini.Scrivi("RecentFile2", "b");
    ini.Scrivi("RecentFile1", "a");
    ini.Scrivi("Zeta", "z");
    ini.Sezione("Other");
    ini.Scrivi("elsewhere", "x");
    ini.LeggiSezione(ini.Nome(), "RecentsFiles", keys, count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(keys, (std::vector<std::string>{"", "RecentFile2", "RecentFile1", "Zeta"}));

    ini.CancellaSezione("Missing");
    ini.CancellaSezione("RecentsFiles");
    EXPECT_EQ(ReadBytes(ini.Nome()), "[Other]\r\nelsewhere=x\r\n");
}

TEST_F(IniManagTest, NumbersAsTextReadHexOctalAndDecimalWithinTheirRadixAndRange) {
    // Text, value, error: halves round to even; &H gives the 32 bits as they stand; 13 type mismatch, 6 overflow.
    const std::tuple<const char*, int32_t, int32_t> cases[] = {
        {"123", 123, 0}, {" -42 ", -42, 0}, {"+7", 7, 0}, {"2.5", 2, 0}, {"3.5", 4, 0}, {"-2.5", -2, 0}, {".5", 0, 0},
        {"1E3", 1000, 0}, {"&HFF", 255, 0}, {"&hff", 255, 0}, {"&H7FFFFFFF", 2147483647, 0}, {"&HFFFFFFFF", -1, 0},
        {"&O17", 15, 0}, {"&o777", 511, 0}, {"2147483647", 2147483647, 0}, {"-2147483648", INT32_MIN, 0},
        {"2147483648", 0, 6}, {"2147483647.5", 0, 6}, {"&H100000000", 0, 6}, {"&O40000000000", 0, 6}, {"&O8", 0, 13},
        {"&HG", 0, 13}, {"&H", 0, 13}, {"&", 0, 13}, {"&X1", 0, 13}, {"", 0, 13}, {"  ", 0, 13}, {"12abc", 0, 13},
        {"0x10", 0, 13}, {".", 0, 13}, {"1E", 0, 13}, {"- 1", 0, 13}, {"1 2", 0, 13}};
    for (auto [text, value, error] : cases)
        EXPECT_EQ(Raised([&] { EXPECT_EQ(TextToLong(text), value) << text; }).Number(), error) << text;

    // LeggiCOLORREF reads the key as Leggi does; DeleteKey removes one key of the section it names.
    WriteBytes(dir / "n.ini", "[Colors]\r\nBack=&HFF8000\r\nFore=0x00FF00\r\n[Other]\r\nBack=1\r\n");
    IniManag ini = Bound("n.ini", "Colors");
    for (auto [key, dflt, value, error] : {std::tuple{"Back", "0", 0xFF8000, 0}, {"Fore", "0", 0, 13}, {"None", "77", 77, 0},
                                           {"None", "", 0, 13}, {"", "x", 0, 0}})
        EXPECT_EQ(Raised([&] { EXPECT_EQ(ini.LeggiCOLORREF(key, dflt), value) << key; }).Number(), error) << key << dflt;
    ini.Sezione("Other");
    EXPECT_NE(ini.DeleteKey("Colors", "Back"), 0);
    EXPECT_EQ(ReadBytes(ini.Nome()), "[Colors]\r\nFore=0x00FF00\r\n[Other]\r\nBack=1\r\n");
}

TEST(ProfileText, TheReadFormLosesBlanksAroundAndOnePairOfQuotes) {
    EXPECT_EQ(ProfileReadForm("Dark"), "Dark");
    EXPECT_EQ(ProfileReadForm("  b.bmp \t"), "b.bmp");
    EXPECT_EQ(ProfileReadForm("\"b.bmp \""), "b.bmp ");  // blanks inside the quotes stay
    EXPECT_EQ(ProfileReadForm(" 'g.bmp' "), "g.bmp");
    EXPECT_EQ(ProfileReadForm("\"\"x\"\""), "\"x\"");   // one pair only
    EXPECT_EQ(ProfileReadForm("\"half"), "\"half");
    EXPECT_EQ(ProfileReadForm("\v\f\r\nNight\x1a"), "Night");
    EXPECT_EQ(ProfileReadForm("a = b"), "a = b");
    EXPECT_EQ(ProfileReadForm("   "), "");
    EXPECT_EQ(ProfileReadForm("\""), "\"");
}

TEST_F(IniManagTest, WrittenCopiesReplaceTheFileWholeKeepingItsSpellingAndRefuseWhatCantBeWritten) {
    const std::string file = dir / "Dark.ini";
    WriteBytes(file, "[Vexo]\r\nname=Dark\r\n[Other]\r\nkeep=1\r\n");
    const std::string copy = IniManag::WrittenCopy(dir / "DARK.INI", "Vexo", {{"name", "Night"}, {"Author", "Ann"}});
    EXPECT_EQ(ReadBytes(file), "[Vexo]\r\nname=Dark\r\n[Other]\r\nkeep=1\r\n");  // untouched until replaced
    IniManag::ReplaceWithCopy(dir / "DARK.INI", copy);
    EXPECT_EQ(ReadBytes(file), "[Vexo]\r\nname=Night\r\nAuthor=Ann\r\n[Other]\r\nkeep=1\r\n");
    WIN32_FIND_DATAA found;
    FindClose(FindFirstFileA((dir / "*.ini").c_str(), &found));
    EXPECT_STREQ(found.cFileName, "Dark.ini");
    EXPECT_FALSE(PathExists(copy));

    // A file nothing may replace keeps its bytes, and no copy stays beside it.
    const std::string bytes = ReadBytes(file), denied = "The file \"" + file + "\" could not be written: ";
    auto refused = [&](const std::string& reason) {
        const std::string made = IniManag::WrittenCopy(file, "Vexo", {{"name", "Blue"}});
        try {
            IniManag::ReplaceWithCopy(file, made);
            ADD_FAILURE() << "replaced: " << reason;
        } catch (const AppError& e) {
            EXPECT_EQ(e.Description(), denied + reason);
        }
        EXPECT_FALSE(PathExists(made)) << reason;
        EXPECT_EQ(ReadBytes(file), bytes) << reason;
    };
    const HANDLE reader = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    refused("Sharing violation");  // readable, so copied, but held against writing
    CloseHandle(reader);
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    refused("Access denied");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    // Values the file keeps in UTF-8 behind its mark come back as they were written.
    WriteBytes(file, "\xEF\xBB\xBF[Vexo]\r\nname=Dark\r\n");
    IniManag::ReplaceWithCopy(file, IniManag::WrittenCopy(file, "Vexo", {{"Author", "Jos\xE9"}, {"menuBar", "\"b.bmp \""}}));
    IniManag back;
    back.Nome(file);
    back.Sezione("Vexo");
    EXPECT_EQ(back.Leggi("Author", ""), "Jos\xE9");
    EXPECT_EQ(back.Leggi("menuBar", ""), "b.bmp ");
    // The copy of a missing file is a new one.
    const std::string fresh = IniManag::WrittenCopy(dir / "New.ini", "Vexo", {{"name", "New"}});
    IniManag::ReplaceWithCopy(dir / "New.ini", fresh);
    EXPECT_EQ(ReadBytes(dir / "New.ini"), "[Vexo]\r\nname=New\r\n");
    // A missing folder gets no file, nor is made; the copy, made elsewhere, goes.
    const std::string lost = dir / "Missing\\Gone.ini", elsewhere = IniManag::WrittenCopy(lost, "Vexo", {{"name", "Gone"}});
    EXPECT_EQ(Raised([&] { IniManag::ReplaceWithCopy(lost, elsewhere); }).Description(),
              "The file \"" + lost + "\" could not be written: Path not found");
    EXPECT_FALSE(PathExists(dir / "Missing") || PathExists(elsewhere));
}

// A disk that fills up cuts the copy short where it will, at the end of a section too: the
// file keeps every byte and no copy stays.
TEST_F(IniManagTest, ACopyCutShortByAFullDiskNeverReplacesTheFile) {
    SmallDisk disk(dir / "Small");
    if (!disk.Failure().empty()) GTEST_SKIP() << disk.Failure();
    const std::string file = dir / "Small\\Blue.ini", bytes = "[Vexo]\r\nname=Blue\r\n[Other]\r\nkeep=1\r\n";
    WriteBytes(file, bytes);
    // [Vexo] of 4096 bytes, just what one block holds, then a line cut in two.
    for (size_t author : {4068u, 4080u}) {
        disk.Fill(4096);
        try {
            IniManag::ReplaceWithCopy(file, IniManag::WrittenCopy(file, "Vexo", {{"Author", std::string(author, 'A')}}));
            ADD_FAILURE() << "replaced with " << author;
        } catch (const AppError& e) {
            EXPECT_EQ(e.Description(), "The file \"" + file + "\" could not be written: Disk full") << author;
        }
        EXPECT_EQ(ReadBytes(file), bytes) << author;
        WIN32_FIND_DATAA found;
        const HANDLE find = FindFirstFileA((dir / "Small\\*.tmp").c_str(), &found);
        EXPECT_EQ(find, INVALID_HANDLE_VALUE) << found.cFileName;
        if (find != INVALID_HANDLE_VALUE) FindClose(find);
        disk.Free();
    }
}

// Whatever the disk says of a write, the file keeps its former bytes: here the copy has room and
// the file, written in place, needs one block more than the disk has.
TEST_F(IniManagTest, AFileTheDiskCantGrowKeepsItsBytesAndNoCopyStays) {
    SmallDisk disk(dir / "Small");
    if (!disk.Failure().empty()) GTEST_SKIP() << disk.Failure();
    const std::string file = dir / "Small\\Blue.ini", bytes = "[Vexo]\r\nname=Blue\r\n" + std::string(4000, ';') + "\r\n";
    WriteBytes(file, bytes);
    disk.Fill(8192);
    const std::string copy = IniManag::WrittenCopy(file, "Vexo", {{"Author", std::string(2000, 'A')}});
    const AppError e = Raised([&] { IniManag::ReplaceWithCopy(file, copy); });
    EXPECT_EQ(e.Description(), "The file \"" + file + "\" could not be written: Disk full");
    EXPECT_EQ(ReadBytes(file), bytes);
    EXPECT_FALSE(PathExists(copy));
    disk.Free();
}

void Save(const std::string& file, const std::string& author) {
    const std::string note = IniManag::ReplaceWithCopy(file, IniManag::WrittenCopy(file, "Vexo", {{"Author", author}}));
    EXPECT_EQ(note, "") << file;
}

// After a write the file is the one the user had: a symbolic link stays the link and its target
// is written, hard links stay one file, a folder that takes no new file still has its file written.
TEST_F(IniManagTest, WritesKeepTheFileTheUserHasWithItsLinks) {
    if (UnixPath(dir.Path()).empty()) GTEST_SKIP() << "links are made through Wine's Unix side";
    for (const char* folder : {"shared", "Skins", "other", "Closed"}) CreateDirectoryA((dir / folder).c_str(), nullptr);
    WriteBytes(dir / "shared\\Dark.ini", "[Vexo]\r\nname=Dark\r\n");
    const std::string skins = UnixPath(dir / "Skins");
    ASSERT_EQ(UnixSays("ln -s ../shared/Dark.ini " + Quoted(skins + "/Dark.ini") + " && echo made", dir / "Skins"), "made");
    Save(dir / "Skins\\Dark.ini", "Ann");
    EXPECT_EQ(UnixSays("test -L " + Quoted(skins + "/Dark.ini") + " && echo link", dir / "Skins"), "link");
    EXPECT_EQ(ReadBytes(dir / "shared\\Dark.ini"), "[Vexo]\r\nname=Dark\r\nAuthor=Ann\r\n");

    WriteBytes(dir / "Skins\\Blue.ini", "[Vexo]\r\nname=Blue\r\n");
    ASSERT_TRUE(CreateHardLinkA((dir / "other\\Blue.ini").c_str(), (dir / "Skins\\Blue.ini").c_str(), nullptr));
    Save(dir / "Skins\\Blue.ini", "Bob");
    EXPECT_EQ(ReadBytes(dir / "other\\Blue.ini"), "[Vexo]\r\nname=Blue\r\nAuthor=Bob\r\n");
    Save(dir / "other\\Blue.ini", "Cy");
    EXPECT_EQ(ReadBytes(dir / "Skins\\Blue.ini"), "[Vexo]\r\nname=Blue\r\nAuthor=Cy\r\n");

    // A file the user may write, in a folder where he may make no file (root may make one anyway).
    WriteBytes(dir / "Closed\\Red.ini", "[Vexo]\r\nname=Red\r\n");
    const std::string closed = UnixPath(dir / "Closed");
    ASSERT_EQ(UnixSays("chmod 666 " + Quoted(closed + "/Red.ini") + " && chmod 555 " + Quoted(closed) + " && echo shut",
                       dir.Path()), "shut");
    Save(dir / "Closed\\Red.ini", "Di");
    EXPECT_EQ(UnixSays("chmod 755 " + Quoted(closed) + " && ls " + Quoted(closed), dir.Path()), "Red.ini");
    EXPECT_EQ(ReadBytes(dir / "Closed\\Red.ini"), "[Vexo]\r\nname=Red\r\nAuthor=Di\r\n");
}

// Run by root the file is another user's, run by that user his own: either way it keeps owner and rights.
TEST_F(IniManagTest, AFileOfAnotherUserKeepsItsOwnerAndRights) {
    if (UnixPath(dir.Path()).empty()) GTEST_SKIP() << "owners are set through Wine's Unix side";
    const std::string file = dir / "Dark.ini", unix = Quoted(UnixPath(file));
    WriteBytes(file, "[Vexo]\r\nname=Dark\r\n");
    if (UnixSays("chown 65534:65534 " + unix + " && chmod 664 " + unix + " && echo given", dir.Path()) != "given")
        GTEST_SKIP() << "giving a file to another user needs root";
    Save(file, "Ann");
    EXPECT_EQ(UnixSays("stat -c '%u:%g %a' " + unix, dir.Path()), "65534:65534 664");
    EXPECT_EQ(ReadBytes(file), "[Vexo]\r\nname=Dark\r\nAuthor=Ann\r\n");
}

}  // namespace
