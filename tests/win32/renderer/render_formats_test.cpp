#include "win32/render_formats.h"

#include <gtest/gtest.h>

namespace {

TEST(FullScreenModeRequest, IsTheClassic148ByteFormWithSizeAndDepthOnly) {
    const DEVMODEA mode = MakeFullScreenMode(1024, 768, 32);
    // MinGW's structure is larger; the request must still announce the classic size.
    EXPECT_EQ(mode.dmSize, 148);
    EXPECT_EQ(mode.dmFields, 0x1C0000u);
    EXPECT_EQ(mode.dmPelsWidth, 1024u);
    EXPECT_EQ(mode.dmPelsHeight, 768u);
    EXPECT_EQ(mode.dmBitsPerPel, 32u);
    EXPECT_EQ(mode.dmDisplayFrequency, 0u);
    EXPECT_EQ(mode.dmDriverExtra, 0);
}

TEST(FullScreenModeRequest, IsAcceptedAsAQueryByTheSystem) {
    DEVMODEA mode = MakeFullScreenMode(1024, 768, 32);
    // CDS_TEST checks the request without switching; a malformed record gives BADPARAM.
    EXPECT_NE(ChangeDisplaySettingsA(&mode, CDS_TEST), DISP_CHANGE_BADPARAM);
}

TEST(PixelFormatRequest, AsksForDoubleBufferedRgbaWithA16BitDepthBuffer) {
    const PIXELFORMATDESCRIPTOR descriptor = MakePixelFormatDescriptor(32);
    EXPECT_EQ(descriptor.nSize, 40);
    EXPECT_EQ(descriptor.nVersion, 1);
    EXPECT_EQ(descriptor.dwFlags, 0x25u);
    EXPECT_EQ(descriptor.iPixelType, PFD_TYPE_RGBA);
    EXPECT_EQ(descriptor.cColorBits, 32);
    EXPECT_EQ(descriptor.cDepthBits, 16);
    EXPECT_EQ(descriptor.cStencilBits, 0);
    EXPECT_EQ(descriptor.cAccumBits, 0);
    EXPECT_EQ(descriptor.cAlphaBits, 0);
    EXPECT_EQ(descriptor.iLayerType, PFD_MAIN_PLANE);
}

TEST(SwallowedSystemCommands, AreExactlyScreenSaveAndMonitorPower) {
    EXPECT_TRUE(IsSwallowedSysCommand(SC_SCREENSAVE));
    EXPECT_TRUE(IsSwallowedSysCommand(SC_MONITORPOWER));
    EXPECT_FALSE(IsSwallowedSysCommand(SC_CLOSE));
    EXPECT_FALSE(IsSwallowedSysCommand(SC_MINIMIZE));
    EXPECT_FALSE(IsSwallowedSysCommand(SC_KEYMENU));
    // The comparison is exact: the low bits the system sometimes sets are not masked off.
    EXPECT_FALSE(IsSwallowedSysCommand(SC_SCREENSAVE | 2));
}

}  // namespace
