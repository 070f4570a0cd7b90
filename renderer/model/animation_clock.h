#pragma once

// The animation alternates two phases of 400 loop passes each: A, the spinning sphere, and
// B, the burst with the orbiting camera. Every speed is a step per frame, so the pace is the
// pace of the buffer swaps.
constexpr int kPhaseSphere = 0;
constexpr int kPhaseBurst = 1;
constexpr float kBurstStartFrame = 400.0f;
constexpr float kCycleEndFrame = 800.0f;
constexpr float kOrbitStartRadius = 6.0f;

extern int scenePhase;      // kPhaseSphere or kPhaseBurst
extern float frameCounter;  // passes that swapped buffers, within the cycle; whole numbers only
extern float spinAngle;     // degrees; keeps growing from cycle to cycle, never wrapped
extern float orbitAngle;    // degrees around the y axis
extern float orbitRadius;   // camera distance from the origin

// One step of the clock, once per loop pass that swapped buffers, drawn or not. Entering the
// burst resets the orbit and rebuilds the fragments from the unrotated sphere.
void AdvanceClock();
