#pragma once
// A resources folder of the test's own, taken as the application's while the test runs.

#include "tests/support/ScratchFolder.h"

#include <filesystem>
#include <string>

class ResourcesSandbox {
public:
    ResourcesSandbox();
    ~ResourcesSandbox();
    ResourcesSandbox(const ResourcesSandbox&) = delete;
    ResourcesSandbox& operator=(const ResourcesSandbox&) = delete;

    // The game's own file of that name.
    void AddBuilt(const std::string& name);
    // A white picture.
    void AddPicture(const std::string& name, int width, int height);
    void AddBytes(const std::string& name, const std::string& bytes);
    void Remove(const std::string& name);

    std::filesystem::path Path(const std::string& name) const { return itsFolder / name; }

    // The game's own media, from the build.
    static std::filesystem::path Built(const std::string& name);

private:
    ScratchFolder itsFolder;
};

// The built bundle's folder, taken as the application's while the test runs.
class BuiltResourcesFolder {
public:
    BuiltResourcesFolder();
    ~BuiltResourcesFolder();
};
