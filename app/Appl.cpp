#include "app/Appl.h"

Appl& App()
{
    return static_cast<Appl&>(*GetAppObject());
}
