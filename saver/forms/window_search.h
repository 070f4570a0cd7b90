#pragma once

namespace forms {

// Hidden windows count too, as the instance check and the renderer watch need.
bool TopLevelWindowExists(const char* title);

}  // namespace forms
