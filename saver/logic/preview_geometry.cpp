#include "logic/preview_geometry.h"

#include "rules/text_rules.h"

namespace {
constexpr uint32_t kChildStyle = 0x40000000u;
constexpr uint32_t kPopupStyle = 0x80000000u;
}  // namespace

PreviewGeometry ComputePreviewGeometry(int pixelWidth, int pixelHeight, double twipsPerPixelX,
                                       double twipsPerPixelY) {
    PreviewGeometry geometry;
    geometry.width = ToInteger16(pixelWidth * twipsPerPixelX).value_or(0);
    geometry.height = ToInteger16(pixelHeight * twipsPerPixelY).value_or(0);
    geometry.pictureWidth = geometry.width / twipsPerPixelX;
    geometry.pictureHeight = geometry.height / twipsPerPixelY;
    return geometry;
}

uint32_t PreviewChildStyle(uint32_t style) {
    return (style & ~kPopupStyle) | kChildStyle;
}
