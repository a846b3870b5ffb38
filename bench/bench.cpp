// Times the operations worth watching: median of many runs, one table row each.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "AppInfo.h"
#include "IniManag.h"
#include "Prompts.h"
#include "frmDesigner.h"
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

double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Row(const char* what, int runs, double ms) {
    std::printf("%-52s %6d %12.3f\n", what, runs, ms);
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The sample skin's files copied into <to>\Sample.ini and <to>\Sample\, so nothing of the
// source tree is opened for writing. Returns the copied names, for the clean-up.
std::vector<std::string> CopySampleSkin(const std::string& to) {
    std::string from = VEXO_SAMPLE_DIR;
    for (char& c : from)
        if (c == '/') c = '\\';
    if (from[0] == '\\') from = "Z:" + from;
    std::vector<std::string> copied{to + "\\Sample.ini"};
    CopyFileA((from + "\\Sample.ini").c_str(), copied[0].c_str(), FALSE);
    CreateDirectoryA((to + "\\Sample").c_str(), nullptr);
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((from + "\\Sample\\*.bmp").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return copied;
    do {
        copied.push_back(to + "\\Sample\\" + fd.cFileName);
        CopyFileA((from + "\\Sample\\" + fd.cFileName).c_str(), copied.back().c_str(), FALSE);
    } while (FindNextFileA(find, &fd));
    FindClose(find);
    return copied;
}

}  // namespace

int main() {
    const std::string folder = TempFolder();
    const std::string file = folder + "\\Bench.ini";
    std::printf("%-52s %6s %12s\n", "operation", "runs", "median ms");

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
    ms = MedianMs(skinRuns, [&] {
        f.m_Loading = true;
        f.OpenFile(skins + "\\Bench.ini");
        f.m_Loading = false;
    });
    Row("skin file: OpenFile of a full skin", skinRuns, ms);
    f.MarkSkinSaved();
    f.Unload();
    gFrmDesigner.reset();
    DeleteFileA((skins + "\\Bench.ini").c_str());
    RemoveDirectoryA(skins.c_str());

    // The main-window preview of the sample skin: Draw as built, with the per-pixel
    // GetPixel/SetPixel recolouring, and with no recolouring at all (the floor of the
    // loads, tiles and blits). Runs interleaved, so the three share the machine's moods.
    {
        CreateDirectoryA(skins.c_str(), nullptr);
        const std::vector<std::string> copied = CopySampleSkin(skins);
        gFrmDesigner = std::make_unique<frmDesigner>();
        gFrmDesigner->Show();
        frmDesigner& d = *gFrmDesigner;
        gSkinsFolder = skins;
        d.m_Loading = true;
        d.OpenFile(skins + "\\Sample.ini");
        d.m_Loading = false;
        frmPreview preview(d);
        preview.Show();
        const struct {
            const char* what;
            frmPreview::Recolor mode;
        } modes[] = {{"preview: Draw of the sample skin, as built", frmPreview::Recolor::Direct},
                     {"preview: Draw, per-pixel GetPixel/SetPixel recolour", frmPreview::Recolor::PerPixel},
                     {"preview: Draw, recolour skipped (floor)", frmPreview::Recolor::Skip}};
        const int drawRuns = 40;
        std::vector<double> times[3];
        for (int run = 0; run < drawRuns; ++run)
            for (int m = 0; m < 3; ++m) {
                preview.RecolorMode = modes[m].mode;
                auto start = std::chrono::steady_clock::now();
                preview.Draw();
                times[m].push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            }
        for (int m = 0; m < 3; ++m) Row(modes[m].what, drawRuns, Median(times[m]));
        std::printf("%-52s %6s %12.2f\n", "preview: as built / floor", "", Median(times[0]) / Median(times[2]));
        preview.Unload();
        d.MarkSkinSaved();
        d.Unload();
        gFrmDesigner.reset();
        for (auto it = copied.rbegin(); it != copied.rend(); ++it) DeleteFileA(it->c_str());
        RemoveDirectoryA((skins + "\\Sample").c_str());
        RemoveDirectoryA(skins.c_str());
    }

    DeleteFileA(settings.c_str());
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
