// The program: the layer set up, the system brought up, the event loop, the clean-up.
#include "app/Startup.h"
#include "framework/Runtime.h"

int main(int argc, char** argv)
{
    const Runtime runtime = RunFrameworkInitialization(argc, argv);
    Startup();
    const int result = RuntimeRun();
    ReleaseModules();
    return result;
}
