#include "puzzle/TriangleCellEntry.h"

void TriangleCellEntry::SetIndex(Int32 x, Int32 y, Int32 z, Int32 s)
{
    ItsIndexX = x;
    ItsIndexY = y;
    ItsIndexZ = z;
    ItsIndexS = s;
    Initialize();
}

void TriangleCellEntry::Initialize() {}

Int32 TriangleCellEntry::RefIndexX() const
{
    return ItsIndexX;
}

Int32 TriangleCellEntry::RefIndexY() const
{
    return ItsIndexY;
}

Int32 TriangleCellEntry::RefIndexZ() const
{
    return ItsIndexZ;
}

Int32 TriangleCellEntry::RefIndexS() const
{
    return ItsIndexS;
}

String TriangleCellEntry::VersionInfo() const
{
    return "2005-04-19,1";
}

bool TriangleCellEntry::IsCellUp() const
{
    return ItsIndexZ == 1;
}
