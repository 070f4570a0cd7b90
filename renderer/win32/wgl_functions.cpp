#include "win32/wgl_functions.h"

#include <GL/gl.h>

#include <cstdint>

#include "shell/extension_list.h"

namespace {

using ExtensionsStringArb = const char*(WINAPI*)(HDC device);
using ExtensionsStringExt = const char*(WINAPI*)();

// The WGL extension string, through whichever of the two functions for it the driver has.
const char* WglExtensions(HDC device) {
    if (const auto arb = FindGlFunction<ExtensionsStringArb>("wglGetExtensionsStringARB")) {
        return arb(device);
    }
    if (const auto ext = FindGlFunction<ExtensionsStringExt>("wglGetExtensionsStringEXT")) {
        return ext();
    }
    return nullptr;
}

}  // namespace

bool IsFunctionAddress(PROC found) {
    const auto address = reinterpret_cast<std::intptr_t>(found);
    return address != 0 && address != 1 && address != 2 && address != 3 && address != -1;
}

bool WglExtensionOffered(HDC device, const char* name) {
    return ExtensionListed(WglExtensions(device), name) ||
           ExtensionListed(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), name);
}
