#include "IniManag.h"

#include <gtest/gtest.h>

#include <utility>

#include "AppError.h"
#include "AppInfo.h"
#include "TempDir.h"

namespace {

class IniManagTest : public ::testing::Test {
protected:
    void SetUp() override { SetProgramFolder(dir.Path()); }
    void TearDown() override { SetProgramFolder(""); }

    IniManag Bound(const std::string& name, const std::string& section = "S") {
        IniManag ini;
        ini.Nome(dir / name);
        ini.Sezione(section);
        return ini;
    }

    TempDir dir;
};

TEST_F(IniManagTest, NomeAppliesTheFileNameRuleAndCreatesOnlyMissingFilesHiddenOrNot) {
    IniManag ini;
    ini.Nome("VexoVadiVirerova.ini");
    EXPECT_EQ(ini.Nome(), dir / "VexoVadiVirerova.ini");
    ASSERT_TRUE(PathExists(ini.Nome()));
    EXPECT_EQ(ReadBytes(ini.Nome()), "");

    WriteBytes(ini.Nome(), "[Options]\r\nFirstRun=0\r\n");
    ini.Nome("VexoVadiVirerova.ini");
    EXPECT_EQ(ReadBytes(ini.Nome()), "[Options]\r\nFirstRun=0\r\n");

    ini.Nome("Settings");  // bare name: extension and program folder both added
    EXPECT_EQ(ini.Nome(), dir / "Settings.ini");
    EXPECT_TRUE(PathExists(dir / "Settings.ini"));

    CreateDirectoryA((dir / "my.skins").c_str(), nullptr);
    ini.Nome(dir / "my.skins\\Dark");  // a dot in a folder name does not count
    EXPECT_EQ(ini.Nome(), dir / "my.skins\\Dark.ini");
    EXPECT_TRUE(PathExists(dir / "my.skins\\Dark.ini"));

    ini.Nome(dir / "notes.txt");  // a name with a dot keeps it
    EXPECT_EQ(ini.Nome(), dir / "notes.txt");

    // An existing hidden file is used as it is.
    WriteBytes(dir / "hidden.ini", "[S]\r\nk=v\r\n");
    SetFileAttributesA((dir / "hidden.ini").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ini.Nome(dir / "hidden.ini");
    ini.Sezione("S");
    EXPECT_EQ(ini.Leggi("k", ""), "v");
    SetFileAttributesA((dir / "hidden.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(dir / "hidden.ini"), "[S]\r\nk=v\r\n");
}

TEST_F(IniManagTest, NomeOnAProgramFolderThatIsADriveRootDoesNotDoubleTheBackslash) {
    SetProgramFolder("Z:\\");
    EXPECT_EQ(JoinPath(ProgramFolder(), "x.ini"), "Z:\\x.ini");
    EXPECT_EQ(JoinPath(dir.Path(), "x.ini"), dir / "x.ini");
}

TEST_F(IniManagTest, NomeRaisesForAPathThatCannotBeCreatedAndKeepsOtherFiles) {
    IniManag ini;
    try {
        ini.Nome(dir / "missing\\folder\\skin.ini");
        FAIL() << "no error raised";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Number(), static_cast<int32_t>(ERROR_PATH_NOT_FOUND));
        EXPECT_FALSE(e.Description().empty());
    }
    EXPECT_FALSE(PathExists(dir / "missing"));

    CreateDirectoryA((dir / "folder.ini").c_str(), nullptr);  // a folder is not a file
    EXPECT_THROW(ini.Nome(dir / "folder.ini"), AppError);
}

TEST_F(IniManagTest, LeggiAndScriviReadDefaultsCutLongValuesAndShareTheFile) {
    IniManag ini = Bound("a.ini");
    EXPECT_NE(ini.Scrivi("key", "value"), 0);
    EXPECT_EQ(ini.Leggi("key", "dflt"), "value");
    EXPECT_EQ(ini.Leggi("KEY", "dflt"), "value");  // names are case-insensitive
    EXPECT_EQ(ini.Leggi("missing", "dflt"), "dflt");
    EXPECT_EQ(ini.Leggi("", "dflt"), "");  // the empty key never reads the default

    ini.Sezione("Other");
    EXPECT_EQ(ini.Leggi("key", "dflt"), "dflt");

    ini.Sezione("S");
    std::string longValue(300, 'x');
    longValue[0] = 'a';
    ini.Scrivi("long", longValue);
    EXPECT_EQ(ini.Leggi("long", ""), longValue.substr(0, 254));

    IniManag gone;
    gone.Nome(dir / "gone.ini");
    DeleteFileA((dir / "gone.ini").c_str());
    gone.Sezione("S");
    EXPECT_EQ(gone.Leggi("key", "fallback"), "fallback");

    // Scrivi replaces, and objects on one file share it.
    IniManag a = Bound("shared.ini", "Vexo");
    IniManag b = Bound("shared.ini", "Vexo");
    a.Scrivi("name", "Dark");
    EXPECT_EQ(b.Leggi("name", ""), "Dark");
    b.Scrivi("name", "Light");
    EXPECT_EQ(a.Leggi("name", ""), "Light");
    a.Scrivi("empty", "");
    EXPECT_EQ(a.Leggi("empty", "dflt"), "");
    EXPECT_EQ(ReadBytes(a.Nome()), "[Vexo]\r\nname=Light\r\nempty=\r\n");
}

TEST_F(IniManagTest, LeggiBoolReadsZeroFalsoAndEmptyAsFalse) {
    IniManag ini = Bound("b.ini");
    for (auto [text, value] : {std::pair{"0", false}, {"Falso", false}, {"1", true}, {"falso", true}, {"FALSO", true},
                               {"Vero", true}, {"-1", true}, {"00", true}}) {
        ini.Scrivi("k", text);
        EXPECT_EQ(ini.LeggiBool("k", ""), value) << text;
    }
    ini.Scrivi("blank", "");
    EXPECT_FALSE(ini.LeggiBool("blank", "1"));
    EXPECT_FALSE(ini.LeggiBool("missing", ""));
    EXPECT_TRUE(ini.LeggiBool("missing", "1"));
    EXPECT_FALSE(ini.LeggiBool("", "1"));
}

TEST_F(IniManagTest, LeggiCOLORREFConvertsNumbersAndRaisesTypeMismatch) {
    IniManag ini = Bound("c.ini");
    for (auto [text, color] : {std::pair{"16711680", 16711680}, {"-2147483643", -2147483643}, {"&HFF", 255},
                               {"&HFFFFFFFF", -1}}) {
        ini.Scrivi("k", text);
        EXPECT_EQ(ini.LeggiCOLORREF("k", "0"), color) << text;
    }
    EXPECT_EQ(ini.LeggiCOLORREF("missing", "42"), 42);
    EXPECT_EQ(ini.LeggiCOLORREF("", "42"), 0);
    for (const char* text : {"0xFF00FF", "red"}) {
        ini.Scrivi("k", text);
        try {
            const int32_t color = ini.LeggiCOLORREF("k", "0");
            ADD_FAILURE() << text << " converted to " << color;
        } catch (const AppError& e) {
            EXPECT_EQ(e.Number(), 13) << text;
        }
    }
    EXPECT_THROW(ini.LeggiCOLORREF("missing", ""), AppError);
}

TEST_F(IniManagTest, LeggiSezioneListsKeysInFileOrder) {
    IniManag ini = Bound("d.ini", "RecentsFiles");
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

    ini.LeggiSezione(dir / "nofile.ini", "RecentsFiles", keys, count);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(keys.empty());
}

TEST_F(IniManagTest, DeleteKeyAndCancellaSezioneWorkOnTheObjectsFile) {
    WriteBytes(dir / "e.ini", "[A]\r\nk1=1\r\nk2=2\r\n[B]\r\nk=3\r\n");
    IniManag ini;
    ini.Nome(dir / "e.ini");
    ini.Sezione("B");  // ignored by both deletions
    ini.DeleteKey("A", "k1");
    ini.CancellaSezione("Missing");
    EXPECT_EQ(ReadBytes(dir / "e.ini"), "[A]\r\nk2=2\r\n[B]\r\nk=3\r\n");

    ini.CancellaSezione("A");
    EXPECT_EQ(ReadBytes(dir / "e.ini"), "[B]\r\nk=3\r\n");
}

}  // namespace
