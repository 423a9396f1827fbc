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
// A record file longer than this was not written here: what lies beyond is not read.
constexpr std::size_t LongestRecordFile = 1 << 20;
// How often a change is made again on a record that another writer replaced meanwhile.
constexpr int ChangeAttempts = 16;

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

std::vector<Record> ParseRecords(const String& text)
{
    std::vector<Record> records;
    std::istringstream in(text);
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

// The record as one reading found it. The file read stays open, so that no other file can take
// its inode, and a writer can tell whether another one replaced the record since.
class RecordRead {
public:
    explicit RecordRead(const String& path)
        : itsPath(path), itsFd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC))
    {
        struct stat info = {};
        // A record that cannot be read is replaced all the same, unless another writer replaces it first.
        itsFound = itsFd >= 0 ? fstat(itsFd, &info) == 0 : stat(path.c_str(), &info) == 0;
        itsFile = info;
        if (itsFd < 0 || !itsFound || !S_ISREG(info.st_mode)) {
            return;
        }
        String text;
        char buffer[65536];
        ssize_t got = 0;
        while (text.size() < LongestRecordFile && (got = read(itsFd, buffer, sizeof buffer)) != 0) {
            if (got < 0 && errno != EINTR) {
                break;
            }
            text.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        }
        itsRecords = ParseRecords(text);
    }

    ~RecordRead()
    {
        if (itsFd >= 0) {
            close(itsFd);
        }
    }

    RecordRead(const RecordRead&) = delete;
    RecordRead& operator=(const RecordRead&) = delete;

    const std::vector<Record>& Records() const { return itsRecords; }

    // Whether the record is still the file that was read, or still missing.
    bool Current() const
    {
        struct stat now = {};
        if (stat(itsPath.c_str(), &now) != 0) {
            return errno == ENOENT && !itsFound;
        }
        return itsFound && now.st_dev == itsFile.st_dev && now.st_ino == itsFile.st_ino;
    }

private:
    String itsPath;
    int itsFd;
    // The file as it was found; itsFound is false when there was none.
    bool itsFound = false;
    struct stat itsFile = {};
    std::vector<Record> itsRecords;
};

enum class Written { Done, Failed, Changed };

// Replaces the record by records, unless another writer replaced it since it was read.
Written WriteRecords(const String& path, const std::vector<Record>& records, const RecordRead& read)
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
            return Written::Failed;
        }
    }
    if (!read.Current()) {
        std::remove(temporary.c_str());
        return Written::Changed;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return Written::Failed;
    }
    return Written::Done;
}

// Opened for writing where that is allowed: some file systems (NFS) refuse an exclusive lock on a
// file open only for reading. A lock file left by another user (root) is locked read-only, and
// where even reading it is refused, the folder holding the record is locked instead.
int OpenLock(const String& recordPath)
{
    const String lock = recordPath + ".lock";
    int fd = open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        fd = open(lock.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (fd < 0 && errno == EACCES) {
        fd = open(std::filesystem::path(recordPath).parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    return fd;
}

// Keeps other processes from changing the record while this one reads, changes and replaces
// it. The lock is an flock on a file beside the record (OpenLock): it ends with the process that
// holds it, so a run that was killed never blocks the next. Where the file system offers no locks,
// or another process holds it far longer than any change takes (a stopped process), the change
// goes ahead without it rather than hang: the wait is bounded once, and the changes after it try
// the lock without waiting until it is had again, so a save of several changes waits one bound.
// A holder that resumes after such a wait finds the record replaced, and makes its change again.
class RecordLock {
public:
    explicit RecordLock(const String& recordPath) : itsFd(OpenLock(recordPath))
    {
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
    const RecordRead read(itsRecordPath);
    for (const Record& r : read.Records()) {
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
    for (int attempt = 1;; ++attempt) {
        const RecordRead read(itsRecordPath);
        std::vector<Record> records = read.Records();
        std::erase_if(records, [&](const Record& r) { return r.SameFile(record); });
        if (!code.empty()) {
            records.push_back(record);
        }
        if (records.size() > MaxRecords) {
            records.erase(records.begin(), records.end() - MaxRecords);
        }
        const Written written = WriteRecords(itsRecordPath, records, read);
        if (written != Written::Changed || attempt == ChangeAttempts) {
            return written == Written::Done;
        }
    }
}
