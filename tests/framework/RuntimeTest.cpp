#include "framework/Application.h"

#include <gtest/gtest.h>

TEST(Application, RegisteredObjectIsReturned)
{
    auto app = std::make_shared<Application>();
    RuntimeRegisterAppObject(app);
    EXPECT_EQ(GetAppObject(), app.get());
    RuntimeRegisterAppObject(nullptr);
    EXPECT_EQ(GetAppObject(), nullptr);
}
