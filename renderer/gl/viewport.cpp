#include "gl/viewport.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

constexpr double kFieldOfViewDegrees = 45.0;
constexpr double kNearPlane = 0.1;
constexpr double kFarPlane = 100.0;

}  // namespace

void ResizeViewport(int width, int height) {
    // A minimised window reports a height of 0; the aspect ratio must stay finite.
    if (height == 0) {
        height = 1;
    }
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfViewDegrees, static_cast<double>(width) / height, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
