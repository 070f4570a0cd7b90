#include "forms/user_control.h"

#include "forms/units.h"

namespace forms {

void UserControl::Restore(const StoredControl& stored) {
    ReadProperties(stored.className == ClassName() ? stored.properties : PropertyBag{});
    if (stored.widthTwips > 0 && stored.heightTwips > 0) {
        Move(Left(), Top(), PixelsOf(stored.widthTwips), PixelsOf(stored.heightTwips));
    }
}

StoredControl UserControl::Save() {
    StoredControl stored{ClassName(), TwipsOf(Width()), TwipsOf(Height()), {}};
    WriteProperties(stored.properties);
    return stored;
}

const FontDescription& UserControl::AmbientFont() const {
    return HostForm().Design().font;
}

void UserControl::PropertyChanged(std::string_view property) {
    HostForm().AnnouncePropertyChange(*this, property);
}

}  // namespace forms
