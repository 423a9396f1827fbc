#pragma once
// Forked child processes for tests that need a real process: one killed at a random
// moment or at a chosen system call, one under a resource limit or another user, one that is
// a "run" of the program.

#include <sys/types.h>

#include <functional>
#include <string>

// Runs body in a forked child and gives back the text it returns ("" for success), or a
// description of how the child failed (a signal, a time-out, no answer).
std::string RunInChild(const std::function<std::string()>& body, int timeoutSeconds = 120);

// Starts body in a forked child that ends when body returns; the caller reaps it.
pid_t StartChild(const std::function<void()>& body);
// SIGKILL, then waits for the child to be gone; nothing for a failed fork (-1).
void KillChild(pid_t child);

// In a forked child: stops until its parent traces it with KillAtChangingCall; false where the
// child may not be traced. From then on the child stops only as it enters a system call that may
// change a file: every call but those that surely leave the file system as it is (reads, status,
// memory, locks that end with the process).
bool StopForTracing();

enum class TracedRun { Killed, Finished, Untraced };
// Lets a child stopped in StopForTracing make calls system calls that may change a file and
// kills it as it enters the next one, before that call does anything: Killed; Finished when the
// child ended first; Untraced when it could not be traced. A kill at any other call leaves the
// files as a kill at the next of these does.
TracedRun KillAtChangingCall(pid_t child, int calls);
