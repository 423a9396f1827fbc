#include "tests/components/ResourcesSandbox.h"

#include "framework/TestSeams.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
const fs::path BuiltResources = KALMENO_TEST_RESOURCES;
}

ResourcesSandbox::ResourcesSandbox()
{
    SetResourcesFolderOverride(itsFolder.Path());
}

ResourcesSandbox::~ResourcesSandbox()
{
    SetResourcesFolderOverride(std::nullopt);
}

void ResourcesSandbox::AddBuilt(const std::string& name)
{
    fs::copy_file(Built(name), itsFolder / name);
}

void ResourcesSandbox::AddPicture(const std::string& name, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    ASSERT_TRUE(image.save(QString::fromStdString(itsFolder / name), "PNG"));
}

void ResourcesSandbox::AddBytes(const std::string& name, const std::string& bytes)
{
    itsFolder.Write(name, bytes);
}

void ResourcesSandbox::Remove(const std::string& name)
{
    fs::remove(itsFolder / name);
}

fs::path ResourcesSandbox::Built(const std::string& name)
{
    return BuiltResources / name;
}

BuiltResourcesFolder::BuiltResourcesFolder()
{
    SetResourcesFolderOverride(BuiltResources.string());
}

BuiltResourcesFolder::~BuiltResourcesFolder()
{
    SetResourcesFolderOverride(std::nullopt);
}
