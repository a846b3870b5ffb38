// The Input Settings preview over a fake skin whose bitmaps are small files in a
// temporary folder, its message boxes answered by a script.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "BmpFile.h"
#include "FakeSkinSource.h"
#include "PromptScript.h"
#include "TempDir.h"
#include "frmPreInput.h"

class PreInputTest : public ::testing::Test {
protected:
    // Pattern colours of the face bitmaps: 3 x 2 tiles, so a pattern that restarts at a
    // control's corner shows.
    static constexpr int32_t kBack[6] = {0x102030, 0x112131, 0x122232, 0x132333, 0x142434, 0x152535};
    static constexpr int32_t kFore[6] = {0x403020, 0x413121, 0x423222, 0x433323, 0x443424, 0x453525};
    static constexpr int32_t kComboBack[6] = {0x705060, 0x715161, 0x725262, 0x735363, 0x745464, 0x755565};
    static constexpr int32_t kComboFore[6] = {0x206070, 0x216171, 0x226272, 0x236373, 0x246474, 0x256575};
    static constexpr int32_t kMenuBar = 0x5A6B7C;

    void SetUp() override {
        skin.folder = dir.Path();
        WriteBytes(dir / "back.bmp", BmpFile(3, 2, std::vector<int32_t>(kBack, kBack + 6)));
        WriteBytes(dir / "fore.bmp", BmpFile(3, 2, std::vector<int32_t>(kFore, kFore + 6)));
        WriteBytes(dir / "cback.bmp", BmpFile(3, 2, std::vector<int32_t>(kComboBack, kComboBack + 6)));
        WriteBytes(dir / "cfore.bmp", BmpFile(3, 2, std::vector<int32_t>(kComboFore, kComboFore + 6)));
        WriteBytes(dir / "bar.bmp", BmpFile(4, 4, kMenuBar));
        skin.slots[0] = "back.bmp";
        skin.slots[1] = "fore.bmp";
        skin.slots[4] = "bar.bmp";
        skin.slots[7] = "cback.bmp";
        skin.slots[8] = "cfore.bmp";
        // Every colour slot its own colour.
        for (int i = 0; i < 38; ++i) skin.colors[static_cast<size_t>(i)] = RGB(30 + 5 * i, 220 - 4 * i, 90 + 3 * i);
    }
    void TearDown() override {
        if (form) form->Unload();
    }

    frmPreInput& Load() {
        form = std::make_unique<frmPreInput>(skin);
        form->Load();
        return *form;
    }
    int32_t Color(int slot) const { return skin.colors[static_cast<size_t>(slot)]; }
    // The pattern colour of a 3 x 2 tile anchored at the surface's origin.
    static int32_t Tile(const int32_t* tile, int x, int y) { return tile[(y % 2) * 3 + x % 3]; }
    static void Clear(PictureBox& p, int32_t color) {
        p.Line(0, 0, 431, 334, color, PictureBox::LineKind::FilledBox);
    }

    TempDir dir;
    FakeSkinSource skin;
    PromptScript prompts;
    std::unique_ptr<frmPreInput> form;
};
