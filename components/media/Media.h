#pragma once
// All the media accessors, and their release at program end.

#include "components/media/Cursors.h"
#include "components/media/Pictures.h"
#include "components/media/Sounds.h"

// Drops the held sounds, then the cursors, before the framework's own clean-up. The pictures
// are kept until the process ends.
void ReleaseMedia();
