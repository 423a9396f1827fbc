#include "tests/components/ChildProcess.h"

#include <poll.h>
#include <sys/prctl.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

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
           raise(SIGSTOP) == 0;
}

TracedRun KillAtSystemCall(pid_t child, int calls)
{
    int status = 0;
    if (child <= 0 || waitpid(child, &status, 0) != child || !WIFSTOPPED(status)) {
        return TracedRun::Untraced;
    }
    // The child dies with the test, and its stops at system calls are told from its signals.
    if (ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL) != 0) {
        KillChild(child);
        return TracedRun::Untraced;
    }
    // The stop of StopForTracing is not passed on; a signal the child gets later is.
    int signal = 0;
    int made = 0;
    bool entering = true;
    while (ptrace(PTRACE_SYSCALL, child, nullptr, signal) == 0) {
        if (waitpid(child, &status, 0) != child || !WIFSTOPPED(status)) {
            return TracedRun::Finished;
        }
        signal = WSTOPSIG(status) == (SIGTRAP | 0x80) ? 0 : WSTOPSIG(status);
        if (signal == 0 && entering && made == calls) {
            KillChild(child);
            return TracedRun::Killed;
        }
        if (signal == 0) {
            made += entering ? 1 : 0;
            entering = !entering;
        }
    }
    KillChild(child);
    return TracedRun::Untraced;
}
