#include "x11/glx_extensions.h"

#include <GL/glx.h>

#include "shell/extension_list.h"

bool GlxExtensionOffered(Display* display, const char* name) {
    return ExtensionListed(glXQueryExtensionsString(display, DefaultScreen(display)), name);
}
