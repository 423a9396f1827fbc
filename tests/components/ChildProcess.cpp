#include "tests/components/ChildProcess.h"

#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

void WriteAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written <= 0) {
            return;
        }
        done += static_cast<std::size_t>(written);
    }
}

// Reads until the writer closes the pipe or the time is up; false on time-out.
bool ReadUntilClosed(int fd, int timeoutSeconds, std::string& text)
{
    pollfd waiting{fd, POLLIN, 0};
    char buffer[4096];
    while (poll(&waiting, 1, timeoutSeconds * 1000) > 0) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            return true;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return false;
}

#if defined(__x86_64__)
constexpr std::uint32_t ThisArchitecture = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
constexpr std::uint32_t ThisArchitecture = AUDIT_ARCH_AARCH64;
#else
constexpr std::uint32_t ThisArchitecture = 0; // matches nothing: every call stops
#endif

// The system calls that leave every file as it is, whatever their arguments; a lock taken with
// flock or fcntl ends with the process that a kill ends.
const std::vector<long>& CallsThatChangeNoFile()
{
    static const std::vector<long> calls = [] {
        std::vector<long> all = {
            SYS_read,        SYS_pread64,       SYS_readv,          SYS_lseek,        SYS_close,
            SYS_fstat,       SYS_newfstatat,    SYS_statx,          SYS_statfs,       SYS_fstatfs,
            SYS_faccessat,   SYS_faccessat2,    SYS_readlinkat,     SYS_getdents64,   SYS_getcwd,
            SYS_getxattr,    SYS_lgetxattr,     SYS_fgetxattr,      SYS_listxattr,    SYS_flistxattr,
            SYS_getuid,      SYS_geteuid,       SYS_getgid,         SYS_getegid,      SYS_getpid,
            SYS_gettid,      SYS_getppid,       SYS_fcntl,          SYS_flock,        SYS_mmap,
            SYS_munmap,      SYS_mprotect,      SYS_mremap,         SYS_madvise,      SYS_brk,
            SYS_futex,       SYS_clock_gettime, SYS_gettimeofday,   SYS_nanosleep,    SYS_clock_nanosleep,
            SYS_sched_yield, SYS_rt_sigaction,  SYS_rt_sigprocmask, SYS_rt_sigreturn, SYS_sigaltstack,
            SYS_tgkill,      SYS_getrandom,     SYS_uname};
#if defined(SYS_stat)
        // The older forms, where the architecture still has them.
        all.insert(all.end(), {SYS_stat, SYS_lstat, SYS_access, SYS_readlink});
#endif
        return all;
    }();
    return calls;
}

// From here on the process's other system calls stop it for its tracer.
bool StopAtChangingCalls()
{
    std::vector<sock_filter> program = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, ThisArchitecture, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRACE),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        // An open that can neither write, create nor cut a file changes none. The flags are the
        // low half of the third argument (both architectures above are little-endian).
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_openat, 0, 4),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, O_WRONLY | O_RDWR | O_CREAT | O_TRUNC | (O_TMPFILE & ~O_DIRECTORY), 0,
                 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRACE),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    for (const long call : CallsThatChangeNoFile()) {
        program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<std::uint32_t>(call), 0, 1));
        program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    }
    program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRACE));
    const sock_fprog filter{static_cast<unsigned short>(program.size()), program.data()};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

} // namespace

std::string RunInChild(const std::function<std::string()>& body, int timeoutSeconds)
{
    int channel[2];
    if (pipe(channel) != 0) {
        return "no pipe";
    }
    const pid_t child = fork();
    if (child < 0) {
        close(channel[0]);
        close(channel[1]);
        return "no child";
    }
    if (child == 0) {
        close(channel[0]);
        WriteAll(channel[1], "=" + body());
        _exit(0);
    }
    close(channel[1]);
    std::string answer;
    const bool finished = ReadUntilClosed(channel[0], timeoutSeconds, answer);
    close(channel[0]);
    if (!finished) {
        KillChild(child);
        return "child timed out";
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) {
        return std::string("child ended by signal ") + strsignal(WTERMSIG(status));
    }
    if (answer.empty() || answer[0] != '=') {
        return "child gave no answer";
    }
    return answer.substr(1);
}

pid_t StartChild(const std::function<void()>& body)
{
    const pid_t child = fork();
    if (child == 0) {
        body();
        _exit(0);
    }
    return child;
}

void KillChild(pid_t child)
{
    // A failed fork's -1 would signal every process the tests may reach.
    if (child <= 0) {
        return;
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
}

bool StopForTracing()
{
    // A child whose parent is gone before it traces it would stay stopped for good.
    return prctl(PR_SET_PDEATHSIG, SIGKILL) == 0 && ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) == 0 &&
           StopAtChangingCalls() && raise(SIGSTOP) == 0;
}

TracedRun KillAtChangingCall(pid_t child, int calls)
{
    int status = 0;
    if (child <= 0 || waitpid(child, &status, 0) != child || !WIFSTOPPED(status)) {
        return TracedRun::Untraced;
    }
    // The child dies with the test; its filter's stops come as seccomp events.
    if (ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESECCOMP | PTRACE_O_EXITKILL) != 0) {
        KillChild(child);
        return TracedRun::Untraced;
    }
    // The stop of StopForTracing is not passed on; a signal the child gets later is.
    int signal = 0;
    int made = 0;
    while (ptrace(PTRACE_CONT, child, nullptr, signal) == 0) {
        if (waitpid(child, &status, 0) != child || !WIFSTOPPED(status)) {
            return TracedRun::Finished;
        }
        const bool atCall = status >> 8 == (SIGTRAP | (PTRACE_EVENT_SECCOMP << 8));
        signal = atCall ? 0 : WSTOPSIG(status);
        if (atCall && made++ == calls) {
            KillChild(child);
            return TracedRun::Killed;
        }
    }
    KillChild(child);
    return TracedRun::Untraced;
}
