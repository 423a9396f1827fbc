#include "components/media/Media.h"

#include "components/media/CursorShelf.h"
#include "components/media/SoundShelf.h"

void ReleaseMedia()
{
    SoundShelf::Shared().Release();
    CursorShelf::Shared().Release();
}
