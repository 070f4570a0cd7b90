#include "x11/glx_extensions.h"

#include <GL/glx.h>

#include <sstream>
#include <string>

bool GlxExtensionOffered(Display* display, const char* name) {
    const char* listed = glXQueryExtensionsString(display, DefaultScreen(display));
    std::istringstream extensions(listed != nullptr ? listed : "");
    std::string extension;
    while (extensions >> extension) {
        if (extension == name) {
            return true;
        }
    }
    return false;
}
