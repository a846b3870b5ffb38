#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "AppError.h"
#include "FolderDriver.h"
#include "PromptScript.h"
#include "TempDir.h"
#include "Twips.h"
#include "cCaptureBF.h"
#include "frmCapture.h"
#include "modDesign.h"

namespace {

using Names = std::vector<std::string>;

std::string Upper(std::string s) { CharUpperBuffA(s.data(), static_cast<DWORD>(s.size())); return s; }

// Names in a folder, sorted.
Names Entries(const std::string& folder) {
    Names names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

const char kCreateError[] = "Si \xE8 verificato l'errore: ";

// What the callback asks of the dialog window: OK greyed, status texts.
struct Recorder {
    int greyed = 0;
    Names status;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
        auto* self = reinterpret_cast<Recorder*>(data);
        if (msg == BFFM_ENABLEOK && lParam == 0) ++self->greyed;
        if (msg == BFFM_SETSTATUSTEXTA) self->status.push_back(reinterpret_cast<const char*>(lParam));
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
};

class FolderBrowserTest : public ::testing::Test {
protected:
    void SetUp() override { owner.Show(); }
    void TearDown() override { owner.Unload(); }

    // Creates dir\relative with the folders above it.
    std::string Folder(const std::string& relative) {
        const std::string path = dir / relative;
        SHCreateDirectoryExA(nullptr, path.c_str(), nullptr);
        return path;
    }

    // Set up as the designer's callers do, then show.
    void ShowCaptured(const std::string& start) { ShowCaptured(start, capture, form); }
    void ShowCaptured(const std::string& start, cCaptureBF& c, frmCapture& f) {
        c.Browse().hwndOwner(owner.Hwnd());
        c.Browse().InitialDir(start);
        c.Browse().FileSystemOnly(true);
        c.Browse().Title("");
        f.SetCaption("Where are the skins?");
        c.Show(f);
    }

    std::function<bool()> Selected(const std::string& path, const frmCapture* f = nullptr) {
        return [this, f, path] { return SamePath((f ? f : &form)->SelectedFolder(), path); };
    }

    TempDir dir;
    PromptScript prompts;
    Form owner{"frmOwner"};  // stands in for the designer window, which the shell disables
    cCaptureBF capture;
    frmCapture form;
};

}  // namespace

TEST_F(FolderBrowserTest, WithoutAShownDialogOperationsRaiseAndAMalformedStartShowsNothing) {
    cBrowseForFolder browse;
    const std::string tooLong = dir.Path() + "\\" + std::string(300, 'x');
    const std::function<void()> calls[] = {[&] { browse.SetFolder(dir.Path()); }, [&] { browse.SetStatus("status"); },
                                           [&] { browse.fhWnd(); }, [&] { capture.Reload(dir.Path()); },
                                           [&] { ShowCaptured(tooLong); }};
    for (const auto& call : calls) {
        const bool malformed = &call == &calls[4];
        const AppError e = Raised(call);
        EXPECT_EQ(static_cast<uint32_t>(e.Number()), malformed ? 0x80047148u + ERROR_FILENAME_EXCED_RANGE : 26002u);
        // The system's text as it gives it, line end and all, in Wine's or Windows' wording.
        if (malformed && e.Description() != "File name is too long.\r\n")
            EXPECT_EQ(e.Description(), "The filename or extension is too long.\r\n");
        else
            EXPECT_EQ(e.Description(), malformed ? "File name is too long.\r\n" : "Operation invalid unless dialog is displayed.");
        EXPECT_EQ(e.Source(), "dialogs_tests.cBrowseForFolder");  // the class's source name after the program's
    }
    // Unload without a dialog passes over the error; the malformed start showed nothing.
    EXPECT_NO_THROW(capture.Unload());
    EXPECT_TRUE(!form.IsLoaded() && form.Cancelled());
    EXPECT_EQ(capture.Browse().InitialDir(), tooLong);
    EXPECT_EQ(FolderDriver::FindFolderDialog(), nullptr);

    // The new look never carries the edit box flag with it.
    browse.UseNewUI(true);
    browse.FileSystemOnly(true);
    EXPECT_EQ(browse.Flags(), 0x49u);
    EXPECT_EQ(browse.SpecialFolderLocation(CSIDL_PROGRAM_FILES), "C:\\Program Files");
    EXPECT_EQ(browse.SpecialFolderLocation(CSIDL_PRINTERS), "");

    // A new folder goes into the selected folder, hidden or not, or beside a selected file.
    const std::string folder = Folder("Skins\\Blue");
    WriteBytes(folder + "\\notes.txt", "x");
    ASSERT_TRUE(SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(frmCapture::NewFolderBase(folder), Upper(folder));
    EXPECT_EQ(frmCapture::NewFolderBase(folder + "\\notes.txt"), Upper(folder));
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// OK without changing the selection gives the starting folder; Cancel, the close box and
// the dialog ending leave the last path reported, cancelled. Every way out unloads.
TEST_F(FolderBrowserTest, EveryWayOutUnloadsOkGivesTheSelectionAndFocusGoesToTheCapture) {
    const std::string start = Folder("skins");
    const std::string other = Folder("b");
    SetCurrentDirectoryA(dir.Path().c_str());
    enum Way { OkButton, CancelButton, CloseBox, DialogEnds };
    for (Way way : {OkButton, CancelButton, CloseBox, DialogEnds}) {
        SCOPED_TRACE(way);
        cCaptureBF c;
        frmCapture f;
        gAudioCheckArmed = true;
        FolderDriver driver;
        driver.WaitFor("start selected", Selected(start, &f)).Do("look at the capture", [&](HWND dialog) {
            const HWND box = f.picCapture.Hwnd();
            EXPECT_EQ(GetParent(dialog), box);
            EXPECT_EQ(GetWindowLongA(dialog, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_CHILD), WS_CHILD);
            EXPECT_NE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, 0) << "the tab key moves into the dialog";
            RECT client, tree;
            GetClientRect(box, &client);
            GetWindowRect(FindWindowExA(dialog, nullptr, "SysTreeView32", ""), &tree);
            MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&tree), 2);
            EXPECT_TRUE(EqualRect(&client, &tree)) << tree.left << "," << tree.top << "," << tree.right << "," << tree.bottom;
            EXPECT_EQ(client.right, TwipsToPixelsX(4950));
            EXPECT_EQ(reinterpret_cast<HWND>(GetWindowLongPtrA(f.Hwnd(), GWLP_HWNDPARENT)), owner.Hwnd());
            EXPECT_NE(GetWindowLongA(f.Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
            EXPECT_TRUE(IsWindowEnabled(f.Hwnd()));
            EXPECT_TRUE(SamePath(f.lblFolder.Caption(), start));
            EXPECT_EQ(f.Caption(), "Where are the skins?");
        });
        if (way == OkButton) {
            // The form taking the focus from OK hands it on to picCapture.
            driver.Do("focus the form", [&](HWND) {
                      SetFocus(f.cmdOK.Hwnd());
                      SetFocus(f.Hwnd());
                  })
                .WaitFor("picCapture takes the focus", [&] { return GetFocus() == f.picCapture.Hwnd(); })
                .Press("OK");
        } else {
            // Cancel still takes the click when OK had the focus.
            driver.SelectPath(other).WaitFor("b selected", Selected(other, &f)).Do("focus OK", [&](HWND) {
                SetFocus(f.cmdOK.Hwnd());
            });
        }
        if (way == CancelButton) driver.Press("Cancel");
        if (way == CloseBox) driver.Do("close box", [&](HWND) { PostMessageA(f.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); });
        // Escape inside the shell dialog ends it first: the host unloads as for Cancel.
        if (way == DialogEnds) driver.Do("escape", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
        ShowCaptured("skins", c, f);  // relative: stored back as the full path
        ASSERT_TRUE(driver.Done()) << driver.Failure();
        EXPECT_EQ(f.Cancelled(), way != OkButton);
        EXPECT_TRUE(SamePath(f.SelectedFolder(), way == OkButton ? start : other)) << f.SelectedFolder();
        EXPECT_TRUE(SamePath(c.Browse().InitialDir(), start));
        EXPECT_FALSE(f.IsLoaded());
        EXPECT_FALSE(gAudioCheckArmed) << "unloading clears the audio check";
        EXPECT_TRUE(IsWindowEnabled(owner.Hwnd()));
        EXPECT_EQ(FolderDriver::FindFolderDialog(), nullptr);
    }
    EXPECT_TRUE(prompts.asked.empty());
}

// While the dialog shows, the program's other windows wait and the captured one takes input;
// afterwards those that took input take it again.
TEST_F(FolderBrowserTest, OtherWindowsWaitForTheCapturedDialog) {
    Form other("frmOther"), off("frmOff");
    other.Show(), off.Show();
    EnableWindow(off.Hwnd(), FALSE);
    std::string whileShown;
    FolderDriver driver;
    driver.WaitFor("start selected", Selected(dir.Path()))
        .Do("look", [&](HWND) {
            for (HWND w : {owner.Hwnd(), other.Hwnd(), off.Hwnd(), form.Hwnd()}) whileShown += IsWindowEnabled(w) ? "1" : "0";
        })
        .Press("Cancel");
    ShowCaptured(dir.Path());
    ASSERT_TRUE(driver.Done()) << driver.Failure();
    EXPECT_EQ(whileShown, "0001");
    EXPECT_TRUE(IsWindowEnabled(owner.Hwnd()) && IsWindowEnabled(other.Hwnd()));
    EXPECT_FALSE(IsWindowEnabled(off.Hwnd()));
}

TEST_F(FolderBrowserTest, NewFolderRefusesBadNamesSelectsAnExistingOneAndCreatesThroughReload) {
    const std::string base = Folder("skins");
    const std::string blue = Folder("skins\\Blue");
    const std::string fresh = blue + "\\Fresh Skin";
    WriteBytes(base + "\\taken", "a file, not a folder");
    const Names refused = {"a*b", "x:y", "sub\\deep", "..", "taken"};
    HWND firstDialog = nullptr;
    FolderDriver driver;
    auto pressNew = [&](const std::string& answer) -> FolderDriver& {
        return driver.Press("&New...", [&, answer] { prompts.AnswerInput(answer); });
    };
    driver.WaitFor("start selected", Selected(base)).Do("remember", [&](HWND d) { firstDialog = d; });
    for (const std::string& name : refused) pressNew(name);
    // An empty answer, as the input box's Cancel gives, does nothing at all.
    pressNew("").Do("still the same dialog", [&](HWND d) {
        EXPECT_EQ(d, firstDialog);
        EXPECT_TRUE(SamePath(form.SelectedFolder(), base));
    });
    pressNew("BLUE").WaitFor("existing folder selected", Selected(blue));
    pressNew("Fresh Skin")
        .WaitFor("new folder selected", Selected(fresh))
        .Do("look at the reload", [&](HWND dialog) {
            EXPECT_NE(dialog, firstDialog);
            EXPECT_FALSE(IsWindow(firstDialog)) << "the first dialog is destroyed";
            EXPECT_EQ(GetParent(dialog), form.picCapture.Hwnd()) << "captured into the same window";
            EXPECT_TRUE(form.IsVisible());
            // The reloaded dialog keeps no window of the browser from the user's input.
            for (HWND w : {form.Hwnd(), dialog, FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr),
                           form.cmdOK.Hwnd(), form.cmdNewFolder.Hwnd()})
                EXPECT_TRUE(w && IsWindowEnabled(w)) << w;
        })
        .Press("OK");
    ShowCaptured(base);
    ASSERT_TRUE(driver.Done()) << driver.Failure();

    ASSERT_EQ(prompts.asked.size(), refused.size() + 1);
    for (size_t i = 0; i < prompts.asked.size(); ++i) {
        const auto& a = prompts.asked[i];
        if (i == refused.size()) EXPECT_EQ(a.text, "La cartella indicata \xE8 gi\xE0 presente.");
        else EXPECT_TRUE(a.text.rfind(kCreateError, 0) == 0 && a.text.size() > sizeof kCreateError + 5) << refused[i] << ": " << a.text;
        EXPECT_EQ(a.style, i == refused.size() ? 0u : static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_EQ(a.title, "Vexo VadiVirerova");
    }
    const std::string ask = "Indicare il nome della cartella da creare sotto:\r\n\r\n";
    ASSERT_EQ(prompts.inputPrompts.size(), refused.size() + 3);
    EXPECT_EQ(prompts.inputPrompts.front(), ask + Upper(base));
    EXPECT_EQ(prompts.inputPrompts.back(), ask + Upper(blue));
    EXPECT_EQ(Entries(dir.Path()), Names{"skins"});
    EXPECT_EQ(Entries(base), (Names{"Blue", "taken"}));
    EXPECT_EQ(Entries(blue), Names{"Fresh Skin"});
    EXPECT_FALSE(form.Cancelled());
    EXPECT_TRUE(SamePath(form.SelectedFolder(), fresh)) << form.SelectedFolder();
    EXPECT_TRUE(IsWindowEnabled(owner.Hwnd()));
}

TEST_F(FolderBrowserTest, NewFolderRefusesDeviceNamesSayingSoAndLeavesTheDialogAsItWas) {
    const std::string base = Folder("skins");
    const std::pair<const char*, const char*> devices[] = {{"NUL", "NUL"}, {"con", "CON"}, {"aux.txt", "AUX"}, {"COM1", "COM1"},
                                                           {"lpt9 .bmp", "LPT9"}};
    HWND firstDialog = nullptr;
    FolderDriver driver;
    driver.WaitFor("start selected", Selected(base)).Do("remember", [&](HWND d) { firstDialog = d; });
    for (auto [name, device] : devices)
        driver.Press("&New...", [this, name] { prompts.AnswerInput(name); }).Do("the same dialog", [&](HWND d) {
            EXPECT_EQ(d, firstDialog);
            EXPECT_TRUE(SamePath(form.SelectedFolder(), base)) << form.SelectedFolder();
            EXPECT_TRUE(IsWindowVisible(d));
        });
    driver.Press("OK");
    ShowCaptured(base);
    ASSERT_TRUE(driver.Done()) << driver.Failure();

    ASSERT_EQ(prompts.asked.size(), std::size(devices));
    for (size_t i = 0; i < std::size(devices); ++i) {
        EXPECT_EQ(prompts.asked[i].text, std::string(kCreateError) + "the name \"" + devices[i].first +
                                             "\" is reserved for the device " + devices[i].second + " and can't name a folder");
        EXPECT_EQ(prompts.asked[i].style, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(Entries(dir.Path()), Names{"skins"});
    EXPECT_EQ(Entries(base), Names{});
    EXPECT_TRUE(SamePath(form.SelectedFolder(), base));
}

// The ANSI path of a folder the code page can't hold names a lookalike, another folder: it is shown
// with "?" for what can't be shown, and OK and "&New..." refuse it, leaving the dialog as it was.
TEST_F(FolderBrowserTest, AFolderTheCodePageCantHoldIsShownButRefusedAndTheDialogStays) {
    const std::string base = Folder("skins"), omega = Folder("skins\\Omega");
    const std::wstring wide = Widen(base) + L"\\";
    MakeFolder(wide + L"\u03A9mega");
    MakeFolder(wide + L"\u03A9nly");
    const std::string shown = base + "\\?mega";
    HWND firstDialog = nullptr;
    FolderDriver driver;
    driver.WaitFor("start selected", Selected(base))
        .Do("remember; by names, no lookalike is found",
            [&](HWND d) {
                firstDialog = d;
                EXPECT_FALSE(SelectFolderByNames(d, base + "\\Only"));
            })
        .SelectPath(wide + L"\u03A9mega")
        .WaitFor("shown with ?", [&] { return form.SelectedFolder() == shown; })
        .Do("shown", [&](HWND) { EXPECT_EQ(form.lblFolder.Caption(), shown); })
        .Press("&New...")
        .WaitFor("New... refused", [&] { return prompts.asked.size() == 1; })
        .Press("OK")
        .WaitFor("OK refused", [&] { return prompts.asked.size() == 2; })
        .Do("the same dialog", [&](HWND d) {
            EXPECT_EQ(d, firstDialog);
            EXPECT_TRUE(form.IsVisible() && form.Cancelled());
            EXPECT_EQ(form.SelectedFolder(), shown);
        })
        .SelectPath(omega)
        .WaitFor("Omega selected", Selected(omega))
        .Press("OK");
    ShowCaptured(base);
    ASSERT_TRUE(driver.Done()) << driver.Failure();
    ASSERT_EQ(prompts.asked.size(), 2u);
    for (const auto& a : prompts.asked) {
        EXPECT_EQ(a.text, "The folder " + shown + " can't be used: its name holds characters that the system's code page "
                          "can't show.\r\nPlease, choose another folder.");
        EXPECT_EQ(a.style, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
    EXPECT_TRUE(prompts.inputPrompts.empty()) << "no folder was to be made";
    EXPECT_FALSE(form.Cancelled());
    EXPECT_TRUE(SamePath(form.SelectedFolder(), omega)) << form.SelectedFolder();
}

// A virtual folder is no choice of a path: OK and "&New..." wait for a folder with one.
// Only on the first run, every selection of exactly Vexo\skins says it is found.
TEST_F(FolderBrowserTest, MissingStartAndVirtualFoldersGiveNoPathAndNoOkAndFirstRunFindsVexoSkins) {
    const std::string missing = dir / "not there";
    const std::string lower = Folder("one\\Vexo\\skins");
    const std::string upper = Folder("two\\Vexo\\Skins");
    auto enabled = [&] { return IsWindowEnabled(form.cmdOK.Hwnd()) && IsWindowEnabled(form.cmdNewFolder.Hwnd()); };
    FolderDriver driver;
    driver.WaitFor("loaded", [&] { return form.IsVisible(); })
        .Do("select My Computer",
            [](HWND dialog) {
                LPITEMIDLIST raw = nullptr;
                ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &raw), S_OK);
                Pidl pidl(raw);
                SendMessageA(dialog, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(pidl.Get()));
            })
        .WaitFor("no path", [&] { return form.SelectedFolder().empty(); })
        .Do("nothing to confirm", [&](HWND) {
            EXPECT_FALSE(enabled());
            EXPECT_EQ(form.lblFolder.Caption(), "");
            form.cmdNewFolder_Click();
            EXPECT_TRUE(prompts.inputPrompts.empty()) << "no folder to create into";
        });
    for (auto [path, found] : {std::pair{lower, 0u}, {upper, 0u}, {lower, 1u}, {upper, 1u}, {lower, 2u}}) {
        driver.SelectPath(path).WaitFor(path + " selected", Selected(path)).Do("told", [&, found = found](HWND) {
            EXPECT_EQ(prompts.asked.size(), found);
            EXPECT_TRUE(enabled());
            gFirstRun = true;  // a later run until here
        });
    }
    driver.Press("OK");
    ShowCaptured(missing);
    ASSERT_TRUE(driver.Done()) << driver.Failure();
    for (const auto& a : prompts.asked)
        EXPECT_EQ(a.text + " " + std::to_string(a.style), "Vexo\\skins folder is found!\r\nClick OK to confirm. 64");
    EXPECT_FALSE(form.Cancelled());
    EXPECT_TRUE(SamePath(form.SelectedFolder(), lower));
    EXPECT_EQ(Entries(dir.Path()), (Names{"one", "two"})) << "nothing created";
}

// The callback, called as the shell calls it: the program itself never shows files,
// so the audio check only comes this way.
TEST_F(FolderBrowserTest, CallbackReportsSelectionsChecksAudioFilesAndNeverThrows) {
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    Recorder seen;
    SetWindowSubclass(window, Recorder::Proc, 1, reinterpret_cast<DWORD_PTR>(&seen));
    std::unique_ptr<HWND__, decltype(&DestroyWindow)> destroy(window, &DestroyWindow);
    cBrowseForFolder browse;
    const LPARAM self = reinterpret_cast<LPARAM>(&browse);
    browse.SelectionChanged = [](const std::string& path, bool& allowOk) { allowOk = path.find("notes") == std::string::npos; };
    const std::string music = Folder("music");
    for (auto [name, told] : {std::pair{"first.txt", 0u}, {"song.wav", 0u}, {"tune.Mp3", 0u}, {"notes.txt", 1u}}) {
        WriteBytes(music + "\\" + name, "x");
        LPITEMIDLIST pidl = ILCreateFromPathA((music + "\\" + name).c_str());
        EXPECT_EQ(BrowseCallbackProc(window, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(pidl), self), 0);
        ILFree(pidl);
        EXPECT_EQ(prompts.asked.size(), told) << name;  // the first file after arming passes unchecked
    }
    EXPECT_EQ(seen.status.back(), music + "\\notes.txt");
    EXPECT_EQ(seen.greyed, 1);  // the handler, told each path, greyed OK for notes.txt only
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text, "Occorre selezionare un file audio con estensione MP3, MID o WAV.\r\nRiprova...");
    EXPECT_EQ(prompts.asked[0].style, static_cast<UINT>(MB_ICONINFORMATION));
    // The floppy roots, folders and missing paths are never checked.
    for (const char* path : {"A:\\", "B:\\", "", "Q:\\nowhere\\x.txt"}) AudioFileCheck(path);
    AudioFileCheck(music);
    EXPECT_EQ(prompts.asked.size(), 1u);

    // A selection without a path shows an empty status; a handler's error is reported, never thrown.
    browse.SelectionChanged = [](const std::string&, bool&) { throw AppError(5, "boom"); };
    EXPECT_EQ(BrowseCallbackProc(window, BFFM_SELCHANGED, 0, self), 0);
    EXPECT_EQ(seen.status.back(), "");
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_NE(prompts.asked[1].text.find("(boom) in procedure BrowseCallbackProc"), std::string::npos);

    // A typed path the shell refuses greys OK and is told; the handler, told the same text, keeps the dialog open.
    const std::string refused = "Questo percorso non \xE8 valido: ";
    browse.ValidateFailed = [&](const std::string& text, bool& keepOpen) { keepOpen = text == refused + "Q:\\x"; };
    for (auto [typed, kept] : {std::pair{"Q:\\x", 1}, {"y", 0}})
        EXPECT_EQ(BrowseCallbackProc(window, BFFM_VALIDATEFAILEDA, reinterpret_cast<LPARAM>(typed), self), kept) << typed;
    EXPECT_EQ(seen.status.back(), refused + "y");
    EXPECT_EQ(seen.greyed, 3);
}
