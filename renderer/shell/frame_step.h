#pragma once

#include "gl/frame.h"
#include "model/animation_clock.h"

// One pass of the animation that produces a frame, as every shell runs it: draw the frame
// unless the window is out of sight, put it on the screen with the shell's own present (a
// buffer swap, with whatever the shell shows or times around it), then step the clock, drawn
// or not, so that the phases change on time. When the loop ends is the shell's business.
template <typename Present>
void StepFrame(bool draw, Present present) {
    if (draw) {
        DrawFrame();
    }
    present();
    AdvanceClock();
}
