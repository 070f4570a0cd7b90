#pragma once

#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <type_traits>
#include <variant>

#include "forms/font_description.h"

namespace forms {

// The named values a host keeps for each user control it holds. A value equal to its default
// is not stored (and drops an earlier stored value), so an untouched property follows its
// default; reading a name that is absent, or stored as another kind of value, gives the
// default.
class PropertyBag {
  public:
    template <typename T>
    void WriteProperty(const std::string& name, const T& value, const T& defaultValue) {
        if (value == defaultValue) {
            values_.erase(name);
        } else {
            values_[name] = Stored(value);
        }
    }

    template <typename T>
    T ReadProperty(const std::string& name, const T& defaultValue) const {
        const auto found = values_.find(name);
        if (found == values_.end()) {
            return defaultValue;
        }
        return Loaded(found->second, defaultValue);
    }

    bool Contains(const std::string& name) const { return values_.count(name) != 0; }

  private:
    using Value = std::variant<bool, std::int64_t, std::string, FontDescription>;

    template <typename T>
    static Value Stored(const T& value) {
        if constexpr (std::is_same_v<T, bool>) {
            return value;
        } else if constexpr (std::is_integral_v<T>) {
            return static_cast<std::int64_t>(value);
        } else {
            return value;
        }
    }

    // A stored number that does not fit the type asked for reads as the default rather than
    // wrapping round.
    template <typename T>
    static T Loaded(const Value& value, const T& defaultValue) {
        if constexpr (std::is_same_v<T, bool>) {
            const bool* stored = std::get_if<bool>(&value);
            return stored != nullptr ? *stored : defaultValue;
        } else if constexpr (std::is_integral_v<T>) {
            const std::int64_t* stored = std::get_if<std::int64_t>(&value);
            if (stored == nullptr || *stored < std::numeric_limits<T>::min() ||
                *stored > static_cast<std::int64_t>(std::numeric_limits<T>::max())) {
                return defaultValue;
            }
            return static_cast<T>(*stored);
        } else {
            const T* stored = std::get_if<T>(&value);
            return stored != nullptr ? *stored : defaultValue;
        }
    }

    std::map<std::string, Value> values_;
};

// What a host form keeps of one user control it holds: the control's class name, its size in
// twips and its stored properties.
struct StoredControl {
    std::string className;
    int widthTwips = 0;
    int heightTwips = 0;
    PropertyBag properties;
};

}  // namespace forms
