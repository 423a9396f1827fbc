#include "framework/Runtime.h"

#include <QApplication>

#include <memory>

namespace {
std::unique_ptr<QApplication> qtApplication;
}

void RunFrameworkInitialization(int& argc, char** argv)
{
    if (!qtApplication) {
        qtApplication = std::make_unique<QApplication>(argc, argv);
    }
}

int RuntimeRun()
{
    return qtApplication ? qtApplication->exec() : 1;
}

void RuntimeShutdown()
{
    qtApplication.reset();
}
