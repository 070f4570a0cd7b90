#include "gl/mipmap_size.h"

#include <GL/gl.h>

namespace {

// The format gluBuild2DMipmaps is given for the desktop: three components, RGB bytes.
constexpr GLint kComponents = 3;

bool LevelOneFitsInDriver(PictureSize levelOne) {
    glTexImage2D(GL_PROXY_TEXTURE_2D, 1, kComponents, levelOne.width, levelOne.height, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, nullptr);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &width);
    return width != 0;
}

GLint MaxTextureSize() {
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return size;
}

}  // namespace

PictureSize DriverMipmapBaseSize(int width, int height) {
    return MipmapBaseSize(width, height, LevelOneFitsInDriver, MaxTextureSize());
}
