#pragma once
// A fresh folder for one test, removed with everything in it afterwards.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class ScratchFolder {
public:
    // base: where the folder is made; "/dev/shm" for a tmpfs.
    explicit ScratchFolder(const std::string& base = "/tmp")
    {
        std::string pattern = base + "/kalmeno-test-XXXXXX";
        itsPath = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~ScratchFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(itsPath, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return itsPath; }
    std::string operator/(const std::string& name) const { return itsPath + "/" + name; }

    // Writes a file of these bytes; its path.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const std::string path = *this / name;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return path;
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string itsPath;
};
