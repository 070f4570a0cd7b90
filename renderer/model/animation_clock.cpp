#include "model/animation_clock.h"

#include "model/fragments.h"

int scenePhase = kPhaseSphere;
float frameCounter = 0.0f;
float spinAngle = 0.0f;
float orbitAngle = 0.0f;
float orbitRadius = kOrbitStartRadius;

namespace {

void StartBurst() {
    scenePhase = kPhaseBurst;
    orbitAngle = 0.0f;
    orbitRadius = kOrbitStartRadius;
    BuildFragments();
}

void StartCycle() {
    scenePhase = kPhaseSphere;
    frameCounter = 0.0f;
}

}  // namespace

void AdvanceClock() {
    frameCounter += 1.0f;
    if (frameCounter == kBurstStartFrame) {
        StartBurst();
    }
    if (frameCounter == kCycleEndFrame) {
        StartCycle();
    }
}
