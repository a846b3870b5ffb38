#include "modRegion.h"

#include <windows.h>

#include "AppError.h"
#include "PictureBox.h"

void TileBackground(PictureBox& target, const PictureBox& source) {
    if (!target.Hwnd() || !target.hDC()) throw AppError(ErrNo::ObjectRequired, "Object required");
    RECT rc{};
    GetClientRect(target.Hwnd(), &rc);
    // A box without a picture gives no brush: the target stays as it was.
    HBRUSH brush = CreatePatternBrush(source.GetPicture().AsBitmap());
    if (!brush) return;
    SetBrushOrgEx(target.hDC(), 0, 0, nullptr);
    FillRect(target.hDC(), &rc, brush);
    DeleteObject(brush);
    target.Refresh();
}
