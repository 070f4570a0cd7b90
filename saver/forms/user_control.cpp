#include "forms/user_control.h"

#include <cmath>

#include "forms/platform.h"

namespace forms {
namespace {

int ToPixels(int twips, double twipsPerPixel) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

int ToTwips(int pixels, double twipsPerPixel) {
    return static_cast<int>(std::lround(pixels * twipsPerPixel));
}

}  // namespace

void UserControl::Restore(const StoredControl& stored) {
    ReadProperties(stored.className == ClassName() ? stored.properties : PropertyBag{});
    if (stored.widthTwips > 0 && stored.heightTwips > 0) {
        Move(Left(), Top(), ToPixels(stored.widthTwips, TwipsPerPixelX()),
             ToPixels(stored.heightTwips, TwipsPerPixelY()));
    }
}

StoredControl UserControl::Save() {
    StoredControl stored{
        ClassName(), ToTwips(Width(), TwipsPerPixelX()), ToTwips(Height(), TwipsPerPixelY()), {}};
    WriteProperties(stored.properties);
    return stored;
}

const FontDescription& UserControl::AmbientFont() const {
    return HostForm().Design().font;
}

void UserControl::PropertyChanged(std::string_view property) {
    HostForm().UserControl_PropertyChanged(*this, property);
}

}  // namespace forms
