#include "rules/shared_values.h"

std::int32_t ApiResult = 0;
std::int32_t CursorCount = 0;
