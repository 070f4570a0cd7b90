#pragma once

#include "texture/mipmap_base.h"

// The size gluBuild2DMipmaps gives the first level of a width x height RGB picture in the current
// context, found by asking the driver what GLU asks it, the way GLU asks: a proxy texture of the
// level below, read back. Handed a picture of that size, GLU leaves it as it is.
PictureSize DriverMipmapBaseSize(int width, int height);
