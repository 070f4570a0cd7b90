#pragma once

#include <cstdint>
#include <string>

namespace forms {

// A font as a form stores and assigns it: a value, compared by its parts, made into a GDI
// font only where text is drawn.
struct FontDescription {
    std::string face;  // UTF-8
    double points = 9.0;
    std::uint8_t charset = 1;  // DEFAULT_CHARSET
    int weight = 400;          // FW_NORMAL
    bool underline = false;

    bool operator==(const FontDescription& other) const {
        return face == other.face && points == other.points && charset == other.charset &&
               weight == other.weight && underline == other.underline;
    }
    bool operator!=(const FontDescription& other) const { return !(*this == other); }
};

// The font a form offers the user controls it holds, unless they store their own.
inline const FontDescription kDefaultAmbientFont{"ＭＳ Ｐゴシック", 9.75, 128, 400, false};

}  // namespace forms
