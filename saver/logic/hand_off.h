#pragma once

#include <string>
#include <string_view>

#include "hand_off/hand_off.h"

// The renderer beside the screen saver: the folder as the platform reports it (a drive root
// keeps its separator, so the joined path then has two in a row) followed by "\Vorlenta.dll".
std::string RendererPath(std::string_view programFolder);

// A command line naming the program alone, quoted so that blanks in the path cannot split it.
std::string QuotedCommandLine(std::string_view programPath);

// Where a new picture is written before it replaces the old one, in the same folder so that
// the replacement is a rename and a reader never sees half a file.
std::string TemporaryPathBeside(std::string_view path);
