#include "test_gl_context.h"

#include "x11/offscreen_context.h"

bool MakeTestGlContextCurrent() {
    static const OffscreenContext context(1, 1);
    return context.Current();
}
