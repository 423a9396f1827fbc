#include "framework/TypeCodeStore.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

namespace {

// Records beyond this many, the oldest first, are dropped.
constexpr std::size_t MaxRecords = 512;

struct Record {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long modified = 0;
    String key;
    String code;

    bool SameFile(const Record& other) const
    {
        return device == other.device && inode == other.inode && key == other.key;
    }
};

String ToHex(const String& bytes)
{
    static constexpr char Digits[] = "0123456789abcdef";
    String hex;
    for (unsigned char c : bytes) {
        hex += Digits[c >> 4];
        hex += Digits[c & 0xF];
    }
    return hex;
}

String FromHex(const String& hex)
{
    String bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return bytes;
}

// The file's identity, and its size and modification time at this moment.
bool Describe(const String& filePath, const String& key, Record& record)
{
    struct stat info = {};
    if (stat(filePath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    record.device = info.st_dev;
    record.inode = info.st_ino;
    record.size = info.st_size;
    record.modified = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    record.key = key;
    return true;
}

std::vector<Record> ReadRecords(const String& path)
{
    std::vector<Record> records;
    std::ifstream in(path);
    String line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Record r;
        String hexCode;
        if (fields >> r.device >> r.inode >> r.size >> r.modified >> r.key >> hexCode &&
            hexCode.find_first_not_of("0123456789abcdef") == String::npos) {
            r.code = FromHex(hexCode);
            records.push_back(r);
        }
    }
    return records;
}

bool WriteRecords(const String& path, const std::vector<Record>& records)
{
    const String temporary = path + "." + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::trunc);
        for (const Record& r : records) {
            out << r.device << ' ' << r.inode << ' ' << r.size << ' ' << r.modified << ' ' << r.key << ' '
                << ToHex(r.code) << '\n';
        }
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

// Keeps other processes from changing the record while this one reads, changes and replaces
// it. The lock is an flock on a file beside the record: it ends with the process that holds it,
// so a run that was killed never blocks the next, and it needs no write access, so a lock file
// left by another user (root) serves all the same; where that file cannot even be read, the
// folder holding the record is locked instead. Where the file system offers no locks, or
// another process holds it far longer than any change takes (a stopped process), the change goes
// ahead without it rather than hang: the wait is bounded once, and the changes after it try the
// lock without waiting until it is had again, so a save of several changes waits one bound.
class RecordLock {
public:
    explicit RecordLock(const String& recordPath)
        : itsFd(open((recordPath + ".lock").c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600))
    {
        if (itsFd < 0 && errno == EACCES) {
            itsFd = open(std::filesystem::path(recordPath).parent_path().c_str(),
                         O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
        const bool wait = !Stuck(recordPath);
        const auto deadline = std::chrono::steady_clock::now() + TypeCodeStore::LockBound;
        auto pause = std::chrono::microseconds(100);
        while (itsFd >= 0 && flock(itsFd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            const bool held = error == EWOULDBLOCK;
            if ((!held && error != EINTR) || !wait || std::chrono::steady_clock::now() > deadline) {
                NoteStuck(recordPath, held);
                close(itsFd);
                itsFd = -1;
                return;
            }
            std::this_thread::sleep_for(pause);
            pause = std::min(pause * 2, MaxPause);
        }
        NoteStuck(recordPath, false);
    }

    ~RecordLock()
    {
        if (itsFd >= 0) {
            close(itsFd);
        }
    }

    RecordLock(const RecordLock&) = delete;
    RecordLock& operator=(const RecordLock&) = delete;

    bool Held() const { return itsFd >= 0; }

private:
    static constexpr std::chrono::microseconds MaxPause{2000};

    // The records whose lock this process waited for in vain, and has not had since.
    static std::mutex stuckGuard;
    static std::set<String> stuck;

    static bool Stuck(const String& recordPath)
    {
        const std::lock_guard lock(stuckGuard);
        return stuck.count(recordPath) > 0;
    }

    static void NoteStuck(const String& recordPath, bool heldByAnother)
    {
        const std::lock_guard lock(stuckGuard);
        if (heldByAnother) {
            stuck.insert(recordPath);
        } else {
            stuck.erase(recordPath);
        }
    }

    int itsFd;
};

std::mutex RecordLock::stuckGuard;
std::set<String> RecordLock::stuck;

// Removes the temporary records that writers killed while holding the lock left behind: the
// caller holds it, so no writer that keeps to it is at work. A writer that went ahead without
// the lock is alive, and its file stays.
void RemoveDeadWritersRecords(const String& recordPath)
{
    const std::filesystem::path record(recordPath);
    const String prefix = record.filename().string() + ".";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(record.parent_path(), error)) {
        const String name = entry.path().filename().string();
        const String digits = name.substr(std::min(prefix.size(), name.size()));
        if (name.rfind(prefix, 0) != 0 || digits.empty() || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != String::npos) {
            continue;
        }
        // The writer's process id is the name's last part (see WriteRecords).
        const pid_t writer = static_cast<pid_t>(std::stol(digits));
        if (writer > 0 && kill(writer, 0) != 0 && errno == ESRCH) {
            unlink(entry.path().c_str());
        }
    }
}

} // namespace

TypeCodeStore::TypeCodeStore(String recordPath) : itsRecordPath(std::move(recordPath)) {}

TypeCodeStore TypeCodeStore::Default()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    std::filesystem::path folder;
    if (state && state[0] == '/') {
        folder = state;
    } else {
        folder = std::filesystem::path(home ? home : "/tmp") / ".local/state";
    }
    return TypeCodeStore((folder / "kalmeno" / "file-codes").string());
}

String TypeCodeStore::Code(const String& filePath, const String& key) const
{
    Record now;
    if (!Describe(filePath, key, now)) {
        return String();
    }
    for (const Record& r : ReadRecords(itsRecordPath)) {
        if (r.SameFile(now) && r.size == now.size && r.modified == now.modified) {
            return r.code;
        }
    }
    return String();
}

bool TypeCodeStore::SetCode(const String& filePath, const String& key, const String& code) const
{
    Record record;
    if (!Describe(filePath, key, record) || key.find_first_of(" \n") != String::npos) {
        return false;
    }
    record.code = code;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(itsRecordPath).parent_path(), error);
    const RecordLock lock(itsRecordPath);
    if (lock.Held()) {
        RemoveDeadWritersRecords(itsRecordPath);
    }
    std::vector<Record> records = ReadRecords(itsRecordPath);
    std::erase_if(records, [&](const Record& r) { return r.SameFile(record); });
    if (!code.empty()) {
        records.push_back(record);
    }
    if (records.size() > MaxRecords) {
        records.erase(records.begin(), records.end() - MaxRecords);
    }
    return WriteRecords(itsRecordPath, records);
}
