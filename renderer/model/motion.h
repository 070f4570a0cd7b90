#pragma once

#include "model/fragments.h"

// The per-frame motion of the animation, applied by frame drawing as it draws: each call
// returns what this frame shows and then takes the frame's step.

struct EyePoint {
    float x;
    float y;
    float z;
};

// Phase A: the sphere's rotation in degrees for this frame; the spin then grows by one degree.
float TakeSpinAngle();

// The camera's eye point for this frame (it always looks at the origin with y up). In the
// burst the camera circles the y axis towards +x and backs away, one step per frame.
EyePoint PlaceCamera();

// A fragment moves by its velocity after it has been drawn.
void MoveFragment(Fragment& fragment);
