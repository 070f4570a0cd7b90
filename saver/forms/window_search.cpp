#include "forms/window_search.h"

#include <windows.h>

namespace forms {

bool TopLevelWindowExists(const char* title) {
    return FindWindowA(nullptr, title) != nullptr;
}

}  // namespace forms
