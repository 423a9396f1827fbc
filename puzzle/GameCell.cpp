#include "puzzle/GameCell.h"

void GameCell::Initialize()
{
    ItsValue = -1;
}

Int32 GameCell::RefValue() const
{
    return ItsValue;
}

void GameCell::SetValue(Int32 value)
{
    ItsValue = value;
}
