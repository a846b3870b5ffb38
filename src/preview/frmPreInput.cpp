#include "frmPreInput.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "AppError.h"
#include "File.h"
#include "NumericText.h"
#include "Prompts.h"
#include "Twips.h"
#include "modRegion.h"
#include "resource.h"

std::unique_ptr<frmPreInput> gFrmPreInput;

namespace {
constexpr int kClientW = 433, kClientH = 335;
constexpr int kDialogW = 432, kDialogH = 335;
constexpr int kTitleLeft = 3, kTitleTop = 5, kTitleW = 426, kTitleH = 21;
constexpr int kCloseIconSize = 16, kCloseIconTop = 3;
constexpr int kIconSize = 16;
// Where the dialog's small icons sit in the picture.
constexpr POINT kIconPlaces[5] = {{108, 87}, {400, 39}, {400, 164}, {150, 181}, {262, 266}};
constexpr int kIconIds[5] = {IDI_DLG_ICON0, IDI_DLG_ICON1, IDI_DLG_ICON2, IDI_DLG_ICON3, IDI_DLG_ICON4};

constexpr int kBackgroundSlot = 0, kMenuBarSlot = 4;
constexpr int kStaticText = 19, kCheckBoxText = 29;
constexpr int kMenuBarLight = 32, kMenuBarDark = 33, kMenuBarTextLight = 36, kMenuBarTextDark = 37;
constexpr double kTitleSizeFactor = 0.85;
constexpr double kBoldAbove = 600;
// Beyond this a point size makes no font.
constexpr double kLargestPoints = 2048;
constexpr int32_t kInvalidPropertyValue = 380;

const char kTitle[] = "Input Settings - ZOREVA";

struct FrameDef {
    const char* caption;
    int x, y, w, h;
};
constexpr FrameDef kFrames[] = {
    {"Program Chain", 10, 34, 281, 34},        {"Luminance filter", 297, 34, 128, 69},
    {"DeCSS", 10, 78, 120, 86},                {"Audio", 136, 78, 155, 86},
    {"Output Frame Rate", 297, 110, 128, 74},  {"Sbutitle", 10, 170, 281, 51},
    {"Save your DVD drive", 297, 192, 128, 64}, {"Misc", 10, 229, 281, 72},
    {"Deinterlace filter", 297, 265, 128, 36},
};

// A text in the static or the check-box colour, or (no text) an empty check box.
enum class Ink { Static, CheckBox, Box };
struct TextDef {
    const char* text;
    int x, y;
    Ink ink;
};
constexpr TextDef kTexts[] = {
    {"Index", 16, 46, Ink::Static},
    {"Angle", 184, 46, Ink::Static},
    {"Enable", 323, 47, Ink::CheckBox},
    {nullptr, 306, 46, Ink::Box},
    {"Gain", 307, 62, Ink::Static},
    {"Offset", 307, 83, Ink::Static},
    {"Use ASPI", 35, 91, Ink::CheckBox},
    {nullptr, 19, 90, Ink::Box},
    {"DeMacrovision", 35, 107, Ink::CheckBox},
    {nullptr, 19, 106, Ink::Box},
    {"Key search", 17, 120, Ink::Static},
    {"Track", 143, 86, Ink::Static},
    {"Dolby Surround", 208, 86, Ink::CheckBox},
    {nullptr, 192, 85, Ink::Box},
    {"48KHz To 44.1KHz   Volume", 145, 124, Ink::Static},
    {"Detect progr. 24Hz", 322, 149, Ink::CheckBox},
    {nullptr, 306, 148, Ink::Box},
    {"Force 24Hz", 322, 167, Ink::CheckBox},
    {nullptr, 306, 166, Ink::Box},
    {"Offset (pixel)", 170, 189, Ink::Static},
    {"Original colors", 35, 206, Ink::CheckBox},
    {nullptr, 19, 205, Ink::Box},
    {"Size (MB)", 304, 206, Ink::Static},
    {"Location", 305, 234, Ink::Static},
    {"iDCT", 19, 242, Ink::Static},
    {"Overlap (sec)", 179, 242, Ink::Static},
    {"Audio / Video synchronisation", 38, 266, Ink::CheckBox},
    {nullptr, 22, 266, Ink::Box},
    {"Shutdown the computer when job is done", 38, 284, Ink::CheckBox},
    {nullptr, 22, 284, Ink::Box},
};

struct FieldDef {
    int x, y, w;
    const char* text;
};
constexpr FieldDef kCombos[] = {
    {47, 42, 132, "[00] Length 02:28:08"}, {222, 42, 60, "1"},
    {141, 101, 147, "English AC3 6ch [0x80]"}, {302, 120, 117, "25.0  [PAL]"},
    {14, 135, 108, "Each VOB ID"},          {141, 138, 102, "Normal Quality 48"},
    {15, 180, 130, "None"},                  {356, 229, 64, "RAM"},
    {42, 237, 106, "MMX (Intel P2, At"},     {302, 275, 118, "None"},
};
constexpr FieldDef kEdits[] = {
    {366, 57, 52, "128"}, {366, 80, 52, "1"}, {245, 138, 42, "3"},
    {236, 185, 52, "0"},  {357, 203, 64, "10"}, {249, 239, 38, "0"},
};

struct ButtonDef {
    const char* caption;
    int x, y, w, h;
    bool highlight;
};
constexpr ButtonDef kButtons[] = {
    {"OK", 6, 306, 76, 23, false},
    {"Help", 84, 306, 76, 23, false},
    {"Select AC3 output", 162, 306, 106, 23, true},
    {"Cancel", 350, 306, 76, 23, false},
};

// A text read as a number, as the font fields are: blanks around it, decimal with sign,
// fraction and exponent, or the "&H" and "&O" notations. Raises a type mismatch otherwise.
double TextToNumber(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) throw AppError(ErrNo::TypeMismatch, "Type mismatch");
    const std::string t = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (t[0] == '&') return TextToLong(t);
    size_t i = 0, digits = 0;
    auto isDigit = [&](size_t k) { return k < t.size() && std::isdigit(static_cast<unsigned char>(t[k])); };
    if (t[i] == '+' || t[i] == '-') ++i;
    while (isDigit(i)) ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (isDigit(i)) ++i, ++digits;
    }
    if (digits == 0) throw AppError(ErrNo::TypeMismatch, "Type mismatch");
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        if (!isDigit(i)) throw AppError(ErrNo::TypeMismatch, "Type mismatch");
        while (isDigit(i)) ++i;
    }
    if (i != t.size()) throw AppError(ErrNo::TypeMismatch, "Type mismatch");
    const double value = std::strtod(t.c_str(), nullptr);
    if (!std::isfinite(value)) throw AppError(ErrNo::Overflow, "Overflow");
    return value;
}

// A face that does not load is left out without a word.
Picture LoadFaceFile(const std::string& path) {
    Picture face;
    ResumeNext([&] { face = Picture::LoadBitmapFile(path); });
    return face;
}
}  // namespace

std::optional<double> frmPreInput::TitleFontSize(const std::string& heightText) {
    try {
        const double size = TextToNumber(heightText) * kTitleSizeFactor;
        if (size > 0 && size <= kLargestPoints) return size;
    } catch (const AppError&) {
    }
    return std::nullopt;
}

std::optional<bool> frmPreInput::TitleFontBold(const std::string& weightText) {
    try {
        return TextToNumber(weightText) > kBoldAbove;
    } catch (const AppError&) {
        return std::nullopt;
    }
}

frmPreInput::frmPreInput(const ISkinSource& skin) : Form("frmPreInput"), m_Skin(skin), m_LoadFace(LoadFaceFile) {
    SetCaption("Preview");
    SetBorder(Border::FixedSingle);
    SetDesignClientSize(PixelsToTwipsX(kClientW), PixelsToTwipsY(kClientH));
    KeyPreview = true;
}

frmPreInput::~frmPreInput() { Destroy(); }

void frmPreInput::SetFaceLoader(FaceLoader loader) { m_LoadFace = loader ? std::move(loader) : LoadFaceFile; }

void frmPreInput::CreateControls() {
    picDlgInput.Create(*this, 0, 0, kDialogW, kDialogH);
    picDlgInput.SetPicture(Picture::LoadBitmapResource(IDB_DLG_INPUT));
    picTitlebar2.Create(picDlgInput, kTitleLeft, kTitleTop, kTitleW, kTitleH);
    Image& close = imgChiudi(1);
    close.Move(kTitleW - kCloseIconSize - 1, kCloseIconTop, kCloseIconSize, kCloseIconSize);
    close.SetPicture(Picture::LoadIconResource(IDI_DLG_CLOSE, kCloseIconSize));
    picTitlebar2.Add(close);
    for (int i = 0; i <= 4; ++i) {
        Image2(i).Move(kIconPlaces[i].x, kIconPlaces[i].y, kIconSize, kIconSize);
        Image2(i).SetPicture(Picture::LoadIconResource(kIconIds[i], kIconSize));
        picDlgInput.Add(Image2(i));
    }
    for (PictureBox* hidden : {&picTmp, &picDlgOutput, &picDlgSelectOutput}) {
        hidden->Create(*this, 0, 0, 1, 1);
        hidden->SetVisible(false);
    }
}

void frmPreInput::Form_Load() {
    picDlgInput.Move(0, 0);
    picDlgInput.SetVisible(true);
    SetWindowPos(picDlgInput.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Draw();
}

void frmPreInput::Form_KeyUp(int keyCode, int /*shift*/) {
    // Not the Escape that answered a box: its key-down went to the box.
    if (keyCode == VK_ESCAPE && EscapeWentDownHere()) Unload();
}

void frmPreInput::Form_Unload(bool& /*cancel*/) {
    for (HRGN& region : hRgn) {
        if (region) DeleteObject(region);
        region = nullptr;
    }
    if (m_Handle) DeleteObject(m_Handle);
    m_Handle = nullptr;
    if (Unloaded) Unloaded();
}

void frmPreInput::Draw() {
    // Up to the title bar's picture a failure is told, then drawing goes on, unless the
    // window was unloaded while the message showed: then there is nothing left to draw on.
    bool gone = false;
    auto told = [&](auto&& step) {
        if (gone || ResumeNext(step)) return;
        MsgBox(ErrorMessageText(CurrentError(), "Preview_Input"), MB_OK);
        gone = !IsLoaded();
    };
    std::unique_ptr<File> names;
    std::string menuBarPath;
    told([&] { names = std::make_unique<File>(); });
    told([&] { (void)m_Skin.SkinBitmapFolder(); });
    told([&] { picTmp.SetPicture(Picture::LoadBitmapFile(m_Skin.SkinBitmapPath(kBackgroundSlot))); });
    told([&] { TileBackground(picDlgInput, picTmp); });
    told([&] { imgChiudi(1).Move(picTitlebar2.Width() - imgChiudi(1).Width() - 1, imgChiudi(1).Top()); });
    told([&] { menuBarPath = m_Skin.SkinBitmapPath(kMenuBarSlot); });
    if (gone) return;
    std::map<std::string, Picture> faces;
    m_DrawFaces = &faces;

    // From here a failing statement is skipped without a word.
    ResumeNext([&] {
        picTitlebar2.PaintPicture(Picture::LoadBitmapFile(menuBarPath), 0, 0, picTitlebar2.Width(),
                                  picTitlebar2.Height());
    });
    ResumeNext([&] {
        // The edge is placed from the bar's top, width and height alone.
        const int T = picTitlebar2.Top(), W = picTitlebar2.Width(), H = picTitlebar2.Height();
        const int32_t light = m_Skin.SlotColor(kMenuBarLight), dark = m_Skin.SlotColor(kMenuBarDark);
        picDlgInput.Line(2, T - 1, W + 3, T - 1, light);
        picDlgInput.Line(2, T - 1, 2, H + 5, light);
        picDlgInput.Line(2, H + 5, W + 3, H + 5, dark);
        picDlgInput.Line(W + 3, T - 1, W + 3, H + 6, dark);
    });
    DrawTitle();

    for (const FrameDef& f : kFrames)
        ResumeNext([&] { Frame3D(picDlgInput, f.x, f.y, f.w, f.h, f.caption); });
    int32_t staticInk = 0, checkInk = 0;
    ResumeNext([&] { staticInk = m_Skin.SlotColor(kStaticText); });
    ResumeNext([&] { checkInk = m_Skin.SlotColor(kCheckBoxText); });
    for (const TextDef& t : kTexts)
        ResumeNext([&] {
            if (t.ink == Ink::Box) DrawCheck(picDlgInput, t.x, t.y, false);
            else PrintText(picDlgInput, t.x, t.y, t.text, t.ink == Ink::Static ? staticInk : checkInk);
        });
    for (const FieldDef& c : kCombos) ResumeNext([&] { CreateCombo(c.x, c.y, c.w, c.text); });
    for (const FieldDef& e : kEdits) ResumeNext([&] { CreateEdit(e.x, e.y, e.w, e.text); });
    for (const ButtonDef& b : kButtons)
        ResumeNext([&] { CreateButton(b.x, b.y, b.w, b.h, b.caption, b.highlight); });

    ResumeNext([&] { picDlgInput.SetPicture(picDlgInput.Image()); });
    m_DrawFaces = nullptr;
    names.reset();
}

void frmPreInput::DrawTitle() {
    ResumeNext([&] { m_TitleFace = m_Skin.FontName(); });
    ResumeNext([&] {
        const std::optional<double> size = TitleFontSize(m_Skin.FontHeight());
        if (!size) throw AppError(kInvalidPropertyValue, "Invalid property value");
        m_TitleSize = *size;
    });
    ResumeNext([&] {
        const std::optional<bool> bold = TitleFontBold(m_Skin.FontWeight());
        if (!bold) throw AppError(ErrNo::TypeMismatch, "Type mismatch");
        m_TitleBold = *bold;
    });
    ResumeNext([&] { picTitlebar2.SetFont(m_TitleFace.c_str(), m_TitleSize, m_TitleBold); });
    int y = 0;
    ResumeNext([&] {
        y = static_cast<int>(std::floor((picTitlebar2.Height() - picTitlebar2.TextHeight(kTitle)) / 2.0));
    });
    ResumeNext([&] {
        picTitlebar2.SetForeColor(m_Skin.SlotColor(kMenuBarTextDark));
        PrintAt(picTitlebar2, 6, y, kTitle);
    });
    ResumeNext([&] {
        picTitlebar2.SetForeColor(m_Skin.SlotColor(kMenuBarTextLight));
        PrintAt(picTitlebar2, 5, y - 1, kTitle);
    });
}
