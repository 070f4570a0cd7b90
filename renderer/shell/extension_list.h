#pragma once

// Whether an OpenGL extension list (names separated by spaces, as GL_EXTENSIONS and the WGL
// and GLX extension strings give them) names NAME as a whole word: "WGL_EXT_swap_control" is
// not offered by a list that only has "WGL_EXT_swap_control_tear". A null list names nothing.
bool ExtensionListed(const char* list, const char* name);
