// A designer window loaded for real, in a temporary program folder, with its message boxes
// answered by a script; the testkit's main resets the program state before each test.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "AppInfo.h"
#include "PromptScript.h"
#include "TempDir.h"
#include "frmDesigner.h"
#include "modDesign.h"
#include "modOperativeSystem.h"

class DesignerTest : public ::testing::Test {
protected:
    void SetUp() override { SetProgramFolder(dir.Path()); }

    // Writes the settings file, then loads and shows the window.
    frmDesigner& Open(const std::string& settings = "[Options]\r\nFirstRun=0\r\n", int osVersion = -1) {
        if (!settings.empty()) WriteBytes(dir / "VexoVadiVirerova.ini", settings);
        SetOSVersionOverride(osVersion);
        gFrmDesigner = std::make_unique<frmDesigner>();
        gFrmDesigner->Show();
        return *gFrmDesigner;
    }
    // With a skins folder of its own.
    frmDesigner& OpenWithSkins(const std::string& extra = "") {
        CreateDirectoryA(skins.c_str(), nullptr);
        return Open("[Options]\r\nFirstRun=0\r\nSkinsFolder=" + skins + "\r\n" + extra);
    }
    // Reads a skin file as the open commands do.
    bool Load(const std::string& path) {
        gFrmDesigner->m_Loading = true;
        const bool loaded = gFrmDesigner->OpenFile(path);
        gFrmDesigner->m_Loading = false;
        return loaded;
    }
    std::string Said() { return prompts.asked.empty() ? "(nothing)" : prompts.asked.back().text; }

    TempDir dir;
    std::string skins = dir / "Skins";
    PromptScript prompts;
};
