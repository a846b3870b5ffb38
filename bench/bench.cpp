// Times the operations worth watching: median of many runs, one table row each.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "AppInfo.h"
#include "IniManag.h"
#include "Prompts.h"
#include "frmDesigner.h"
#include "frmPreInput.h"
#include "frmPreview.h"
#include "modDesign.h"

namespace {

// The 73 keys of a skin file, in the order a save writes them.
const char* const kSkinKeys[] = {
    "name", "version", "directory", "Author", "E-Mail", "Web Site",
    "background", "foreground", "controlback", "progressfore", "menuBar", "menufore", "menuback",
    "comboback", "combofore", "numbers", "numbersalpha", "btn_alpha", "btn_previous", "btn_play",
    "btn_fast", "btn_next", "btn_jump", "btn_dvdroot", "btn_ifo", "btn_ompeg", "btn_inset",
    "btn_outset", "btn_file", "btn_encode", "btn_stop",
    "Button_LightColor", "Button_DarkColor", "Button_TextLightColor", "Button_TextDarkColor",
    "ComboBox_LightColor", "ComboBox_DarkColor", "ComboBox_TextLightColor", "ComboBox_TextDarkColor",
    "Edit_LightColor", "Edit_DarkColor", "Edit_TextLightColor", "Edit_TextDarkColor",
    "GroupBox_LightColor", "GroupBox_DarkColor", "GroupBox_TextLightColor", "GroupBox_TextDarkColor",
    "Static_LightColor", "Static_DarkColor", "Static_TextLightColor", "Static_TextDarkColor",
    "TimerCtrl_LightColor", "TimerCtrl_DarkColor", "TimerCtrl_TextLightColor", "TimerCtrl_TextDarkColor",
    "SliderCtrl_LightColor", "SliderCtrl_DarkColor", "SliderCtrl_TextLightColor", "SliderCtrl_TextDarkColor",
    "CheckBox_TextLightColor", "CheckBox_TextDarkColor", "ProgressCtrl_LightColor", "ProgressCtrl_DarkColor",
    "MenuBar_LightColor", "MenuBar_DarkColor", "MenuBar_BarLightColor", "MenuBar_BarDarkColor",
    "MenuBar_TextLightColor", "MenuBar_TextDarkColor",
    "MenuBar_font_name", "MenuBar_font_width", "MenuBar_font_height", "MenuBar_font_weight"};
static_assert(sizeof kSkinKeys / sizeof kSkinKeys[0] == 73);

std::string TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string folder = std::string(base) + "vexo_bench_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The sample skin's files copied into a folder, so nothing of the source tree is touched.
void CopyFolderFiles(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileA((from + "\\" + data.cFileName).c_str(), (to + "\\" + data.cFileName).c_str(), FALSE);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

void RemoveFolderFiles(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((folder + "\\" + data.cFileName).c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

// The sample skins folder as Wine sees the source tree.
std::string SampleSkinsFolder() {
    std::string path = VEXO_SAMPLE_DIR;
    if (!path.empty() && path[0] == '/') {
        for (char& c : path)
            if (c == '/') c = '\\';
        path = "Z:" + path;
    }
    return path;
}

double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return Median(times);
}

void Row(const char* what, int runs, double ms) {
    std::printf("%-84s %6d %12.3f\n", what, runs, ms);
}

void RatioRow(const char* what, double ratio) { std::printf("%-84s %6s %12.2f\n", what, "", ratio); }

// An 8-bit bitmap file's headers and grey palette, its pixel data following at once.
std::string Bmp8Header(int32_t width, int32_t height, uint32_t compression, uint32_t sizeImage) {
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 256 * 4};
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 8, compression, sizeImage, 0, 0, 256, 0};
    std::string b(reinterpret_cast<const char*>(&file), sizeof file);
    b.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int i = 0; i < 256; ++i) b += std::string{char(i), char(i), char(i), 0};
    return b;
}

// Writes the bytes, then makes the file `size` bytes long; what is added reads as zeros.
void WriteFileOfSize(const std::string& path, const std::string& bytes, uint64_t size) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    SetFilePointerEx(h, end, nullptr, FILE_BEGIN);
    SetEndOfFile(h);
    CloseHandle(h);
}

}  // namespace

// The sample skin copied into the skins folder and opened in a designer window.
void OpenSampleSkin(const std::string& skins) {
    CreateDirectoryA(skins.c_str(), nullptr);
    CopyFolderFiles(SampleSkinsFolder(), skins);
    CopyFolderFiles(SampleSkinsFolder() + "\\Sample", skins + "\\Sample");
    gFrmDesigner = std::make_unique<frmDesigner>();
    gFrmDesigner->Show();
    gSkinsFolder = skins;
    gFrmDesigner->m_Loading = true;
    gFrmDesigner->OpenFile(skins + "\\Sample.ini");
    gFrmDesigner->m_Loading = false;
}

void CloseSampleSkin(const std::string& skins) {
    gFrmDesigner->Unload();
    gFrmDesigner.reset();
    RemoveFolderFiles(skins + "\\Sample");
    DeleteFileA((skins + "\\Sample.ini").c_str());
    RemoveDirectoryA(skins.c_str());
}


// Save through the designer against the profile writes of the same keys and values into the same
// file, and nothing else, in turns so that a busy machine weighs on both alike.
void SaveAgainstRawWrites(const std::string& what, const std::string& skinFile, int runs, bool everyKey) {
    frmDesigner& f = *gFrmDesigner;
    f.m_Loading = true;
    f.OpenFile(skinFile);
    f.m_Loading = false;
    f.FileSaveProc();
    std::vector<std::pair<std::string, std::string>> keys;
    std::string value(65536, '\0');
    for (const char* key : kSkinKeys) {
        const DWORD n = GetPrivateProfileStringA("Vexo", key, "", value.data(), DWORD(value.size()), skinFile.c_str());
        keys.emplace_back(key, value.substr(0, n));
    }
    std::vector<double> saves, raws;
    for (int i = 0; i < runs; ++i) {
        // Each run changes one key, as a user's save does, or every key but the name and directory.
        const std::string run = std::to_string(i);
        f.txtAuthor.SetText("Saved " + run);
        if (everyKey) {
            for (TextBox* box : {&f.txtSkinVersion, &f.txtEmail, &f.txtWeb, &f.txtFontName, &f.txtFontWidth,
                                 &f.txtFontHeight, &f.txtFontWeight})
                box->SetText("s" + run);
            for (int slot = 0; slot < 25; ++slot) f.lblBmpName(slot).SetCaption("s" + run + "_" + std::to_string(slot) + ".bmp");
            for (int slot = 0; slot < 38; ++slot) f.lblCtrlColor(slot).SetBackColor(0x010101 * (i + 1) + slot);
        }
        saves.push_back(MedianMs(1, [&] {
            if (!f.FileSaveProc()) std::printf("save failed\n");
        }));
        for (auto& [key, text] : keys)
            if (key == "Author" || (everyKey && key != "name" && key != "directory")) text = "Written " + run + key;
        raws.push_back(MedianMs(1, [&] {
            for (const auto& [key, text] : keys) WritePrivateProfileStringA("Vexo", key.c_str(), text.c_str(), skinFile.c_str());
        }));
    }
    const std::string how = what + (everyKey ? ", every key changed" : ", one key changed");
    Row(("skin file: FileSaveProc, " + how).c_str(), runs, Median(saves));
    Row(("skin file: 73 raw WritePrivateProfileStringA, " + how).c_str(), runs, Median(raws));
    RatioRow(("FileSaveProc / raw writes, " + how + " (ratio)").c_str(), Median(saves) / Median(raws));
}

int main() {
    const std::string folder = TempFolder();
    const std::string file = folder + "\\Bench.ini";
    std::printf("%-84s %6s %12s\n", "operation", "runs", "median ms");

    IniManag ini;
    ini.Nome(file);
    ini.Sezione("Vexo");
    const int runs = 50;
    double ms = MedianMs(runs, [&] {
        for (const char* key : kSkinKeys) ini.Scrivi(key, std::string("value of ") + key);
        for (const char* key : kSkinKeys)
            if (ini.Leggi(key, "").empty()) std::printf("missing %s\n", key);
    });
    Row("skin file: Scrivi then Leggi of its 73 keys", runs, ms);

    // The designer window in a program folder of its own, past its first run.
    SetProgramFolder(folder);
    const std::string settings = folder + "\\VexoVadiVirerova.ini";
    WritePrivateProfileStringA("Options", "FirstRun", "0", settings.c_str());
    PromptHook quiet;
    quiet.msgBox = [](const std::string&, UINT, const std::string&) { return IDNO; };
    SetPromptHook(quiet);
    const int windowRuns = 20;
    ms = MedianMs(windowRuns, [] {
        gFrmDesigner = std::make_unique<frmDesigner>();
        gFrmDesigner->Show();
        gFrmDesigner->Unload();
        gFrmDesigner.reset();
    });
    Row("designer window: create, load, show and unload", windowRuns, ms);

    // A full skin: every field set, saved into the skins folder and read back.
    const std::string skins = folder + "\\Skins";
    CreateDirectoryA(skins.c_str(), nullptr);
    gFrmDesigner = std::make_unique<frmDesigner>();
    gFrmDesigner->Show();
    frmDesigner& f = *gFrmDesigner;
    gSkinsFolder = skins;
    f.txtSkinFilename.SetText("Bench.ini");
    f.txtSkinName.SetText("Bench");
    for (int i = 0; i < 25; ++i) f.lblBmpName(i).SetCaption("bitmap" + std::to_string(i) + ".bmp");
    for (int i = 0; i < 38; ++i) f.lblCtrlColor(i).SetBackColor(0x030507 * i);
    const int skinRuns = 50;
    ms = MedianMs(skinRuns, [&] { f.FileSaveProc(); });
    Row("skin file: FileSaveProc of a full skin", skinRuns, ms);
    // OpenFile and the floor it is held to, the same file's 73 profile reads and nothing else,
    // timed in turn so that a busy machine weighs on both alike.
    const std::string skinFile = skins + "\\Bench.ini";
    std::vector<double> openTimes, rawTimes;
    for (int i = 0; i < 2 * skinRuns; ++i) {
        openTimes.push_back(MedianMs(1, [&] {
            f.m_Loading = true;
            f.OpenFile(skinFile);
            f.m_Loading = false;
        }));
        rawTimes.push_back(MedianMs(1, [&] {
            char value[255];
            for (const char* key : kSkinKeys)
                GetPrivateProfileStringA("Vexo", key, "", value, sizeof value, skinFile.c_str());
        }));
    }
    const double openMs = Median(openTimes), rawMs = Median(rawTimes);
    Row("skin file: OpenFile of a full skin", 2 * skinRuns, openMs);
    Row("skin file: 73 raw GetPrivateProfileStringA", 2 * skinRuns, rawMs);
    RatioRow("OpenFile / raw reads (ratio)", openMs / rawMs);
    // Two different skins in turn: every field changes at each open.
    f.txtSkinName.SetText("Other");
    f.txtSkinFilename.SetText("Other.ini");
    for (int i = 0; i < 25; ++i) f.lblBmpName(i).SetCaption("other" + std::to_string(i) + ".bmp");
    for (int i = 0; i < 38; ++i) f.lblCtrlColor(i).SetBackColor(0x070503 * i);
    f.FileSaveProc();
    int turn = 0;
    ms = MedianMs(skinRuns, [&] {
        f.m_Loading = true;
        f.OpenFile(skins + (++turn % 2 ? "\\Bench.ini" : "\\Other.ini"));
        f.m_Loading = false;
    });
    Row("skin file: OpenFile of two full skins in turn", skinRuns, ms);
    DeleteFileA((skins + "\\Other.ini").c_str());
    f.MarkSkinSaved();
    f.Unload();
    gFrmDesigner.reset();
    DeleteFileA((skins + "\\Bench.ini").c_str());
    RemoveDirectoryA(skins.c_str());

    // Save of the sample and of a skin of 1,000 foreign sections of 10 keys, about 1 MB.
    OpenSampleSkin(skins);
    {
        SaveAgainstRawWrites("the sample", skins + "\\Sample.ini", 30, false);
        SaveAgainstRawWrites("the sample", skins + "\\Sample.ini", 30, true);
        std::string big = gFrmDesigner->m_File->ReadTextFile(skins + "\\Sample.ini");
        for (int section = 1; section <= 1000; ++section) {
            big += "[Section" + std::to_string(section) + "]\r\n";
            for (int key = 0; key < 10; ++key)
                big += "key" + std::to_string(key) + "=" + std::string(90, char('a' + key)) + "\r\n";
        }
        gFrmDesigner->m_File->WriteTextFile(big, skins + "\\Big.ini", false);
        gFrmDesigner->txtSkinFilename.SetText("Big.ini");
        const std::string what = "1,000 sections x 10 keys (" + std::to_string(big.size() / 1024) + " KB)";
        SaveAgainstRawWrites(what, skins + "\\Big.ini", 7, false);
        SaveAgainstRawWrites(what, skins + "\\Big.ini", 7, true);
        gFrmDesigner->MarkSkinSaved();
        DeleteFileA((skins + "\\Big.ini").c_str());
    }
    CloseSampleSkin(skins);

    // The sample skin's bitmaps through the program's loader and through the system's, in turns.
    OpenSampleSkin(skins);
    {
        std::vector<std::string> paths;
        for (int slot = 0; slot < 25; ++slot)
            if (GetFileAttributesA(gFrmDesigner->SkinBitmapPath(slot).c_str()) != INVALID_FILE_ATTRIBUTES)
                paths.push_back(gFrmDesigner->SkinBitmapPath(slot));
        const int loadRuns = 60;
        std::vector<double> ours, system;
        for (int i = 0; i < loadRuns; ++i) {
            ours.push_back(MedianMs(1, [&] {
                for (const std::string& path : paths) Picture::LoadBitmapFile(path);
            }));
            system.push_back(MedianMs(1, [&] {
                for (const std::string& path : paths)
                    DeleteObject(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
            }));
        }
        const std::string what = "bitmap files: the sample skin's " + std::to_string(paths.size());
        Row((what + ", LoadBitmapFile").c_str(), loadRuns, Median(ours));
        Row((what + ", LoadImageA").c_str(), loadRuns, Median(system));
    }
    CloseSampleSkin(skins);

    // Run-length files whose data is far longer than their picture, against a plain picture of
    // their data's size, all loaded the same way, in turns.
    {
        const std::string plain = folder + "\\plain.bmp", runs = folder + "\\runs.bmp", sparse = folder + "\\sparse.bmp";
        const uint64_t mib16 = uint64_t{16} << 20;
        std::string bytes = Bmp8Header(4096, 4096, BI_RGB, 0);
        WriteFileOfSize(plain, bytes + std::string(mib16, '\x40'), bytes.size() + mib16);
        bytes = Bmp8Header(1, 1, BI_RLE8, 0);
        for (uint64_t i = 0; i < mib16 / 2 - 1; ++i) bytes += std::string{char(255), char(i)};
        WriteFileOfSize(runs, bytes + std::string{0, 1}, bytes.size() + 2);
        bytes = Bmp8Header(16, 16, BI_RLE8, 0);
        for (int row = 0; row < 16; ++row) bytes += std::string{16, char(row * 16), 0, char(row == 15)};
        WriteFileOfSize(sparse, bytes, uint64_t{4} << 30);
        const int loadRuns = 15;
        std::vector<double> times[3];
        const std::string* files[3] = {&plain, &runs, &sparse};
        for (int i = 0; i < loadRuns; ++i)
            for (int k = 0; k < 3; ++k) times[k].push_back(MedianMs(1, [&] { Picture::LoadBitmapFile(*files[k]); }));
        Row("bitmap file: plain 4096 x 4096 at 8 bits, 16 MiB", loadRuns, Median(times[0]));
        Row("bitmap file: 1 x 1 RLE8 in 16 MiB of 255-pixel runs", loadRuns, Median(times[1]));
        Row("bitmap file: 16 x 16 RLE8 in a sparse 4 GiB file", loadRuns, Median(times[2]));
        RatioRow("1 x 1 RLE8 in 16 MiB / plain 16 MiB (ratio)", Median(times[1]) / Median(times[0]));
        RatioRow("16 x 16 RLE8 in 4 GiB / plain 16 MiB (ratio)", Median(times[2]) / Median(times[0]));
        for (const std::string* f : files) DeleteFileA(f->c_str());
    }

    // The Input Settings preview over the full sample skin.
    OpenSampleSkin(skins);
    {
        frmPreInput preview(*gFrmDesigner);
        preview.Show(false, gFrmDesigner.get());
        const int drawRuns = 60;
        // The floor: every face bitmap already in memory.
        std::map<std::string, Picture> held;
        for (int slot : {0, 1, 7, 8}) {
            const std::string path = gFrmDesigner->SkinBitmapPath(slot);
            held[path] = Picture::FromBitmap(
                static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
        }
        // Taken in turns, so both see the same load of the machine.
        std::vector<double> built, floor;
        for (int i = 0; i < drawRuns; ++i) {
            preview.SetFaceLoader(nullptr);
            built.push_back(MedianMs(1, [&] { preview.Draw(); }));
            preview.SetFaceLoader([&](const std::string& path) { return held[path]; });
            floor.push_back(MedianMs(1, [&] { preview.Draw(); }));
        }
        std::sort(built.begin(), built.end());
        std::sort(floor.begin(), floor.end());
        Row("Input Settings preview: Draw", drawRuns, built[built.size() / 2]);
        Row("Input Settings preview: Draw, face bitmaps in memory", drawRuns, floor[floor.size() / 2]);
        preview.Unload();
    }
    CloseSampleSkin(skins);

    // The main-window preview of the sample skin: Draw as built, with the per-pixel
    // GetPixel/SetPixel recolouring, and with no recolouring at all (the floor of the
    // loads, tiles and blits). Each Draw reads the skin's files from disk, the floor's too.
    // Runs interleaved, so the three share the machine's moods.
    OpenSampleSkin(skins);
    {
        frmPreview preview(*gFrmDesigner);
        preview.Show(false, gFrmDesigner.get());
        const struct {
            const char* what;
            frmPreview::Recolor mode;
        } modes[] = {{"main-window preview: Draw, as built", frmPreview::Recolor::Direct},
                     {"main-window preview: Draw, per-pixel recolour", frmPreview::Recolor::PerPixel},
                     {"main-window preview: Draw, recolour skipped", frmPreview::Recolor::Skip}};
        const int drawRuns = 40;
        std::vector<double> times[3];
        for (int run = 0; run < drawRuns; ++run)
            for (int m = 0; m < 3; ++m) {
                preview.RecolorMode = modes[m].mode;
                times[m].push_back(MedianMs(1, [&] { preview.Draw(); }));
            }
        for (int m = 0; m < 3; ++m) Row(modes[m].what, drawRuns, Median(times[m]));
        RatioRow("main-window Draw / recolour skipped (ratio)", Median(times[0]) / Median(times[2]));
        preview.Unload();
    }
    CloseSampleSkin(skins);

    DeleteFileA(settings.c_str());
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
