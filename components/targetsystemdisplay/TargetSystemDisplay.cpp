#include "components/targetsystemdisplay/TargetSystemDisplay.h"

#include "components/media/Pictures.h"
#include "framework/Graphics.h"

void TargetSystemDisplay::Event_Paint(Graphics& g)
{
    // A missing picture draws nothing.
    g.DrawPicture(TargetSystemPict(), 0, 0, 16, 8, 0, 32, 16, 8);
}

String TargetSystemDisplay::VersionInfo()
{
    return "2011-12-22,1";
}
