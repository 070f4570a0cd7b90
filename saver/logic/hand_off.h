#pragma once

#include <string>
#include <string_view>

// Names shared by the screen saver and the renderer.
inline constexpr const char* kHandOffDirectory = "C:\\r_vask";
inline constexpr const char* kSnapshotPath = "C:\\r_vask\\Kessamiron.bmp";
inline constexpr const char* kRunFormTitle = "Kessamir_Main";
inline constexpr const char* kSettingsDialogTitle = "<Vorlenta>";
inline constexpr const char* kRendererWindowTitle = "Kessamiron_VC";
inline constexpr const char* kPreviewFormTitle = "Preview Window";

// The renderer beside the screen saver: the folder as the platform reports it (a drive root
// keeps its separator, so the joined path then has two in a row) followed by "\Vorlenta.dll".
std::string RendererPath(std::string_view programFolder);

// A command line naming the program alone, quoted so that blanks in the path cannot split it.
std::string QuotedCommandLine(std::string_view programPath);

// Where a new picture is written before it replaces the old one, in the same folder so that
// the replacement is a rename and a reader never sees half a file.
std::string TemporaryPathBeside(std::string_view path);
