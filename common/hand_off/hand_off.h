#pragma once

// The contract between the screen saver and the renderer: the screen saver writes the desktop
// picture to kSnapshotPath and starts the renderer; the renderer reads the picture once and
// opens a window titled kRendererWindowTitle, which the screen saver watches for.
inline constexpr const char* kHandOffDirectory = "C:\\r_vask";
inline constexpr const char* kSnapshotPath = "C:\\r_vask\\Kessamiron.bmp";
// The same file as the renderer spells it, and names it in its messages: drive letters ignore
// case.
inline constexpr const char* kRendererSnapshotPath = "c:\\r_vask\\Kessamiron.bmp";
inline constexpr const char* kRendererWindowTitle = "Kessamiron_VC";
// Nobody searches by the class; it is part of the renderer's window all the same.
inline constexpr const char* kRendererWindowClass = "OpenGL";
