#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "forms/controls.h"
#include "forms/runtime.h"
#include "kessamir_r.h"
#include "no_form_left.h"
#include "resource.h"
#include "system/wide_text.h"

namespace {

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

HWND CreateHost(int width, int height) {
    return CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"preview host",
                           WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height, nullptr,
                           nullptr, nullptr, nullptr);
}

// The still as the image control should show it: stretched with halftone to the given size.
HBITMAP ExpectedStill(HDC like, int width, int height) {
    HBITMAP still = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                    MAKEINTRESOURCEW(IDB_PREVIEW_STILL),
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    HDC source = CreateCompatibleDC(like);
    HDC target = CreateCompatibleDC(like);
    HBITMAP expected = CreateCompatibleBitmap(like, width, height);
    SelectObject(source, still);
    SelectObject(target, expected);
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, 0, 0, width, height, source, 0, 0, 152, 112, SRCCOPY);
    DeleteDC(source);
    DeleteDC(target);
    DeleteObject(still);
    return expected;
}

// Share of sampled screen pixels over the host that match the expected stretch.
double MatchingShare(HWND host, int width, int height) {
    HDC screen = GetDC(nullptr);
    HBITMAP expected = ExpectedStill(screen, width, height);
    HDC expectedDc = CreateCompatibleDC(screen);
    SelectObject(expectedDc, expected);
    POINT origin{0, 0};
    ClientToScreen(host, &origin);
    int samples = 0;
    int matches = 0;
    for (int y = 0; y < height; y += 3) {
        for (int x = 0; x < width; x += 3) {
            ++samples;
            matches += GetPixel(screen, origin.x + x, origin.y + y) == GetPixel(expectedDc, x, y);
        }
    }
    DeleteDC(expectedDc);
    DeleteObject(expected);
    ReleaseDC(nullptr, screen);
    return static_cast<double>(matches) / samples;
}

// With VORLENTA_SCREENSHOTS set, keeps the host's area of the screen as a bitmap there.
void KeepScreenshot(HWND host, int width, int height) {
    const char* folder = std::getenv("VORLENTA_SCREENSHOTS");
    if (folder == nullptr) {
        return;
    }
    struct Shot : forms::Form {
        Shot() : forms::Form({"Vorlenta preview shot", forms::BorderStyle::None, 0}) {}
        forms::PictureBox Canvas{*this, *this, RECT{0, 0, 1, 1}, 0};
    } shot;
    shot.Load();
    shot.Canvas.Move(0, 0, width, height);
    HDC screen = GetDC(nullptr);
    POINT origin{0, 0};
    ClientToScreen(host, &origin);
    BitBlt(shot.Canvas.hDC(), 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    shot.Canvas.SavePicture(Widen(std::string(folder) + "\\saver-preview-" + std::to_string(width) +
                                  "x" + std::to_string(height) + ".bmp"));
    shot.Unload();
}

void CheckPreview(int width, int height) {
    HWND host = CreateHost(width, height);
    Kessamir_R form;
    ShowPreview(form, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(host)));
    PumpFor(300);

    ASSERT_TRUE(form.Loaded());
    HWND window = form.WindowHandle();
    EXPECT_EQ(GetParent(window), host);
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_POPUP);
    RECT formRect{};
    GetWindowRect(window, &formRect);
    MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&formRect), 2);
    EXPECT_EQ(formRect.left, 0);
    EXPECT_EQ(formRect.top, 0);
    EXPECT_EQ(formRect.right, width);
    EXPECT_EQ(formRect.bottom, height);
    EXPECT_EQ(form.Img_Prev.Width(), width);
    EXPECT_EQ(form.Img_Prev.Height(), height);
    EXPECT_GT(MatchingShare(host, width, height), 0.95);
    KeepScreenshot(host, width, height);

    DestroyWindow(host);
    EXPECT_FALSE(form.Loaded());
    EXPECT_TRUE(NoFormLeft());
}

}  // namespace

TEST(Preview, CoversTheSmallPreviewWindowWithTheStill) {
    CheckPreview(152, 112);
}

TEST(Preview, StretchesTheStillOverALargerPreviewWindow) {
    CheckPreview(200, 150);
}
