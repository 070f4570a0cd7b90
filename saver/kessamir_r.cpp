#include "kessamir_r.h"

#include <cmath>

#include "forms/runtime.h"
#include "forms/units.h"
#include "logic/preview_geometry.h"
#include "logic/window_titles.h"
#include "resource.h"
#include "rules/shared_values.h"

Kessamir_R::Kessamir_R()
    : forms::Form({kPreviewFormTitle, forms::BorderStyle::None, RGB(192, 192, 192)}) {
    Img_Prev.SetPicture(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                        MAKEINTRESOURCEW(IDB_PREVIEW_STILL),
                                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// The form also goes when the system destroys the preview window that holds it; a close
// request to its own window makes sure nothing of the preview outlives that.
void Kessamir_R::Form_Unload() {
    HWND window = WindowHandle();
    ApiResult = static_cast<int32_t>(reinterpret_cast<intptr_t>(GetWindow(window, GW_OWNER)));
    ApiResult = PostMessageA(window, WM_CLOSE, 0, 0);
}

// Only the low 32 bits of a window handle are significant; a 64-bit program sign-extends them,
// as Windows does when a handle crosses from a 32-bit program.
void ShowPreview(Kessamir_R& form, uint32_t previewHandle) {
    HWND host = reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(previewHandle)));
    if (previewHandle == 0 || !IsWindow(host)) {
        forms::Runtime::End();
        return;
    }
    RECT hostRect{};
    ApiResult = GetWindowRect(host, &hostRect);
    const PreviewGeometry geometry =
        ComputePreviewGeometry(hostRect.right - hostRect.left, hostRect.bottom - hostRect.top,
                               forms::TwipsPerPixel(), forms::TwipsPerPixel());
    form.Load();
    HWND window = form.WindowHandle();
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    ApiResult = SetWindowLongA(window, GWL_STYLE,
                               static_cast<LONG>(PreviewChildStyle(static_cast<uint32_t>(style))));
    SetParent(window, host);
    form.Move(geometry.left, geometry.top, geometry.width, geometry.height);
    form.Img_Prev.Move(0, 0, static_cast<int>(std::lround(geometry.pictureWidth)),
                       static_cast<int>(std::lround(geometry.pictureHeight)));
    form.Show();
}
