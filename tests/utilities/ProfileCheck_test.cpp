#include "ProfileCheck.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Keys = std::vector<std::pair<std::string, std::string>>;

TEST(ProfileCheck, TextIsReadAsTheProfileReaderSplitsIt) {
    const std::vector<ProfileSection> s = ParseProfileText(
        "lone=1\r\n[ Vexo ] trailing\r\n  name = Dark \r\n\r\n;note\r\nflag\r\nempty=\r\nq=\" b \"\r\n"
        "[bad\r\n[Vexo]\r\nname=Again\nlast=x");
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].name, "");  // keys before any header
    EXPECT_EQ(s[0].keys[0].name, "lone");
    EXPECT_EQ(s[1].name, "Vexo");
    ASSERT_EQ(s[1].keys.size(), 6u);
    EXPECT_EQ(s[1].keys[0].name, "name");
    EXPECT_EQ(s[1].keys[0].value, "Dark");
    EXPECT_EQ(s[1].keys[1].name, ";note");
    EXPECT_FALSE(s[1].keys[2].hasValue);
    EXPECT_TRUE(s[1].keys[3].hasValue);
    EXPECT_EQ(s[1].keys[3].value, "");
    EXPECT_EQ(s[1].keys[4].value, "\" b \"");
    EXPECT_EQ(s[1].keys[5].name, "[bad");  // no closing bracket: a key line
    EXPECT_EQ(s[2].keys[1].value, "x");    // a last line without a line end

    // Marked files are read in the code page: "é" from UTF-8 and from UTF-16 either way round.
    EXPECT_EQ(ProfileTextOf("\xEF\xBB\xBFk=Jos\xC3\xA9"), "k=Jos\xE9");
    EXPECT_EQ(ProfileTextOf(std::string("\xFF\xFEk\0=\0\xE9\0", 8)), "k=\xE9");
    EXPECT_EQ(ProfileTextOf(std::string("\xFE\xFF\0k\0=\0\xE9", 8)), "k=\xE9");
    EXPECT_EQ(ProfileTextOf("k=\xE9"), "k=\xE9");
}

TEST(ProfileCheck, ADifferenceIsFoundWhereverTheDiskCutTheFile) {
    const std::string original = "[Vexo]\r\nname=Blue\r\nAuthor=" + std::string(9000, 'A') +
                                 "\r\nweb=w\r\n[Other]\r\nkeep=1\r\n[Other]\r\nkeep=2\r\n";
    const Keys keys = {{"NAME", "Night"}, {"directory", "Skins\\Night"}};
    std::string whole = original;
    whole.replace(whole.find("Blue"), 4, "Night");
    whole.insert(whole.find("[Other]"), "directory=Skins\\Night\r\n");
    EXPECT_EQ(ProfileDifference(ParseProfileText(original), whole, "vexo", keys), "");
    // Spelt otherwise, kept as written or as the reader takes it, blanks around a line: all one.
    std::string spelt = whole;
    spelt.replace(spelt.find("name=Night"), 10, "Name = \"Night\"");
    EXPECT_EQ(ProfileDifference(ParseProfileText(original), spelt, "Vexo", keys), "");

    // Each cut: in a key of the written section that was not written, among the later keys
    // (over 8,191 characters, the value is compared whole), in the written keys, in a repeated section.
    const std::string cutAuthor = whole.substr(0, whole.find("AAAA") + 8191) + "\r\n[Other]\r\nkeep=1\r\n[Other]\r\nkeep=2\r\n";
    EXPECT_EQ(ProfileDifference(ParseProfileText(original), cutAuthor, "Vexo", keys), "the keys of the section [Vexo] differ");
    std::string noWeb = whole;
    noWeb.erase(noWeb.find("web=w\r\n"), 7);
    EXPECT_EQ(ProfileDifference(ParseProfileText(original), noWeb, "Vexo", keys), "the keys of the section [Vexo] differ");
    std::string shortName = whole;
    shortName.replace(shortName.find("Night"), 5, "Nig");
    EXPECT_EQ(ProfileDifference(ParseProfileText(original), shortName, "Vexo", keys), "the key \"NAME\" has another value");
    EXPECT_EQ(ProfileDifference(ParseProfileText(original), whole.substr(0, whole.find("directory")), "Vexo", keys),
              "the section [Other] is missing");
    EXPECT_EQ(ProfileDifference(ParseProfileText(original), whole.substr(0, whole.rfind("[Other]")), "Vexo", keys),
              "the section [Other] is missing");
    EXPECT_EQ(ProfileDifference(ParseProfileText(original), whole.substr(0, whole.size() - 3), "Vexo", keys),
              "the keys of the section [Other] differ");
    // A new file: only the written keys count.
    EXPECT_EQ(ProfileDifference(ParseProfileText(""), "[Vexo]\r\nname=Night\r\ndirectory=Skins\\Night\r\n", "Vexo", keys), "");
    EXPECT_EQ(ProfileDifference(ParseProfileText(""), "[Vexo]\r\nname=Night\r\n", "Vexo", keys), "the key \"directory\" is missing");
    EXPECT_EQ(ProfileDifference(ParseProfileText(""), "", "Vexo", keys), "the section [Vexo] is missing");
}

TEST(ProfileCheck, OnlyKeysThatChangeTheFileAreWritten) {
    const std::string text = "[Other]\r\nname=Dark\r\n[VEXO]\r\nName = Dark\r\nAuthor=\r\nflag\r\nq=\"b \"\r\n"
                             "Author=Ann\r\n[Vexo]\r\nweb=w\r\n";
    const Keys keys = {{"name", "Dark"},  {"author", ""},    {"flag", ""},     {"q", "\"b \""},
                       {"web", "w"},      {"name ", "Dark"}, {"new", "x"},     {"Author", "Ann"}};
    // Left out: name and Author (the first one, empty), q with its quotes as they stand. Written: a key
    // without "=", a key only a later section of the name holds, a value with blanks around it, a
    // key the file lacks, and a value only a later repeat of the key holds.
    const Keys expected = {{"flag", ""}, {"web", "w"}, {"name ", "Dark"}, {"new", "x"}, {"Author", "Ann"}};
    EXPECT_EQ(KeysToWrite(ParseProfileText(text), "vexo", keys), expected);
    EXPECT_EQ(KeysToWrite(ParseProfileText(text), "Vexo", {{"name", " Dark"}}), (Keys{{"name", " Dark"}}));
    EXPECT_EQ(KeysToWrite(ParseProfileText(""), "Vexo", {{"name", "Dark"}}), (Keys{{"name", "Dark"}}));
}

// A file whose input and output are played by the test: each step answers as told, in turn.
struct PlayedFile {
    std::string bytes = "old";
    std::vector<bool> writes, reads;
    bool replaces = false;
    std::string readAs;  // what a read gives when not empty
    std::vector<std::string> written;
    InPlaceSteps Steps() {
        return {[this](const std::string& b) {
                    written.push_back(b);
                    const bool ok = Next(writes);
                    bytes = ok ? b : b.substr(0, b.size() / 2);
                    return ok;
                },
                [this](std::string& b) {
                    b = readAs.empty() ? bytes : readAs;
                    return Next(reads);
                },
                [this] { return replaces; }};
    }
    static bool Next(std::vector<bool>& answers) {
        if (answers.empty()) return true;
        const bool a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
};

TEST(ProfileCheck, InPlaceWritesPutTheFormerBytesBackBeforeGivingTheFileUp) {
    PlayedFile fine;
    EXPECT_EQ(WriteInPlace("old", "new", fine.Steps()), InPlaceOutcome::Written);
    EXPECT_EQ(fine.bytes, "new");

    PlayedFile cut;  // the disk fills half-way: the old bytes go back
    cut.writes = {false, true};
    EXPECT_EQ(WriteInPlace("old", "newer", cut.Steps()), InPlaceOutcome::PutBack);
    EXPECT_EQ(cut.written, (std::vector<std::string>{"newer", "old"}));
    EXPECT_EQ(cut.bytes, "old");

    PlayedFile unreadable;  // written, but what it holds can't be read back
    unreadable.reads = {false, true};
    EXPECT_EQ(WriteInPlace("old", "new", unreadable.Steps()), InPlaceOutcome::PutBack);

    PlayedFile liar;  // the system says yes, the file holds something else
    liar.readAs = "ne";
    liar.replaces = true;
    EXPECT_EQ(WriteInPlace("old", "new", liar.Steps()), InPlaceOutcome::Replaced);

    PlayedFile lost;
    lost.writes = {false, false};
    EXPECT_EQ(WriteInPlace("old", "new", lost.Steps()), InPlaceOutcome::Damaged);
    lost.writes = {false, false};
    lost.replaces = true;
    EXPECT_EQ(WriteInPlace("old", "new", lost.Steps()), InPlaceOutcome::Replaced);
}

}  // namespace
