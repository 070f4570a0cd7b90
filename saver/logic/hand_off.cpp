#include "logic/hand_off.h"

std::string RendererPath(std::string_view programFolder) {
    return std::string(programFolder) + "\\Vorlenta.dll";
}

std::string QuotedCommandLine(std::string_view programPath) {
    return "\"" + std::string(programPath) + "\"";
}

std::string TemporaryPathBeside(std::string_view path) {
    return std::string(path) + ".new";
}
