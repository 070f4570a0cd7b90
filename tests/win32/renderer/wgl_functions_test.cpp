#include "win32/wgl_functions.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "test_gl_context.h"

namespace {

PROC AsProc(std::intptr_t address) {
    return reinterpret_cast<PROC>(address);
}

TEST(WglFunctions, TheMarkersSomeDriversAnswerForAnUnknownNameAreNoFunctions) {
    for (const std::intptr_t marker : {0, 1, 2, 3, -1}) {
        EXPECT_FALSE(IsFunctionAddress(AsProc(marker))) << marker;
    }
    EXPECT_TRUE(
        IsFunctionAddress(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount")));
}

TEST(WglFunctions, AreFoundOnlyWhereTheDriverHasThem) {
    ASSERT_TRUE(MakeTestGlContextCurrent());
    using AnyFunction = void(WINAPI*)();
    EXPECT_EQ(FindGlFunction<AnyFunction>("wglVorlentaNoSuchFunction"), nullptr);
    EXPECT_NE(FindGlFunction<AnyFunction>("wglGetExtensionsStringARB"), nullptr);
    HDC device = wglGetCurrentDC();
    EXPECT_TRUE(WglExtensionOffered(device, "WGL_EXT_swap_control"));
    EXPECT_FALSE(WglExtensionOffered(device, "WGL_EXT_swap"));
}

}  // namespace
