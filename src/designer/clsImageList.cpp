#include "clsImageList.h"

#include "Picture.h"

clsImageList::clsImageList() { hImageList = ImageList_Create(16, 16, ILC_MASK | ILC_COLOR16, 0, 0); }

clsImageList::~clsImageList() {
    if (hImageList) ImageList_Destroy(hImageList);
}

void clsImageList::Add(const Picture& picture, int32_t maskColor) {
    ImageList_AddMasked(hImageList, picture.AsBitmap(), static_cast<COLORREF>(maskColor));
}

void clsImageList::AddIcon(HICON icon) { ImageList_AddIcon(hImageList, icon); }

void clsImageList::DrawItem(int32_t index, HDC dc, int32_t x, int32_t y, UINT flags) {
    ImageList_Draw(hImageList, index, dc, x, y, flags);
}

void clsImageList::DrawItemDisabled(int32_t index, HDC dc, int32_t x, int32_t y) {
    HICON icon = ImageList_GetIcon(hImageList, index, ILD_TRANSPARENT);
    if (!icon) return;
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, 0, 0, DST_ICON | DSS_DISABLED);
    // The icon is this call's own: it goes with the call.
    DestroyIcon(icon);
}

HICON clsImageList::Item(int32_t index) { return ImageList_GetIcon(hImageList, index, ILD_TRANSPARENT); }
