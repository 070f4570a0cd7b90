#pragma once

#include <cstdint>

// Display count of the last ShowCursor of the run mode: written when Main hides the cursor,
// rewritten when the run form shows it again.
extern int32_t CursorCount;
