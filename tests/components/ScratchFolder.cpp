#include "tests/components/ScratchFolder.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const std::string& base)
{
    for (int i = 0; i < 3; ++i) {
        if (const char* value = std::getenv(Variables[i])) {
            itsSaved[i] = value;
        }
    }
    std::string pattern = base + "/kalmeno-files-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("no scratch folder in " + base);
    }
    itsRoot = pattern;
    for (const char* sub : {"prefs", "tmp", "state"}) {
        fs::create_directory(itsRoot + "/" + sub);
    }
    Activate();
}

ScratchFolder::~ScratchFolder()
{
    std::error_code error;
    fs::permissions(Prefs(), fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(itsRoot, error);
    for (int i = 0; i < 3; ++i) {
        if (itsSaved[i]) {
            setenv(Variables[i], itsSaved[i]->c_str(), 1);
        } else {
            unsetenv(Variables[i]);
        }
    }
}

void ScratchFolder::Activate() const
{
    setenv("XDG_CONFIG_HOME", Prefs().c_str(), 1);
    setenv("TMPDIR", (itsRoot + "/tmp").c_str(), 1);
    setenv("XDG_STATE_HOME", (itsRoot + "/state").c_str(), 1);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct stat StatOf(const std::string& path)
{
    struct stat info {};
    stat(path.c_str(), &info);
    return info;
}
