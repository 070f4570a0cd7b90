#include "model/crt_rand.h"

std::uint32_t crtRandState = 1;

int CrtRand() {
    crtRandState = crtRandState * 214013u + 2531011u;
    return static_cast<int>((crtRandState >> 16) & kCrtRandMax);
}
