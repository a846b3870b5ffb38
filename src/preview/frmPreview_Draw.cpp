// The composition of the main-window preview from the skin's bitmaps and colours.
// Every step runs on its own: a bitmap that can't be loaded leaves its element as it was.
#include "AppError.h"
#include "PanelMarks.h"
#include "Twips.h"
#include "frmPreview.h"
#include "modDraw.h"
#include "modRegion.h"

namespace {
// Bitmap slots.
constexpr int kBackground = 0, kControlBack = 2, kProgressFore = 3, kMenuBar = 4, kMenuFore = 5, kMenuBack = 6,
              kNumbersAlpha = 10, kBtnAlpha = 11, kFirstButton = 12;
// Colour slots.
constexpr int kGroupLight = 12, kGroupDark = 13, kGroupTextDark = 15, kStaticLight = 16, kStaticDark = 17,
              kStaticTextDark = 19, kTimerLight = 20, kTimerDark = 21, kSliderLight = 24, kSliderDark = 25,
              kSliderTextDark = 27, kProgressDark = 31, kMenuLight = 32, kMenuDark = 33, kMenuTextLight = 36,
              kMenuTextDark = 37;
constexpr int32_t kTemplateKey = 0xFF00FF;
constexpr int kProgressBlocks = 13, kBlockStep = 8;

// The colour of a picture's pixel, or CLR_INVALID where it has none.
COLORREF PixelOf(const Picture& picture, int x, int y) {
    HBITMAP bitmap = picture.AsBitmap();
    if (!bitmap || x >= picture.Width() || y >= picture.Height()) return CLR_INVALID;
    MemoryDC dc;
    SelectGuard keep(dc.Get(), bitmap);
    return GetPixel(dc.Get(), x, y);
}

// Top and left in one colour, bottom and right in the other, as the host's panels have them.
void Edge(PictureBox& box, int32_t topLeft, int32_t bottomRight) {
    const int w = box.Width(), h = box.Height();
    box.Line(0, 0, w, 0, topLeft);
    box.Line(0, 0, 0, h, topLeft);
    box.Line(0, h - 1, w, h - 1, bottomRight);
    box.Line(w - 1, h - 1, w - 1, 0, bottomRight);
}

void PrintAt(PictureBox& box, int x, int y, const std::string& text) {
    box.CurrentX = x;
    box.CurrentY = y;
    box.Print(text);
}
}  // namespace

COLORREF frmPreview::SlotColor(int slot) const { return ResolveColor(m_Skin.SlotColor(slot)); }

Picture frmPreview::LoadSlot(int slot) {
    const std::string path = SlotPath(m_Folder, slot);
    auto it = m_Loaded.find(path);
    if (it == m_Loaded.end()) {
        Loaded loaded;
        try {
            loaded.picture = Picture::LoadBitmapFile(path);
        } catch (const AppError& e) {
            loaded.error = e;
        }
        it = m_Loaded.emplace(path, std::move(loaded)).first;
    }
    if (it->second.error) throw *it->second.error;
    return it->second.picture;
}

void frmPreview::LoadIntoTmp(int slot) {
    ResumeNext([&] { picTmp.SetPicture(LoadSlot(slot)); });
}

void frmPreview::PanelLay(PictureBox& panel, const PictureBox& templ) {
    LoadIntoTmp(kControlBack);
    ResumeNext([&] { TileBackground(panel, picTmp); });
    ResumeNext([&] {
        modDraw::PaintTransparentPicture(panel.hDC(), 0, 0, panel.Width(), panel.Height(), templ.GetPicture(), 0, 0,
                                         kTemplateKey, nullptr, false, 0);
        panel.Refresh();
    });
}

void frmPreview::PanelMarks(PictureBox& panel, int x1, int y1, const std::function<COLORREF()>& black,
                            const std::function<COLORREF()>& red) {
    const MarkColors colors{black, red};
    if (RecolorMode == Recolor::Direct) RecolorMarks(panel.hDC(), x1, y1, colors);
    else if (RecolorMode == Recolor::PerPixel) RecolorMarksPerPixel(panel.hDC(), x1, y1, colors);
    panel.Refresh();
}

void frmPreview::PanelRecolor(PictureBox& panel, const PictureBox& templ, int markSlot) {
    PanelLay(panel, templ);
    PanelMarks(panel, panel.Width(), panel.Height(), [this, markSlot] { return SlotColor(markSlot); });
}

void frmPreview::DrawProgressBlocks() {
    for (int i = 0; i < kProgressBlocks; ++i) {
        if (i > 0) {
            ResumeNext([&] {
                // Made by the first Draw; later ones find them in place.
                if (PBarCount() <= i) {
                    const PictureBox& first = picPBar(0);
                    auto block = std::make_unique<PictureBox>("picPBar", i);
                    block->Create(picProgress, first.Left(), first.Top(), first.Width(), first.Height());
                    m_PBar.push_back(std::move(block));
                }
                PictureBox& block = picPBar(i);
                if (!block.Visible()) block.SetVisible(true);
                const int left = picPBar(i - 1).Left() + kBlockStep, top = picPBar(i - 1).Top();
                if (block.Left() != left || block.Top() != top) block.Move(left, top);
            });
        }
        ResumeNext([&] { picPBar(i).PaintPicture(LoadSlot(kProgressFore), 0, 0); });
    }
}

void frmPreview::DrawButtonsUp() {
    for (int i = picBtn.LBound(); i <= picBtn.UBound(); ++i) {
        PictureBox& button = picBtn(i);
        ResumeNext([&] {
            button.AutoRedraw = true;
            button.SetPicture(Picture());
            picTmp.SetPicture(Picture());
            picTmp.PaintPicture(picVexo.GetPicture(), 0, 0, -1, -1, button.Left(), button.Top());
            picTmp.SetPicture(picTmp.Image());
            button.SetPicture(picTmp.GetPicture());
        });
        // Through picTmp: a load that fails lays what picTmp still holds.
        LoadIntoTmp(kBtnAlpha);
        ResumeNext([&] { button.PaintPicture(picTmp.GetPicture(), 0, 0, -1, -1, 0, 0, -1, -1, SRCAND); });
        LoadIntoTmp(kFirstButton + i);
        ResumeNext([&] { button.PaintPicture(picTmp.GetPicture(), 0, 0, -1, -1, 0, 0, -1, -1, SRCINVERT); });
        ResumeNext([&] { button.SetPicture(button.Image()); });
    }
}

void frmPreview::Draw() {
    m_Loaded.clear();
    ResumeNext([&] { m_Folder = m_Skin.SkinBitmapFolder(); });
    Compose();
    m_Loaded.clear();  // no picture outlives the call
}

void frmPreview::Compose() {
    // 1. The window fits the host picture with its frame and caption.
    ResumeNext([&] {
        const int32_t w = PixelsToTwipsX(picVexo.Width()) + 90, h = PixelsToTwipsY(picVexo.Height()) + 420;
        if (Width() != w) SetWidth(w);
        if (Height() != h) SetHeight(h);
        picVexo.SetVisible(true);
        SetWindowPos(picVexo.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    });

    // 2. Background, and the colours of the two caption backings.
    LoadIntoTmp(kBackground);
    COLORREF inputBack = PixelOf(picTmp.GetPicture(), 13, 58);
    LoadIntoTmp(kBackground);
    ResumeNext([&] { TileBackground(picVexo, picTmp); });
    COLORREF outputBack = PixelOf(picTmp.GetPicture(), 13, 540);
    // A background without those points: the tiled background's own colour there.
    if (inputBack == CLR_INVALID) inputBack = static_cast<COLORREF>(picVexo.Point(13, 58));
    if (outputBack == CLR_INVALID) outputBack = static_cast<COLORREF>(picVexo.Point(13, 540));

    // 3. Title bar with the menu names.
    ResumeNext([&] {
        picTitlebar.PaintPicture(LoadSlot(kMenuBar), 0, 0, picTitlebar.Width(),
                                 picTitlebar.Height());
    });
    ResumeNext([&] {
        picTitlebar.SetForeColor(m_Skin.SlotColor(kMenuLight));
        PrintAt(picTitlebar, 9, 4, "File   Settings   Tools");
    });

    // 4. Raised edge around the title bar.
    ResumeNext([&] {
        const int t = picTitlebar.Top(), w = picTitlebar.Width(), h = picTitlebar.Height();
        const int32_t light = m_Skin.SlotColor(kMenuLight), dark = m_Skin.SlotColor(kMenuDark);
        picVexo.Line(1, t - 1, w + 4, t - 1, light);
        picVexo.Line(1, t - 1, 1, h + 2, light);
        picVexo.Line(1, h + 2, w + 4, h + 2, dark);
        picVexo.Line(w + 4, t - 1, w + 4, h + 3, dark);
    });

    // 5. Sunken edge around the pressed menu name.
    ResumeNext([&] {
        const int l = imgBorder3D.Left(), t = imgBorder3D.Top(), w = imgBorder3D.Width(), h = imgBorder3D.Height();
        const int32_t light = m_Skin.SlotColor(kMenuLight), dark = m_Skin.SlotColor(kMenuDark);
        picTitlebar.Line(l - 1, t - 1, l + w + 1, t - 1, dark);
        picTitlebar.Line(l - 1, t, l - 1, t + h + 1, dark);
        picTitlebar.Line(l + w + 1, t - 1, l + w + 1, t + h + 1, light);
        picTitlebar.Line(l, t + h + 1, l + w + 1, t + h + 1, light);
    });

    // 6. The open menu and its highlighted item.
    ResumeNext([&] {
        picMenuSettings.PaintPicture(LoadSlot(kMenuFore), 0, 0,
                                     picMenuSettings.Width(), picMenuSettings.Height());
    });
    LoadIntoTmp(kMenuBack);
    ResumeNext([&] { TileBackground(picItem, picTmp); });
    ResumeNext([&] {
        const int32_t light = m_Skin.SlotColor(kMenuLight), dark = m_Skin.SlotColor(kMenuDark);
        const int w = picItem.Width(), h = picItem.Height();
        picItem.Line(0, 0, w, 0, dark);
        picItem.Line(0, 0, 0, h, dark);
        picItem.Line(1, h - 1, w - 1, h - 1, light);
        picItem.Line(w - 1, 1, w - 1, h - 1, light);
        Label1.SetForeColor(m_Skin.SlotColor(kMenuTextDark));
        for (Label* l : {&Label2, &Label3, &Label4, &Label5}) l->SetForeColor(Label1.ForeColor());
        Label6.SetForeColor(m_Skin.SlotColor(kMenuTextLight));
    });

    // 7 to 10. Progress panel and blocks, status panel, input boxes.
    PanelRecolor(picProgress, picTmpProgress, kProgressDark);
    DrawProgressBlocks();
    PanelRecolor(picStatus, picTmpStatus, kStaticTextDark);
    LoadIntoTmp(kControlBack);
    for (PictureBox* box : {&picInputAUDIO, &picInputVIDEO, &picInputSUBTITLE})
        ResumeNext([&] { TileBackground(*box, picTmp); });

    // 11. Input group frame with its caption and the three labels.
    ResumeNext([&] {
        picVexo.Line(7, 64, 511, 93, m_Skin.SlotColor(kGroupLight), PictureBox::LineKind::Box);
        picVexo.Line(8, 65, 512, 94, m_Skin.SlotColor(kGroupDark), PictureBox::LineKind::Box);
        picVexo.Line(13, 58, 43, 70, static_cast<int32_t>(inputBack), PictureBox::LineKind::FilledBox);
        picVexo.SetForeColor(m_Skin.SlotColor(kGroupLight));
        PrintAt(picVexo, 13, 58, " Input ");
        picVexo.SetForeColor(m_Skin.SlotColor(kStaticTextDark));
        PrintAt(picVexo, 17, 75, "Audio");
        PrintAt(picVexo, 186, 75, "Video");
        PrintAt(picVexo, 350, 75, "Subtitle");
    });

    // 12. The composed host picture becomes the box's picture: the buttons and their
    // pressed look take their background from it.
    ResumeNext([&] { picVexo.SetPicture(picVexo.Image()); });

    // 13. Up look of each button.
    DrawButtonsUp();

    // 14. Slider: black and red marks, inside a two-pixel edge.
    PanelLay(picSlider, picTmpSlider);
    PanelMarks(picSlider, picSlider.Width() - 2, picSlider.Height() - 2,
               [this] { return SlotColor(kSliderTextDark); }, [this] { return SlotColor(kSliderDark); });
    ResumeNext([&] {
        const int w = picSlider.Width(), h = picSlider.Height();
        const int32_t dark = m_Skin.SlotColor(kSliderDark), light = m_Skin.SlotColor(kSliderLight);
        picSlider.Line(0, 0, w, 0, dark);
        picSlider.Line(0, 1, w - 1, 1, dark);
        picSlider.Line(0, 0, 0, h, dark);
        picSlider.Line(1, 0, 1, h, dark);
        picSlider.Line(0, h - 1, w, h - 1, light);
        picSlider.Line(w - 1, h - 1, w - 1, 0, light);
    });

    // 15. Numbers: the digits' colour comes from the numbers mask.
    PanelLay(picNumbers, picTmpNumbers);
    LoadIntoTmp(kNumbersAlpha);
    const COLORREF digits = PixelOf(picTmp.GetPicture(), 2, 1);
    // With no such pixel there is no colour to give: the marks stay as laid.
    if (digits != CLR_INVALID)
        PanelMarks(picNumbers, picNumbers.Width(), picNumbers.Height(), [digits] { return digits; });
    ResumeNext([&] { Edge(picNumbers, m_Skin.SlotColor(kTimerDark), m_Skin.SlotColor(kTimerLight)); });

    // 16, 17. Output panel and its group frame.
    PanelRecolor(picOutput, picTmpOutput, kStaticTextDark);
    ResumeNext([&] {
        picVexo.Line(7, 544, 511, 573, m_Skin.SlotColor(kGroupLight), PictureBox::LineKind::Box);
        picVexo.Line(8, 545, 512, 574, m_Skin.SlotColor(kGroupDark), PictureBox::LineKind::Box);
        picVexo.Line(13, 538, 52, 550, static_cast<int32_t>(outputBack), PictureBox::LineKind::FilledBox);
        picVexo.SetForeColor(m_Skin.SlotColor(kGroupTextDark));
        PrintAt(picVexo, 13, 538, " Output ");
    });

    // 18. Sunken edges.
    for (PictureBox* box : {&picStatus, &picInputAUDIO, &picInputVIDEO, &picInputSUBTITLE, &picOutput})
        ResumeNext([&] { Edge(*box, m_Skin.SlotColor(kStaticDark), m_Skin.SlotColor(kStaticLight)); });
}
