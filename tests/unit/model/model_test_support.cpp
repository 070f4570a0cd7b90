#include "model_test_support.h"

#include "model/animation_clock.h"
#include "model/crt_rand.h"
#include "model/sphere_mesh.h"

void ResetModelToStart() {
    crtRandState = 1;
    scenePhase = kPhaseSphere;
    frameCounter = 0.0f;
    spinAngle = 0.0f;
    orbitAngle = 0.0f;
    orbitRadius = kOrbitStartRadius;
    BuildSphereMesh();
}
