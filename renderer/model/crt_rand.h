#pragma once

#include <cstdint>

// The explosions must follow the Windows C run-time's rand sequence on every platform, so the
// renderer carries that generator itself instead of trusting the local rand.
constexpr int kCrtRandMax = 32767;

// Process-wide generator state: 1 at start and never reseeded, so the first explosion of
// every run is the same.
extern std::uint32_t crtRandState;

// One draw, 0...kCrtRandMax.
int CrtRand();
