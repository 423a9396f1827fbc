#include "tests/support/ScratchFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const std::string& base)
{
    const fs::path folder = base.empty() ? fs::temp_directory_path() : fs::path(base);
    std::string pattern = (folder / "kalmeno-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("no scratch folder in " + folder.string());
    }
    itsPath = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code error;
    fs::remove_all(itsPath, error);
}

std::string ScratchFolder::Write(const std::string& name, const std::string& bytes) const
{
    const std::string path = *this / name;
    WriteBytes(path, bytes);
    return path;
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

std::vector<std::string> FilesUnder(const std::string& folder)
{
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
        if (!entry.is_directory()) {
            files.push_back(entry.path().string());
        }
    }
    return files;
}

struct stat StatOf(const std::string& path)
{
    struct stat info = {};
    stat(path.c_str(), &info);
    return info;
}
