// The baseline for the Linux program's benchmark: the least a GLX program can do. One 1024 x 768
// window with the program's visual (RGBA, double buffer, 16-bit depth); each frame only clears
// and swaps. Runs for the seconds given as its argument (default 5) and prints, as key=value
// lines on stderr, the milliseconds from its launch to the first swapped frame and the frame
// rate, with the same clocks as the program's benchmark build.
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

#include "frame_timing_report.h"

namespace {

Window MakeWindow(Display* display, XVisualInfo* visual) {
    const Window root = DefaultRootWindow(display);
    XSetWindowAttributes attributes{};
    attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    attributes.event_mask = StructureNotifyMask;
    const Window window =
        XCreateWindow(display, root, 0, 0, 1024, 768, 0, visual->depth, InputOutput, visual->visual,
                      CWColormap | CWEventMask, &attributes);
    XMapWindow(display, window);
    XEvent event;
    do {
        XWindowEvent(display, window, StructureNotifyMask, &event);
    } while (event.type != MapNotify);
    return window;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    Display* display = XOpenDisplay(nullptr);
    int wanted[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 1,   GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE,
                    1,        GLX_DEPTH_SIZE,   16,           None};
    XVisualInfo* visual =
        display != nullptr ? glXChooseVisual(display, DefaultScreen(display), wanted) : nullptr;
    if (visual == nullptr) {
        std::fputs("error=no GLX visual\n", stderr);
        return 1;
    }
    const Window window = MakeWindow(display, visual);
    GLXContext context = glXCreateContext(display, visual, nullptr, True);
    glXMakeCurrent(display, window, context);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    long frames = 0;
    double firstSwap = 0.0;
    do {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glXSwapBuffers(display, window);
        if (++frames == 1) {
            firstSwap = CounterSeconds();
            PrintBenchFigure("first_swap_ms", MillisecondsSinceProcessStart());
        }
    } while (CounterSeconds() - firstSwap < seconds);
    PrintBenchFigure("frames", static_cast<double>(frames));
    PrintBenchFigure("fps", (frames - 1) / (CounterSeconds() - firstSwap));
    glXMakeCurrent(display, None, nullptr);
    glXDestroyContext(display, context);
    XFree(visual);
    XCloseDisplay(display);
    return 0;
}
