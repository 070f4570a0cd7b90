#pragma once

namespace forms {

// Puts the display back into the mode stored for it when it stands in another one; a display
// already in its stored mode is left alone, so that nothing flickers.
void RestoreStoredDisplayMode();

}  // namespace forms
