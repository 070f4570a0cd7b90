#pragma once

#include <windows.h>

// One pixel of what WINDOW paints into a memory bitmap of WIDTH x HEIGHT when sent MESSAGE with
// that bitmap's device context (WM_PRINTCLIENT, WM_ERASEBKGND): the window's own drawing,
// whatever covers it on the screen.
inline COLORREF PaintedPixel(HWND window, UINT message, LPARAM flags, int width, int height, int x,
                             int y) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(window, message, reinterpret_cast<WPARAM>(memory), flags);
    const COLORREF pixel = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixel;
}
