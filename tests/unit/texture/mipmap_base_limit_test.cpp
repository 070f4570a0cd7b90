#include <gtest/gtest.h>

#include <GL/gl.h>
#include <dlfcn.h>

#include <iterator>
#include <optional>
#include <ostream>
#include <string>

#include "gl/mipmap_size.h"
#include "glu_comparison.h"
#include "glu_first_level.h"
#include "test_gl_context.h"
#include "texture/mipmap_base.h"

namespace {

// The largest texture side this test lets GL take, and the most texels it takes at level 1;
// 0 leaves the driver's own.
int narrowedLimit = 0;
long narrowedTexels = 0;

bool PassesNarrowedLimit(GLint side, GLint level) {
    return narrowedLimit > 0 && side > (narrowedLimit >> level);
}

bool PassesNarrowedTexels(GLint width, GLint height) {
    return narrowedTexels > 0 && static_cast<long>(width) * height > narrowedTexels;
}

}  // namespace

// GLU asks whether a level fits by loading it into the proxy texture and reading its width back,
// 0 meaning "too large". This program answers that question in place of the driver, so that
// GLU meets the small limits real drivers report (Windows' own software OpenGL: 1024) on a
// driver that takes 16384, and a driver whose memory refuses less than its largest side.
extern "C" void glGetTexLevelParameteriv(GLenum target, GLint level, GLenum name, GLint* value) {
    using Query = void (*)(GLenum, GLint, GLenum, GLint*);
    static const Query driver =
        reinterpret_cast<Query>(dlsym(RTLD_NEXT, "glGetTexLevelParameteriv"));
    driver(target, level, name, value);
    if (target != GL_PROXY_TEXTURE_2D || name != GL_TEXTURE_WIDTH) {
        return;
    }
    GLint height = 0;
    driver(target, level, GL_TEXTURE_HEIGHT, &height);
    if (PassesNarrowedLimit(*value, level) || PassesNarrowedLimit(height, level) ||
        PassesNarrowedTexels(*value, height)) {
        *value = 0;
    }
}

namespace {

constexpr int kLimits[] = {256, 512, 1024, 2048, 4096, 8192, 16384};

struct Screen {
    int width;
    int height;
    int largestLimit = kLimits[std::size(kLimits) - 1];
};

void PrintTo(const Screen& screen, std::ostream* out) {
    *out << screen.width << " x " << screen.height;
}

class MipmapBaseUnderTextureLimit : public ::testing::TestWithParam<Screen> {};

TEST_P(MipmapBaseUnderTextureLimit, IsTheFirstLevelGluBuildsBitForBitAtEveryLimit) {
    ASSERT_TRUE(MakeTestGlContextCurrent());
    const BitmapImage picture = NoisePicture(GetParam().width, GetParam().height);
    for (const int limit : kLimits) {
        if (limit > GetParam().largestLimit) {
            break;
        }
        SCOPED_TRACE("at a limit of " + std::to_string(limit));
        narrowedLimit = limit;
        const std::optional<BitmapImage> scaled =
            ScaleToMipmapBase(picture, DriverMipmapBaseSize(picture.width, picture.height));
        ExpectSamePicture(scaled ? *scaled : picture, GluFirstLevel(picture));
    }
    narrowedLimit = 0;
}

// A driver whose proxy refuses, for want of memory, a texture its largest side allows: GLU takes
// the size the proxy accepts, and so must the picture handed to it, or GLU scales it again.
TEST_P(MipmapBaseUnderTextureLimit, IsTheFirstLevelGluBuildsWhereTheProxyRefusesBelowTheLimit) {
    ASSERT_TRUE(MakeTestGlContextCurrent());
    const BitmapImage picture = NoisePicture(GetParam().width, GetParam().height);
    narrowedTexels = 512L * 256;
    const std::optional<BitmapImage> scaled =
        ScaleToMipmapBase(picture, DriverMipmapBaseSize(picture.width, picture.height));
    ExpectSamePicture(scaled ? *scaled : picture, GluFirstLevel(picture));
    narrowedTexels = 0;
}

// The desktops people have, at the limits from the smallest a driver reports to the largest
// texture Mesa takes. At 8192 and 16384 the largest is scaled up across and down along to
// 8192 x 4096, just as 3840 x 2160 is to 4096 x 2048 from 4096 on, and those two limits alone
// would take a third of the run: it is tested at the limits that make it smaller.
INSTANTIATE_TEST_SUITE_P(
    Screens, MipmapBaseUnderTextureLimit,
    ::testing::Values(Screen{640, 480}, Screen{800, 600}, Screen{1024, 768}, Screen{1280, 1024},
                      Screen{1366, 768}, Screen{1536, 864}, Screen{1600, 900}, Screen{1920, 1080},
                      Screen{2560, 1440}, Screen{2880, 1800}, Screen{3440, 1440},
                      Screen{3840, 2160}, Screen{5120, 1440}, Screen{7680, 4320, 4096}),
    [](const ::testing::TestParamInfo<Screen>& info) {
        return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
    });

}  // namespace
