// The record of the codes while its lock is held by a run that stalls in the middle of a change:
// the run is traced and held at the moment it has read the record and begins to write it.
#include "framework/TypeCodeStore.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// A process of its own that changes the record under the lock, and is held just before it opens
// its temporary record, after it read the record.
class StalledChange {
public:
    StalledChange(const std::string& record, const std::string& file) : itsRecord(record)
    {
        itsPid = fork();
        if (itsPid == 0) {
            ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
            raise(SIGSTOP);
            _exit(TypeCodeStore(record).SetCode(file, "type", "PREF") ? 0 : 1);
        }
        int status = 0;
        itsHeld = itsPid > 0 && waitpid(itsPid, &status, 0) == itsPid && WIFSTOPPED(status) &&
                  ptrace(PTRACE_SETOPTIONS, itsPid, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL) == 0 &&
                  RunToOpenOf(record + "." + std::to_string(itsPid));
    }

    ~StalledChange()
    {
        if (itsPid > 0) {
            kill(itsPid, SIGKILL);
            waitpid(itsPid, nullptr, 0);
        }
    }

    StalledChange(const StalledChange&) = delete;
    StalledChange& operator=(const StalledChange&) = delete;

    // Whether the change is held where it should be.
    bool Held() const { return itsHeld; }

    // The open flags of the descriptor the held change has on path; -1 when it has none.
    int FlagsOfDescriptorOn(const std::string& path) const
    {
        const std::string fds = "/proc/" + std::to_string(itsPid) + "/fd";
        for (const auto& entry : fs::directory_iterator(fds)) {
            std::error_code error;
            if (fs::read_symlink(entry.path(), error) == path) {
                std::ifstream info("/proc/" + std::to_string(itsPid) + "/fdinfo/" +
                                   entry.path().filename().string());
                std::string field;
                int flags = -1;
                while (info >> field && field != "flags:") {
                }
                info >> std::oct >> flags;
                return flags;
            }
        }
        return -1;
    }

    // Lets the change go on; whether it succeeded.
    bool Finish()
    {
        int status = 0;
        const bool ended = ptrace(PTRACE_DETACH, itsPid, nullptr, nullptr) == 0 &&
                           waitpid(itsPid, &status, 0) == itsPid;
        itsPid = -1;
        return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    // Runs the child from system call to system call until it is about to open path.
    bool RunToOpenOf(const std::string& path)
    {
        int signal = 0;
        for (;;) {
            int status = 0;
            if (ptrace(PTRACE_SYSCALL, itsPid, nullptr, signal) != 0 || waitpid(itsPid, &status, 0) != itsPid ||
                !WIFSTOPPED(status)) {
                return false;
            }
            signal = WSTOPSIG(status) == (SIGTRAP | 0x80) ? 0 : WSTOPSIG(status);
            __ptrace_syscall_info call = {};
            if (signal == 0 && ptrace(PTRACE_GET_SYSCALL_INFO, itsPid, sizeof call, &call) > 0 &&
                call.op == PTRACE_SYSCALL_INFO_ENTRY && call.entry.nr == SYS_openat &&
                StringAt(call.entry.args[1]) == path) {
                return true;
            }
        }
    }

    // The text at address in the child, as far as its first zero byte.
    std::string StringAt(std::uint64_t address) const
    {
        const int memory = open(("/proc/" + std::to_string(itsPid) + "/mem").c_str(), O_RDONLY | O_CLOEXEC);
        char text[4096] = {};
        const ssize_t got = memory >= 0 ? pread(memory, text, sizeof text - 1, static_cast<off_t>(address)) : -1;
        if (memory >= 0) {
            close(memory);
        }
        return got > 0 ? std::string(text) : std::string();
    }

    std::string itsRecord;
    pid_t itsPid = -1;
    bool itsHeld = false;
};

// A run that stalls holding the lock after it read the record, past the bound that another run
// waits: the other goes ahead, and when the first resumes, the record keeps both changes.
TEST(TypeCodeStoreStalls, AHolderThatResumesKeepsTheChangeMadeWhileItStalled)
{
    ScratchFolder folder;
    const std::string record = folder / "file-codes";
    const std::string stalled = folder.Write("stalled", "00D");
    const std::string other = folder.Write("other", "00A");
    StalledChange change(record, stalled);
    ASSERT_TRUE(change.Held());

    const pid_t meanwhile = fork();
    if (meanwhile == 0) {
        _exit(TypeCodeStore(record).SetCode(other, "type", "PREF") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(meanwhile, &status, 0), meanwhile);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(change.Finish());

    EXPECT_EQ(TypeCodeStore(record).Code(stalled, "type"), "PREF");
    EXPECT_EQ(TypeCodeStore(record).Code(other, "type"), "PREF");
    EXPECT_EQ(NamesIn(folder.Path()),
              (std::vector<std::string>{"file-codes", "file-codes.lock", "other", "stalled"}));
}

// Some file systems (NFS) take an exclusive lock only on a file open for writing.
TEST(TypeCodeStoreStalls, TheLockIsTakenOnAFileOpenForWriting)
{
    ScratchFolder folder;
    const std::string record = folder / "file-codes";
    const StalledChange change(record, folder.Write("prefs", "00D"));
    ASSERT_TRUE(change.Held());
    const int flags = change.FlagsOfDescriptorOn(record + ".lock");
    ASSERT_NE(flags, -1);
    EXPECT_EQ(flags & O_ACCMODE, O_RDWR);
}

} // namespace
