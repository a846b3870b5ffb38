// The Input Settings preview over a fake skin whose bitmaps are small files in a
// temporary folder, its message boxes answered by a script.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "BmpFile.h"
#include "FakeSkinSource.h"
#include "PromptScript.h"
#include "TempDir.h"
#include "frmPreInput.h"

class PreInputTest : public ::testing::Test {
protected:
    // 3 x 2 face patterns, so a pattern restarting at a control's corner shows.
    const std::vector<int32_t> kBack{0x102030, 0x112131, 0x122232, 0x132333, 0x142434, 0x152535};
    const std::vector<int32_t> kFore{0x403020, 0x413121, 0x423222, 0x433323, 0x443424, 0x453525};
    const std::vector<int32_t> kComboBack{0x705060, 0x715161, 0x725262, 0x735363, 0x745464, 0x755565};
    const std::vector<int32_t> kComboFore{0x206070, 0x216171, 0x226272, 0x236373, 0x246474, 0x256575};
    static constexpr int32_t kMenuBar = 0x5A6B7C, kPaper = 0x777777;

    void SetUp() override {
        skin.folder = dir.Path();
        const char* names[] = {"back.bmp", "fore.bmp", "cback.bmp", "cfore.bmp"};
        const std::vector<int32_t>* tiles[] = {&kBack, &kFore, &kComboBack, &kComboFore};
        for (int i = 0; i < 4; ++i) WriteBytes(dir / names[i], BmpFile(3, 2, *tiles[i]));
        WriteBytes(dir / "bar.bmp", BmpFile(4, 4, kMenuBar));
        skin.slots[0] = "back.bmp", skin.slots[1] = "fore.bmp", skin.slots[4] = "bar.bmp";
        skin.slots[7] = "cback.bmp", skin.slots[8] = "cfore.bmp";
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
    // A 3 x 2 pattern anchored at the surface's origin.
    static int32_t Tile(const std::vector<int32_t>& tile, int x, int y) { return tile[static_cast<size_t>((y % 2) * 3 + x % 3)]; }
    static void Clear(PictureBox& p) { p.Line(0, 0, 431, 334, kPaper, PictureBox::LineKind::FilledBox); }
    // Whether a colour shows anywhere in a box of the surface.
    static bool Shows(const PictureBox& p, int32_t color, int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (p.Point(x, y) == color) return true;
        return false;
    }

    TempDir dir;
    FakeSkinSource skin;
    PromptScript prompts;
    std::unique_ptr<frmPreInput> form;
};
