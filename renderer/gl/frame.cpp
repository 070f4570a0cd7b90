#include "gl/frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "gl/scene.h"
#include "gl/sphere_cells.h"
#include "model/animation_clock.h"
#include "model/motion.h"

namespace {

constexpr GLfloat kSpinAxis[3] = {0.5f, 0.5f, 0.7f};

void SendNormal(const Vec3d& normal) {
    glNormal3f(static_cast<GLfloat>(normal.x), static_cast<GLfloat>(normal.y),
               static_cast<GLfloat>(normal.z));
}

// A mesh point with the place of the picture it shows.
struct TexturedPoint {
    const Vec3d& point;
    double s;
    double t;
};

void SendVertex(const TexturedPoint& vertex) {
    glTexCoord2d(vertex.s, vertex.t);
    glVertex3f(static_cast<GLfloat>(vertex.point.x), static_cast<GLfloat>(vertex.point.y),
               static_cast<GLfloat>(vertex.point.z));
}

// One flat-shaded triangle of its own: its normal, then its three corners.
void DrawFacet(const Vec3d& normal, const TexturedPoint& a, const TexturedPoint& b,
               const TexturedPoint& c) {
    SendNormal(normal);
    glBegin(GL_TRIANGLES);
    SendVertex(a);
    SendVertex(b);
    SendVertex(c);
    glEnd();
}

void SendCorner(const Fragment& fragment, int corner, double s, double t) {
    glTexCoord2d(s, t);
    glVertex3f(fragment.x[corner], fragment.y[corner], fragment.z[corner]);
}

// Normals are recomputed every frame on purpose: nothing is cached between frames.
void DrawSphereCell(int azimuth, int polar) {
    const SphereCell cell = MakeSphereCell(azimuth, polar);
    const TexturePatch& patch = cell.patch;
    DrawFacet(FirstFacetNormal(cell), {cell.p00, patch.s0, patch.t0},
              {cell.p10, patch.s1, patch.t0}, {cell.p01, patch.s0, patch.t1});
    DrawFacet(SecondFacetNormal(cell), {cell.p11, patch.s1, patch.t1},
              {cell.p01, patch.s0, patch.t1}, {cell.p10, patch.s1, patch.t0});
}

void DrawFragment(Fragment& fragment, int azimuth, int polar) {
    const TexturePatch patch = CellTexturePatch(azimuth, polar);
    glBegin(GL_QUADS);
    SendCorner(fragment, 0, patch.s0, patch.t0);
    SendCorner(fragment, 1, patch.s1, patch.t0);
    SendCorner(fragment, 2, patch.s1, patch.t1);
    SendCorner(fragment, 3, patch.s0, patch.t1);
    glEnd();
    MoveFragment(fragment);
}

void LookFromCamera() {
    const EyePoint eye = PlaceCamera();
    gluLookAt(eye.x, eye.y, eye.z, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

void DrawSphere() {
    glPushMatrix();
    glRotatef(TakeSpinAngle(), kSpinAxis[0], kSpinAxis[1], kSpinAxis[2]);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, desktopTexture);
    for (int polar = 0; polar < kMeshCells; ++polar) {
        for (int azimuth = 0; azimuth < kMeshCells; ++azimuth) {
            DrawSphereCell(azimuth, polar);
        }
    }
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

// The pieces show the picture's own colours: unlit, white, at full brightness.
void DrawFragments() {
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glBindTexture(GL_TEXTURE_2D, desktopTexture);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (int polar = 0; polar < kFragmentCells; ++polar) {
        for (int azimuth = 0; azimuth < kFragmentCells; ++azimuth) {
            DrawFragment(fragments[azimuth][polar], azimuth, polar);
        }
    }
    glDisable(GL_TEXTURE_2D);
}

}  // namespace

void DrawFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    // Sent while the matrix is the identity: the light stays put relative to the viewer.
    glLightfv(GL_LIGHT1, GL_POSITION, lightPosition);
    LookFromCamera();
    if (scenePhase == kPhaseBurst) {
        DrawFragments();
    } else {
        DrawSphere();
    }
    glDisable(GL_LIGHTING);
    glEnable(GL_LIGHTING);
}
