#pragma once

#include <windows.h>

// Black windows over every monitor but the one the renderer's window is on: they take no
// activation and hide the pointer, and their title is not the renderer's, so nobody watching
// for the renderer's window mistakes one for it.
inline constexpr char kCoverWindowTitle[] = "Vorlenta cover";

// Covers the other monitors as they are now, replacing any covers placed before.
void CoverOtherMonitors(HINSTANCE instance, HWND renderer);
void UncoverOtherMonitors();
// After the last UncoverOtherMonitors: the covers' window class goes too.
void ForgetCoverClass(HINSTANCE instance);
