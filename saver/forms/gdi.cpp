#include "forms/gdi.h"

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

void FillSolid(HDC dc, const RECT& area, COLORREF colour) {
    const Brush brush(CreateSolidBrush(colour));
    FillRect(dc, &area, brush.Get());
}

}  // namespace forms
