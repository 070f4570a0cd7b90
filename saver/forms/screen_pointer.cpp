#include "forms/screen_pointer.h"

namespace forms {
namespace {

HCURSOR screenPointer = nullptr;

}  // namespace

void SetScreenMousePointer(HCURSOR pointer) {
    screenPointer = pointer;
    SetCursor(pointer != nullptr ? pointer : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
}

HCURSOR ScreenMousePointer() {
    return screenPointer;
}

}  // namespace forms
