#pragma once
// What is written to standard error while a capture lives, by any thread, held in memory.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <string>

class StandardErrorCapture {
public:
    StandardErrorCapture() : itsFile(memfd_create("stderr", MFD_CLOEXEC)), itsSaved(dup(STDERR_FILENO))
    {
        std::fflush(stderr);
        dup2(itsFile, STDERR_FILENO);
    }
    ~StandardErrorCapture()
    {
        Text();
        close(itsSaved);
        close(itsFile);
    }
    StandardErrorCapture(const StandardErrorCapture&) = delete;
    StandardErrorCapture& operator=(const StandardErrorCapture&) = delete;

    // Ends the capture; what was written.
    std::string Text()
    {
        if (!itsEnded) {
            std::fflush(stderr);
            dup2(itsSaved, STDERR_FILENO);
            itsEnded = true;
        }
        std::string text;
        char buffer[4096];
        ssize_t got = 0;
        for (off_t at = 0; (got = pread(itsFile, buffer, sizeof buffer, at)) > 0; at += got) {
            text.append(buffer, std::size_t(got));
        }
        return text;
    }

private:
    int itsFile;
    int itsSaved;
    bool itsEnded = false;
};
