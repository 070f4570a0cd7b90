// Preloaded into the sanitized runs of the Linux program: keeps the GL driver's libraries loaded
// until the process ends. eglTerminate and XCloseDisplay unload the driver before LeakSanitizer
// reports at exit, and the driver's frames would then read "<unknown module>", which no
// suppression may name; kept loaded, they carry the library names gl_driver.supp gives.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <glob.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>

static void* KeepLoaded(const char* library) {
    return dlopen(library, RTLD_LAZY | RTLD_LOCAL | RTLD_NODELETE);
}

// Mesa's vendor libraries load their DRI drivers from the "dri" folder beside them.
static void KeepDriversBeside(void* vendor) {
    char folder[PATH_MAX];
    char pattern[PATH_MAX + 16];
    glob_t drivers;
    if (dlinfo(vendor, RTLD_DI_ORIGIN, folder) != 0) {
        return;
    }
    snprintf(pattern, sizeof pattern, "%s/dri/*_dri.so", folder);
    if (glob(pattern, 0, NULL, &drivers) != 0) {
        return;
    }
    for (size_t i = 0; i < drivers.gl_pathc; ++i) {
        KeepLoaded(drivers.gl_pathv[i]);
    }
    globfree(&drivers);
}

// The programs the Linux program starts (the XScreenSaver image helper) are not ours to check.
__attribute__((constructor)) static void KeepGlDriverLoaded(void) {
    void* vendor = KeepLoaded("libEGL_mesa.so.0");
    KeepLoaded("libGLX_mesa.so.0");
    if (vendor != NULL) {
        KeepDriversBeside(vendor);
    }
    unsetenv("LD_PRELOAD");
}
