#pragma once

#include <string>

#include "hand_off/hand_off.h"

// The renderer beside the screen saver: the folder as the platform reports it (a drive root
// keeps its separator, so the joined path then has two in a row) followed by "\Vorlenta.dll".
std::wstring RendererPath(const std::wstring& programFolder);
