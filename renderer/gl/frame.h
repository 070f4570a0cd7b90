#pragma once

// One frame of the animation into the back buffer: the spinning sphere in phase A, the burst
// in phase B. Applies the frame's motion as it draws.
void DrawFrame();
