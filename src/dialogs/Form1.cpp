#include "Form1.h"

#include "DialogHook.h"
#include "resource.h"

std::unique_ptr<Form1> gForm1;

namespace {
// Design sizes in pixels; picTemp is as large as the skin banner it holds.
constexpr int kPreviewW = 160, kPreviewH = 130;
constexpr int kBannerW = 400, kBannerH = 80;
constexpr int kSideW = 90, kSideH = 260;
}  // namespace

Form1::Form1() : Form("Form1") {
    SetCaption("Form1");
    SetDesignClientSize(9000, 6600);
}

Form1::~Form1() { Destroy(); }

void Form1::CreateControls() {
    picPreview.Create(*this, 8, 8, kPreviewW, kPreviewH);
    chkPreview.Create(*this, 8, 8 + kPreviewH + 6, 120, 17, "Stretch image");
    chkPreview.Click = [this] { chkPreview_Click(); };
    picTemp.Create(*this, 8, 170, kBannerW, kBannerH);

    Image1.Move(8, 260, kBannerW, kBannerH);
    Image1.SetPicture(Picture::LoadBitmapResource(IDB_BANNER_SKIN));
    Add(Image1);
    Image2.Move(kPreviewW + 20, 8, kSideW, kSideH);
    Image2.SetPicture(Picture::LoadBitmapResource(IDB_BANNER_SIDE));
    Add(Image2);
}

void Form1::chkPreview_Click() {
    gStretchImage = static_cast<int16_t>(chkPreview.Value());
    PaintPreview();
}

Form1& GetForm1() {
    if (!gForm1) gForm1 = std::make_unique<Form1>();
    try {
        gForm1->Load();
    } catch (...) {
        gForm1.reset();  // a half-built form must not pass for a loaded one
        throw;
    }
    return *gForm1;
}

void UnloadForm1() {
    if (!gForm1) return;
    gForm1->Unload();
    gForm1.reset();
}
