#pragma once
// The rules of the puzzle over the board alone.

#include "framework/Types.h"

// Whether two tile numbers may be merged: equal or one apart (9 and 1 are not).
constexpr bool ArePartners(Int32 a, Int32 b)
{
    return a - b <= 1 && b - a <= 1;
}
