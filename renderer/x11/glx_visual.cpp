#include "x11/glx_visual.h"

#include <X11/Xutil.h>

#include <cstdio>
#include <vector>

namespace {

int GlxAttribute(Display* display, XVisualInfo* visual, int attribute) {
    int value = 0;
    return glXGetConfig(display, visual, attribute, &value) == 0 ? value : 0;
}

// What the program's own window asks of its visual, as glXChooseVisual is asked below.
bool SuitsOwnWindow(Display* display, XVisualInfo* visual) {
    return CanDrawScene(display, visual) && GlxAttribute(display, visual, GLX_DOUBLEBUFFER) != 0 &&
           GlxAttribute(display, visual, GLX_DEPTH_SIZE) >= 16;
}

VisualClass ClassOf(int xClass) {
    switch (xClass) {
        case StaticGray:
            return VisualClass::kStaticGray;
        case GrayScale:
            return VisualClass::kGrayScale;
        case StaticColor:
            return VisualClass::kStaticColor;
        case PseudoColor:
            return VisualClass::kPseudoColor;
        case DirectColor:
            return VisualClass::kDirectColor;
        default:
            return VisualClass::kTrueColor;
    }
}

std::vector<VisualCandidate> CandidatesOf(Display* display, XVisualInfo* visuals, int count) {
    std::vector<VisualCandidate> candidates;
    for (int i = 0; i < count; ++i) {
        candidates.push_back({visuals[i].visualid, ClassOf(visuals[i].c_class), visuals[i].depth,
                              SuitsOwnWindow(display, &visuals[i])});
    }
    return candidates;
}

XVisualInfo* VisualById(Display* display, int screen, unsigned long id) {
    XVisualInfo wanted{};
    wanted.visualid = id;
    wanted.screen = screen;
    int count = 0;
    return XGetVisualInfo(display, VisualIDMask | VisualScreenMask, &wanted, &count);
}

XVisualInfo* RequestedVisual(Display* display, int screen, const VisualRequest& request) {
    XVisualInfo wanted{};
    wanted.screen = screen;
    int count = 0;
    XVisualInfo* visuals = XGetVisualInfo(display, VisualScreenMask, &wanted, &count);
    if (visuals == nullptr) {
        return nullptr;
    }
    const auto chosen = PickVisual(request, CandidatesOf(display, visuals, count));
    XFree(visuals);
    return chosen ? VisualById(display, screen, *chosen) : nullptr;
}

}  // namespace

bool CanDrawScene(Display* display, XVisualInfo* visual) {
    return GlxAttribute(display, visual, GLX_USE_GL) != 0 &&
           GlxAttribute(display, visual, GLX_RGBA) != 0;
}

XVisualInfo* ChooseOwnVisual(Display* display, int screen, const VisualRequest& request) {
    if (request.kind != VisualRequest::Kind::Default) {
        if (XVisualInfo* visual = RequestedVisual(display, screen, request)) {
            return visual;
        }
        std::fprintf(stderr,
                     "vorlenta: -visual %s: no such visual for OpenGL on this display; using the "
                     "default one\n",
                     request.name.c_str());
    }
    int attributes[] = {
        GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 1,   GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE,
        1,        GLX_DEPTH_SIZE,   16,           None};
    return glXChooseVisual(display, screen, attributes);
}

XVisualInfo* VisualOfWindow(Display* display, Visual* visual) {
    XVisualInfo wanted{};
    wanted.visualid = XVisualIDFromVisual(visual);
    int count = 0;
    return XGetVisualInfo(display, VisualIDMask, &wanted, &count);
}
