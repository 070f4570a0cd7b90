#pragma once

#include <string_view>

#include "forms/controls.h"
#include "forms/property_bag.h"

namespace forms {

// A composite control of ours that a host form places like any other and stores, property by
// property, under the control's class name. The control tells its host which property changed
// so that the host can save it.
class UserControl : public Control {
  public:
    using Control::Control;

    virtual const char* ClassName() const = 0;
    // Restores what the host stored: the properties first, then the stored size. A store made
    // for another class is not read; the control keeps its defaults.
    void Restore(const StoredControl& stored);
    StoredControl Save();

  protected:
    virtual void ReadProperties(const PropertyBag& bag) = 0;
    virtual void WriteProperties(PropertyBag& bag) = 0;
    const FontDescription& AmbientFont() const;
    void PropertyChanged(std::string_view property);
};

}  // namespace forms
