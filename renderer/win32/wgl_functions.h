#pragma once

#include <windows.h>

// The driver's own GL and WGL functions, looked up by name in the current context. Some drivers
// answer 1, 2, 3 or -1 instead of null for a name they do not know; those are no functions.
bool IsFunctionAddress(PROC found);

// The function NAME as type Function, or null where the driver has none. wglGetProcAddress hands
// out a generic pointer; the detour through void(*)() is the sanctioned way to give it its type.
template <typename Function>
Function FindGlFunction(const char* name) {
    using AnyFunction = void (*)();
    const PROC found = wglGetProcAddress(name);
    return IsFunctionAddress(found)
               ? reinterpret_cast<Function>(reinterpret_cast<AnyFunction>(found))
               : nullptr;
}

// Whether the driver offers the WGL extension NAME for DEVICE: named in its WGL extension string,
// or in GL_EXTENSIONS, where the older WGL extensions may stand instead. Needs a current context.
bool WglExtensionOffered(HDC device, const char* name);
