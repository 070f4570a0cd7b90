#include "model/motion.h"

#include <cmath>

#include "model/animation_clock.h"

namespace {

constexpr float kSpinStep = 1.0f;
constexpr float kOrbitAngleStep = 0.2f;
constexpr float kOrbitRadiusStep = 0.01f;
// The camera path is fixed by this approximation of pi, not by the exact value.
constexpr double kOrbitDegreesToRadians = 3.141 / 180;
constexpr EyePoint kSphereEye = {0.0f, 0.0f, 6.0f};

EyePoint OrbitEye() {
    const double radians = orbitAngle * kOrbitDegreesToRadians;
    return {static_cast<float>(std::sin(radians) * orbitRadius), 0.0f,
            static_cast<float>(std::cos(radians) * orbitRadius)};
}

void StepOrbit() {
    orbitAngle += kOrbitAngleStep;
    orbitRadius += kOrbitRadiusStep;
}

}  // namespace

float TakeSpinAngle() {
    const float angle = spinAngle;
    spinAngle += kSpinStep;
    return angle;
}

EyePoint PlaceCamera() {
    if (scenePhase != kPhaseBurst) {
        return kSphereEye;
    }
    const EyePoint eye = OrbitEye();
    StepOrbit();
    return eye;
}

void MoveFragment(Fragment& fragment) {
    for (int corner = 0; corner < 4; ++corner) {
        fragment.x[corner] += fragment.vx;
        fragment.y[corner] += fragment.vy;
        fragment.z[corner] += fragment.vz;
    }
}
