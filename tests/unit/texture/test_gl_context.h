#pragma once

// Makes an OpenGL context current for the rest of the test program, once: GLU reads the
// pixel-store state and asks GL whether a texture fits, so it needs a real one.
bool MakeTestGlContextCurrent();
