#include "logic/renderer_path.h"

std::wstring RendererPath(const std::wstring& programFolder) {
    return programFolder + L"\\Vorlenta.dll";
}
