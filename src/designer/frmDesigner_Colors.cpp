// Colour swatches and the pick colour: the swatch click and hover, the paste and
// copy modes with their cursors, and the pixel readout and pick on the previews.
#include <windows.h>

#include <commdlg.h>

#include "AppError.h"
#include "CMDIALOG.h"
#include "Prompts.h"
#include "frmDesigner.h"
#include "modDesign.h"

namespace {
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kNoColor = -1;  // a pixel read outside the picture

bool IsFrameAt(const frmDesigner& f, int page, int x, int y) {
    for (int i = f.cmd1.LBound(); i <= f.cmd1.UBound(); ++i) {
        const CommandButton& frame = f.cmd1(i);
        if (frame.GetContainer() != &f.picTab(page)) continue;
        const RECT r = frame.Bounds();
        if (PtInRect(&r, POINT{x, y})) return true;
    }
    return false;
}
}  // namespace

void frmDesigner::WireColorSwatches() {
    for (int i = lblCtrlColor.LBound(); i <= lblCtrlColor.UBound(); ++i) {
        const auto index = static_cast<int16_t>(i);
        Label& swatch = lblCtrlColor(i);
        swatch.MouseDown = [this, index](int b, int s, float x, float y) {
            lblCtrlColor_MouseDown(index, static_cast<int16_t>(b), static_cast<int16_t>(s), x, y);
        };
        swatch.MouseMove = [this, index](int b, int s, float x, float y) {
            lblCtrlColor_MouseMove(index, static_cast<int16_t>(b), static_cast<int16_t>(s), x, y);
        };
    }
    picBitmapPreview.MouseMove = [this](int b, int s, float x, float y) { picBitmapPreview_MouseMove(b, s, x, y); };
    picButtonPreview.MouseMove = [this](int b, int s, float x, float y) { picButtonPreview_MouseMove(b, s, x, y); };
    picBitmapPreview.MouseUp = [this](int b, int s, float x, float y) { picBitmapPreview_MouseUp(b, s, x, y); };
    picButtonPreview.MouseUp = [this](int b, int s, float x, float y) { picButtonPreview_MouseUp(b, s, x, y); };
    for (int page = picTab.LBound(); page <= picTab.UBound(); ++page) {
        picTab(page).MouseMove = [this, page](int b, int s, float x, float y) {
            // The group frames let the mouse through to the page; over a frame is not over bare page.
            if (IsFrameAt(*this, page, static_cast<int>(x), static_cast<int>(y))) return;
            picTab_MouseMove(static_cast<int16_t>(page), b, s, x, y);
        };
    }
}

void frmDesigner::lblCtrlColor_MouseDown(int16_t index, int16_t, int16_t shift, float, float) {
    Label& swatch = lblCtrlColor(index);
    if (shift & ShiftState::Ctrl) {
        swatch.SetBackColor(gPickColor);
        MarkSkinChanged();
        return;
    }
    if (shift & ShiftState::Shift) {
        gPickColor = swatch.BackColor();
        return;
    }
    int32_t color = swatch.BackColor();
    if (color < 0) color = kWhite;
    int32_t extErr = 0;
    const int16_t result = ShowColor(*this, extErr, color, CC_RGBINIT | CC_FULLOPEN);
    if (extErr != 0) MsgBox(CommonDialogErrorText(extErr), MB_OK | MB_ICONQUESTION, "Choose Color");
    // Results 1 and 2 showed no dialog: gDialogColor is an earlier dialog's, not a choice.
    if (result != DialogResult::Chosen) return;
    MarkSkinChanged();
    swatch.SetBackColor(gDialogColor);
}

void frmDesigner::lblCtrlColor_MouseMove(int16_t index, int16_t, int16_t, float, float) {
    m_OverColorLabel = true;
    m_ColorLabelIndex = index;
    const int32_t color = lblCtrlColor(index).BackColor();
    if (color < 0) {
        sb1.SetPanelText("msg", "");
        return;
    }
    sb1.SetPanelText("msg", ColorToHex(color) + "\\" + std::to_string(color));
    if (m_PasteColorKey) {
        if (gPickColor != 0) lblCtrlColor(m_ColorLabelIndex).SetMouseIcon(imgFill.GetPicture());
    } else if (m_CopyColorKey) {
        lblCtrlColor(m_ColorLabelIndex).SetMouseIcon(imgContagocce.GetPicture());
    }
}

void frmDesigner::Form_KeyDown(int, int shift) {
    if (!m_OverColorLabel) return;
    if (shift & ShiftState::Ctrl) {
        m_PasteColorKey = true;
        m_CopyColorKey = false;
    } else if (shift & ShiftState::Shift) {
        m_PasteColorKey = false;
        m_CopyColorKey = true;
    }
}

void frmDesigner::Form_KeyUp(int, int) {
    m_PasteColorKey = false;
    m_CopyColorKey = false;
    const Picture& hand = imgHand.GetPicture();
    for (int i = lblCtrlColor.LBound(); i <= lblCtrlColor.UBound(); ++i)
        if (lblCtrlColor(i).MouseIcon().Handle() != hand.Handle()) lblCtrlColor(i).SetMouseIcon(hand);
}

void frmDesigner::ShowPixelReadout(PictureBox& box, Label& readout, float x, float y) {
    if (box.GetPicture().Handle() == 0) return;
    const int32_t color = box.Point(static_cast<int>(x), static_cast<int>(y));
    // Dragged out of the box there is no pixel: the readout keeps the last one.
    if (color == kNoColor) return;
    readout.SetCaption("RGB (" + std::to_string(GetRed(color)) + "," + std::to_string(GetGreen(color)) + "," +
                       std::to_string(GetBlue(color)) + ")\r\n(Click to pick a color)");
    Update_picColor(color);
}

void frmDesigner::PickColorAt(PictureBox& box, float x, float y) {
    const int32_t color = box.Point(static_cast<int>(x), static_cast<int>(y));
    // Released outside the box: no pixel, so the pick colour stays the last valid one.
    if (color == kNoColor) return;
    gPickColor = color;
    picColor.SetPicture(Picture());
    picColor.SetBackColor(gPickColor);
    picColor.SetPicture(picColor.Image());
    sb1.SetPanelPicture("color", picColor.GetPicture());
}

void frmDesigner::picBitmapPreview_MouseMove(int, int, float x, float y) {
    ShowPixelReadout(picBitmapPreview, lblImageCurrentRGBColor, x, y);
}

void frmDesigner::picButtonPreview_MouseMove(int, int, float x, float y) {
    ShowPixelReadout(picButtonPreview, lblBtnCurrentRGBColor, x, y);
}

void frmDesigner::picBitmapPreview_MouseUp(int, int, float x, float y) {
    if (picBitmapPreview.GetPicture().Handle() != 0) PickColorAt(picBitmapPreview, x, y);
}

void frmDesigner::picButtonPreview_MouseUp(int, int, float x, float y) { PickColorAt(picButtonPreview, x, y); }

void frmDesigner::picTab_MouseMove(int16_t, int, int, float, float) {
    lblImageCurrentRGBColor.SetCaption("");
    lblBtnCurrentRGBColor.SetCaption("");
    sb1.SetPanelText("msg", "");
    m_OverColorLabel = false;
    Update_picColor(kWhite);
}

void frmDesigner::Update_picColor(int32_t color) {
    try {
        picColor.SetPicture(Picture());
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "Update_picColor"), MB_OK);
        return;
    }
    ResumeNext([&] { picColor.SetBackColor(color); });
    ResumeNext([&] { picColor.SetPicture(picColor.Image()); });
}
