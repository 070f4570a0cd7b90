#include "forms/gdi.h"

#include <cmath>
#include <cwchar>

#include "forms/units.h"
#include "system/wide_text.h"

namespace forms {
namespace {
int liveObjects = 0;
}  // namespace

int LiveGdiObjects() {
    return liveObjects;
}

void gdi_detail::Count(int change) {
    liveObjects += change;
}

FontHandle MakeFont(const FontDescription& font, int pixelsPerInchY) {
    LOGFONTW design{};
    // A negative height asks for the character height, which is what points measure.
    design.lfHeight = -static_cast<LONG>(std::lround(font.points * pixelsPerInchY / 72.0));
    design.lfWeight = font.weight;
    design.lfUnderline = font.underline ? TRUE : FALSE;
    design.lfCharSet = font.charset;
    design.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = Widen(font.face);
    std::wcsncpy(design.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return FontHandle(CreateFontIndirectW(&design));
}

FontHandle MakeScreenFont(const FontDescription& font) {
    return MakeFont(font, kDesignDotsPerInch);
}

void DrawLabelText(HDC dc, const std::wstring& text, const RECT& area, UINT format, HFONT font,
                   COLORREF colour, bool enabled) {
    const Selection selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const int length = static_cast<int>(text.size());
    if (!enabled) {
        RECT engraved = area;
        OffsetRect(&engraved, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextW(dc, text.c_str(), length, &engraved, format);
    }
    RECT place = area;
    SetTextColor(dc, enabled ? colour : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), length, &place, format);
}

void FillSolid(HDC dc, const RECT& area, COLORREF colour) {
    const Brush brush(CreateSolidBrush(colour));
    FillRect(dc, &area, brush.Get());
}

}  // namespace forms
