// The Input Settings preview: a mock-up of the host's Input Settings dialog painted in
// the skin being edited, read live from the designer window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "ControlArray.h"
#include "Form.h"
#include "ISkinSource.h"
#include "Label.h"
#include "PictureBox.h"

class frmPreInput : public Form {
public:
    explicit frmPreInput(const ISkinSource& skin);
    ~frmPreInput() override;

    PictureBox picDlgInput{"picDlgInput"};
    PictureBox picTitlebar2{"picTitlebar2"};
    ControlArray<Image> imgChiudi{"imgChiudi", 1, 1};
    ControlArray<Image> Image2{"Image2", 0, 4};
    PictureBox picTmp{"picTmp"}, picDlgOutput{"picDlgOutput"}, picDlgSelectOutput{"picDlgSelectOutput"};

    // Paints the whole mock-up.
    void Draw();
    // Called from the unload, whoever unloads the window.
    std::function<void()> Unloaded;

    // The dialog's drawing operations. The three controls draw on picDlgInput.
    void CreateCombo(int X, int Y, int W, const std::string& Text = "");
    void CreateEdit(int X, int Y, int W, const std::string& Text = "");
    void CreateButton(int X, int Y, int W, int H = 19, const std::string& Caption = "", bool Highlight = false);
    void Frame3D(PictureBox& Pic, int X, int Y, int W, int H, const std::string& Caption);
    void Border3D(PictureBox& Pic, const std::string& Style, int X, int Y, int W, int H);
    void DrawRect(PictureBox& Pic, int X, int Y, int W, int H, int32_t Color);
    void PrintText(PictureBox& Pic, int X, int Y, const std::string& Text, int32_t Color);
    void DrawCheck(PictureBox& Pic, int X, int Y, bool Checked);

    // Rules without a window, for tests.
    // The title's point size for the font-height text (x 0.85); none for a text that is no
    // usable size.
    static std::optional<double> TitleFontSize(const std::string& heightText);
    // Bold above 600; none for a text that is not a number.
    static std::optional<bool> TitleFontBold(const std::string& weightText);
    // Where a caption of the given width starts so that it is centred on the button (not rounded).
    static double CaptionLeft(int X, int W, int captionWidth) { return X + (W - captionWidth) / 2.0; }
    // The title font as the last Draw left it.
    const std::string& TitleFontName() const { return m_TitleFace; }
    double TitleFontPoints() const { return m_TitleSize; }
    bool TitleFontIsBold() const { return m_TitleBold; }

    // Face bitmaps come from this loader (a file path in, a bitmap out, empty when the file
    // gives none); the default reads the file. The benchmark swaps it for bitmaps held in memory.
    using FaceLoader = std::function<Picture(const std::string& path)>;
    // An empty loader puts the file reader back.
    void SetFaceLoader(FaceLoader loader);

protected:
    void CreateControls() override;
    void Form_Load() override;
    void Form_KeyUp(int keyCode, int shift) override;
    void Form_Unload(bool& cancel) override;

private:
    struct BorderColors {
        int32_t first, second;
    };
    BorderColors StyleColors(const std::string& style) const;
    // The cut-corner outline shared by DrawRect and Border3D.
    static void CutCornerOutline(PictureBox& Pic, int X, int Y, int W, int H, int32_t first, int32_t second);
    // Paints a region of picDlgInput with the pattern of a face bitmap slot; no bitmap, no paint.
    void FillWithFace(int bitmapSlot, HRGN region);
    // Prints at a fractional place, at the nearest pixel.
    static void PrintAt(PictureBox& Pic, double x, double y, const std::string& text);
    void DrawTitle();

    const ISkinSource& m_Skin;
    FaceLoader m_LoadFace;
    // While Draw runs, each face file is read once and shared by the controls; a control
    // drawn on its own reads its file and frees it again.
    std::map<std::string, Picture>* m_DrawFaces = nullptr;
    std::string m_TitleFace = "Tahoma";
    double m_TitleSize = 8.25;
    bool m_TitleBold = false;
    // Region handles the window keeps; none is ever made.
    HRGN hRgn[11]{};
    HGDIOBJ m_Handle = nullptr;
};

// The Input Settings preview's single instance.
extern std::unique_ptr<frmPreInput> gFrmPreInput;
