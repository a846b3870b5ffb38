// A main-window preview over a fake skin in a temporary folder, with helpers to write
// the skin's bitmaps and to read what the boxes hold.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "BmpFile.h"
#include "DoEvents.h"
#include "FakeSkinSource.h"
#include "PromptScript.h"
#include "TempDir.h"
#include "frmPreview.h"

// Every pixel of a box's image, as GetPixel gives them, row by row.
inline std::vector<COLORREF> Pixels(const PictureBox& box) {
    const Picture image = box.Image();
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), image.Width(), -image.Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<COLORREF> px(static_cast<size_t>(image.Width()) * image.Height());
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, image.AsBitmap(), 0, static_cast<UINT>(image.Height()), px.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    for (COLORREF& c : px) c = RGB(GetBValue(c), GetGValue(c), GetRValue(c)) & 0xFFFFFF;
    return px;
}

// The colour of pixel (x, y) of a bitmap file's picture.
inline COLORREF PixelOfPicture(const Picture& p, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, p.AsBitmap());
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

// Pumps messages until the condition holds or ten seconds pass.
inline bool WaitUntil(const std::function<bool()>& ready) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end) return false;
        DoEvents();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin.folder = dir.Path();
        for (int i = 0; i < 38; ++i) skin.colors[static_cast<size_t>(i)] = Color(i);
    }
    void TearDown() override {
        if (gFrmPreview) {
            gFrmPreview->Unload();
            gFrmPreview.reset();
        }
    }

    // A colour of its own for each colour slot: never black, never pure red.
    static int32_t Color(int slot) { return static_cast<int32_t>(RGB(10 + slot * 5, 200 - slot * 3, 50 + slot * 4)); }

    // Writes a bitmap file and names it in the slot.
    void Slot(int slot, const std::string& name, const std::string& bytes) {
        WriteBytes(dir / name, bytes);
        skin.slots[static_cast<size_t>(slot)] = name;
    }

    frmPreview& Open() {
        gFrmPreview = std::make_unique<frmPreview>(skin);
        gFrmPreview->Show();
        return *gFrmPreview;
    }

    TempDir dir;
    FakeSkinSource skin;
    PromptScript prompts;
};
