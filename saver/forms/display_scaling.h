#pragma once

namespace forms {

// From here on this thread sees the screen's real pixels at any display scaling: per monitor
// where Windows offers it (looked up at run time, so that the program still starts on Windows
// 7), the system's resolution where only that exists. Windows created afterwards are aware of
// the scaling too. False when the system has no way to say so.
bool UseRealScreenPixels();

}  // namespace forms
