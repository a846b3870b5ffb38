#include "modDesign.h"

#include <cctype>
#include <cmath>

#include "DoEvents.h"

std::string gSkinsFolder;
std::string gSkinName;
std::string gSkinFileName;
int32_t gPickColor = 0;
bool gFirstRun = false;
bool gCopyBitmapToSkinFolder = false;
bool gUseDefault = false;
std::unique_ptr<File> gFile;
bool gAudioCheckArmed = false;

namespace {
void AppendHexByte(std::string& out, int value) {
    static const char digits[] = "0123456789ABCDEF";
    out += digits[(value >> 4) & 0xF];
    out += digits[value & 0xF];
}

int32_t RgbValue(double red, double green, double blue) {
    return static_cast<int32_t>(red) + static_cast<int32_t>(green) * 256 +
           static_cast<int32_t>(blue) * 65536;
}
}  // namespace

int16_t GetRed(int32_t color) { return static_cast<int16_t>(color & 0xFF); }
int16_t GetGreen(int32_t color) { return static_cast<int16_t>((color / 256) & 0xFF); }
int16_t GetBlue(int32_t color) { return static_cast<int16_t>((color / 65536) & 0xFF); }

std::string ColorToHex(int32_t color) {
    std::string text = "0x";
    AppendHexByte(text, GetBlue(color));
    AppendHexByte(text, GetGreen(color));
    AppendHexByte(text, GetRed(color));
    return text;
}

int32_t HexByteValue(const std::string& text) {
    if (text.size() != 2) return 0;
    int value = 0;
    for (char c : text) {
        char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        int d;
        if (u >= '0' && u <= '9') d = u - '0';
        else if (u >= 'A' && u <= 'F') d = u - 'A' + 10;
        else return 0;
        value = value * 16 + d;
    }
    return value;
}

int32_t HexToColor(const std::string& text) {
    std::string t = text.size() > 2 ? text.substr(2) : std::string();
    int32_t blue = HexByteValue(t.substr(0, 2));
    int32_t green = HexByteValue(t.size() > 2 ? t.substr(2, 2) : std::string());
    int32_t red = HexByteValue(t.size() >= 2 ? t.substr(t.size() - 2) : t);
    return red + green * 256 + blue * 65536;
}

void FillGradient(HDC hdc, const RECT& rect, int32_t Color1, int32_t Color2, bool Vertical) {
    DoEvents();

    RECT r = rect;
    const int extent = Vertical ? rect.bottom - rect.top : rect.right - rect.left;
    // Nothing to paint, and the colour step below would divide by zero.
    if (extent <= 0) return;

    int band = extent / 255;
    if (band < 3) band = 3;

    double c[3] = {double(GetRed(Color2)), double(GetGreen(Color2)), double(GetBlue(Color2))};
    const double s[3] = {c[0], c[1], c[2]};
    const double d[3] = {double(GetRed(Color1)) - s[0], double(GetGreen(Color1)) - s[1],
                         double(GetBlue(Color1)) - s[2]};

    for (int i = extent; i >= 0; i -= band) {
        if (Vertical) {
            r.top = r.bottom - band;
            if (r.top < rect.top) r.top = rect.top;
        } else {
            r.left = r.right - band;
            if (r.left < rect.left) r.left = rect.left;
        }
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(RgbValue(c[0], c[1], c[2])));
        FillRect(hdc, &r, brush);
        DeleteObject(brush);

        const double f = double(extent - i) / double(extent);
        if (Vertical) r.bottom = r.top;
        else r.right = r.left;
        for (int k = 0; k < 3; ++k) c[k] = std::nearbyint(s[k] + f * d[k]);
    }
}

void SetTopMost(HWND window, bool OnTop) {
    SetWindowPos(window, OnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}
