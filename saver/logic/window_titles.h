#pragma once

// Titles of the screen saver's own forms. A new instance looks for the first two and ends
// when either exists; nobody looks for the preview's.
inline constexpr const char* kRunFormTitle = "Kessamir_Main";
inline constexpr const char* kSettingsDialogTitle = "<Vorlenta>";
inline constexpr const char* kPreviewFormTitle = "Preview Window";
