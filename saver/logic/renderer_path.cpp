#include "logic/hand_off.h"

std::wstring RendererPath(const std::wstring& programFolder) {
    return programFolder + L"\\Vorlenta.dll";
}
