#include "test_gl_context.h"

#include "headless/offscreen_context.h"

// Never torn down: terminating the display unloads the GL driver before LeakSanitizer reports
// at exit, and the driver's own allocations would then be "<unknown module>" instead of the
// library names that tests/tools/leaks/gl_driver.supp suppresses. Held by a static pointer, the
// context itself is no leak.
bool MakeTestGlContextCurrent() {
    static const OffscreenContext* const context = new OffscreenContext(1, 1);
    return context->Current();
}
