#pragma once
// One picture showing every picture and cursor, and the field put together from them as the
// game draws it, for looking the set over.

#include "tools/mediamaker/PictureSet.h"

QImage ContactSheet(const std::vector<NamedImage>& pictures, const std::vector<NamedImage>& cursors);
