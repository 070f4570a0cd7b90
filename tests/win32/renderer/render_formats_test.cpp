#include "win32/render_formats.h"

#include <gtest/gtest.h>

namespace {

TEST(FullScreenModeRequest, IsTheClassic148ByteFormWithSizeDepthAndAKnownRefreshRate) {
    struct Case {
        int refreshHertz;
        DWORD fields;
        DWORD frequency;
    };
    // 0 and 1 are Windows' "not known": the driver's default rate is asked for.
    for (const Case& c :
         {Case{0, 0x1C0000u, 0u}, Case{1, 0x1C0000u, 0u}, Case{75, 0x5C0000u, 75u}}) {
        const DEVMODEA mode = MakeFullScreenMode(1024, 768, 32, c.refreshHertz);
        // MinGW's structure is larger; the request must still announce the classic size.
        EXPECT_EQ(mode.dmSize, 148);
        EXPECT_EQ(mode.dmFields, c.fields);
        EXPECT_EQ(mode.dmPelsWidth, 1024u);
        EXPECT_EQ(mode.dmPelsHeight, 768u);
        EXPECT_EQ(mode.dmBitsPerPel, 32u);
        EXPECT_EQ(mode.dmDisplayFrequency, c.frequency);
        EXPECT_EQ(mode.dmDriverExtra, 0);
    }
}

TEST(FullScreenModeRequest, IsAcceptedAsAQueryByTheSystem) {
    DEVMODEA mode = MakeFullScreenMode(1024, 768, 32, 60);
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
