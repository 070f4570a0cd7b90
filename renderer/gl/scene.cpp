#include "gl/scene.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <optional>

#include "gl/mipmap_size.h"
#include "model/sphere_mesh.h"
#include "texture/mipmap_base.h"

unsigned int desktopTexture = 0;
const float lightPosition[4] = {1.0f, 5.0f, 5.0f, 1.0f};

namespace {

constexpr GLfloat kLightAmbient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr GLfloat kLightDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kLightSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kMaterialSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kMaterialShininess = 10.0f;
constexpr GLint kDefaultUnpackAlignment = 4;

void BuildMipmaps(const BitmapImage& image) {
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                      image.pixels.data());
}

// GLU scales a picture whose sides are not powers of two far more slowly than we do; handed
// one already at the size it would choose, it only builds the smaller levels. Where there is
// no scaled picture (no memory for one) GLU scales the desktop itself. The reader's rows are
// tightly packed (3 x width bytes), so GL must not assume padding.
void UploadMipmaps(const BitmapImage& image) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const std::optional<BitmapImage> scaled =
        ScaleToMipmapBase(image, DriverMipmapBaseSize(image.width, image.height));
    BuildMipmaps(scaled ? *scaled : image);
    glPixelStorei(GL_UNPACK_ALIGNMENT, kDefaultUnpackAlignment);
}

void SetDepthAndShading() {
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

// The modelview matrix is the identity here, so the light's position is in eye coordinates.
void SetLight() {
    glLightfv(GL_LIGHT1, GL_AMBIENT, kLightAmbient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, kLightDiffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, lightPosition);
    glLightfv(GL_LIGHT1, GL_SPECULAR, kLightSpecular);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
}

void SetMaterial() {
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kMaterialSpecular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, kMaterialShininess);
}

void LoadDesktopTexture(const BitmapImage& desktop) {
    glGenTextures(1, &desktopTexture);
    glBindTexture(GL_TEXTURE_2D, desktopTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    UploadMipmaps(desktop);
}

}  // namespace

void InitScene(const BitmapImage& desktop) {
    BuildSphereMesh();
    LoadDesktopTexture(desktop);
    SetDepthAndShading();
    SetLight();
    SetMaterial();
}
