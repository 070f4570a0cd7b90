#pragma once

#include <cstdint>

// Values the screen saver's modules share.

// Result of the last platform call that keeps one; nothing examines it.
extern std::int32_t ApiResult;
// Display count of the last ShowCursor of the run mode: written when Main hides the cursor,
// rewritten when the run form shows it again.
extern std::int32_t CursorCount;
