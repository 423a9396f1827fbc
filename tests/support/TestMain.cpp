// Every test program starts here: the layer set up headless, then GoogleTest.
#include "components/media/Media.h"
#include "framework/Runtime.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const Runtime runtime = RunFrameworkInitialization(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ReleaseMedia();
    return result;
}
