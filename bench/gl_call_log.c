// Preloaded into the Linux program by bench/pace_bench.py and bench/wayland_bench.py: notes the
// time of every glRotatef (drawn only in the sphere phase) and every buffer swap (GLX's or
// EGL's), one line each ("R" or "S" and the seconds on the monotonic clock), in the file named by
// VORLENTA_GL_CALL_LOG, then calls the driver's own function. The program itself is the shipped
// one, unchanged.
#define _GNU_SOURCE
#include <EGL/egl.h>
#include <GL/glx.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static FILE* callLog;

static void NoteCall(char kind) {
    if (callLog == NULL) {
        const char* path = getenv("VORLENTA_GL_CALL_LOG");
        callLog = fopen(path != NULL ? path : "/dev/null", "w");
    }
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    fprintf(callLog, "%c %ld.%09ld\n", kind, (long)now.tv_sec, now.tv_nsec);
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    static void (*driver)(GLfloat, GLfloat, GLfloat, GLfloat);
    if (driver == NULL) {
        *(void**)&driver = dlsym(RTLD_NEXT, "glRotatef");
    }
    NoteCall('R');
    driver(angle, x, y, z);
}

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    static void (*driver)(Display*, GLXDrawable);
    if (driver == NULL) {
        *(void**)&driver = dlsym(RTLD_NEXT, "glXSwapBuffers");
    }
    NoteCall('S');
    fflush(callLog);
    driver(display, drawable);
}

EGLBoolean eglSwapBuffers(EGLDisplay display, EGLSurface surface) {
    static EGLBoolean (*driver)(EGLDisplay, EGLSurface);
    if (driver == NULL) {
        *(void**)&driver = dlsym(RTLD_NEXT, "eglSwapBuffers");
    }
    NoteCall('S');
    fflush(callLog);
    return driver(display, surface);
}
