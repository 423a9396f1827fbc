#include "framework/qt/DisplayLoss.h"

#include <QGuiApplication>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

std::atomic<xcb_connection_t*> watched = nullptr;
std::atomic<bool> told = false;
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

// Only what a signal handler may call.
void WriteLine()
{
    static constexpr char lost[] = ": the connection to the display was lost\n";
    char line[256];
    const std::size_t name = std::min(std::strlen(program_invocation_short_name), sizeof line - sizeof lost);
    std::memcpy(line, program_invocation_short_name, name);
    std::memcpy(line + name, lost, sizeof lost - 1);
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, line, name + sizeof lost - 1);
}

// Takes the place of Xlib's report, which ends the process after several lines of its own.
int OnXlibIOError(Display*)
{
    if (!DisplayLoss::Tell()) {
        // Lost again while the process was ending.
        _exit(1);
    }
    std::exit(1);
}

int OnXlibIOErrorWhileConnecting(Display*)
{
    DisplayLoss::Tell();
    _exit(1);
}

} // namespace

void DisplayLoss::WatchConnecting()
{
    XSetIOErrorHandler(OnXlibIOErrorWhileConnecting);
}

void DisplayLoss::Watch()
{
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    XSetIOErrorHandler(x11 && x11->display() ? OnXlibIOError : nullptr);
    if (x11 && x11->connection()) {
        watched = x11->connection();
    }
}

bool DisplayLoss::IsLost()
{
    xcb_connection_t* connection = watched.load();
    return connection && xcb_connection_has_error(connection) != 0;
}

bool DisplayLoss::Tell()
{
    if (told.exchange(true)) {
        return false;
    }
    std::fflush(stderr);
    WriteLine();
    return true;
}

void DisplayLoss::TellFromSignalHandler()
{
    if (!told.exchange(true)) {
        WriteLine();
    }
}
