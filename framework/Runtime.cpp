#include "framework/Runtime.h"

#include "framework/Application.h"
#include "framework/qt/DisplayLoss.h"
#include "framework/qt/LayerAccess.h"
#include "framework/qt/MenuCommands.h"
#include "framework/qt/MessageGate.h"
#include "framework/qt/PlatformFailure.h"
#include "framework/qt/PointerTracker.h"

#include <QApplication>
#include <QByteArray>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

#include <fcntl.h>
#include <malloc.h>
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

// The toolkit's platform plugin reads replies that a display lost while it connects does not
// give, and faults on them. For as long as it lives, such a fault ends the process with the
// one line of a lost display and status 1.
class FaultsWhileConnectingMeanALostDisplay {
public:
    FaultsWhileConnectingMeanALostDisplay()
    {
        struct sigaction action = {};
        action.sa_handler = EndWithLostDisplay;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        for (std::size_t i = 0; i < Signals.size(); ++i) {
            sigaction(Signals[i], &action, &itsPrevious[i]);
        }
    }

    ~FaultsWhileConnectingMeanALostDisplay()
    {
        for (std::size_t i = 0; i < Signals.size(); ++i) {
            sigaction(Signals[i], &itsPrevious[i], nullptr);
        }
    }

    FaultsWhileConnectingMeanALostDisplay(const FaultsWhileConnectingMeanALostDisplay&) = delete;
    FaultsWhileConnectingMeanALostDisplay& operator=(const FaultsWhileConnectingMeanALostDisplay&) = delete;

private:
    static constexpr std::array<int, 2> Signals{SIGSEGV, SIGBUS};

    static void EndWithLostDisplay(int)
    {
        DisplayLoss::TellFromSignalHandler();
        _exit(1);
    }

    std::array<struct sigaction, Signals.size()> itsPrevious{};
};

// While the toolkit connects to the display, its messages are held back: when no platform can be
// started, its fatal message and the warnings before it give way to one line of ours, as does its
// word on a connection lost meanwhile. Once it has connected, the held messages go on to the
// handler that was there before.
class MessagesHeldWhileConnecting {
public:
    MessagesHeldWhileConnecting() : itsPrevious(qInstallMessageHandler(Hold)) {}

    ~MessagesHeldWhileConnecting()
    {
        qInstallMessageHandler(itsPrevious);
        const std::lock_guard lock(heldLock);
        for (const Held& message : held) {
            const QMessageLogContext context(Name(message.file), message.line, Name(message.function),
                                             Name(message.category));
            itsPrevious(message.type, context, message.text);
        }
        held.clear();
    }

    MessagesHeldWhileConnecting(const MessagesHeldWhileConnecting&) = delete;
    MessagesHeldWhileConnecting& operator=(const MessagesHeldWhileConnecting&) = delete;

private:
    struct Held {
        QtMsgType type;
        QByteArray file;
        int line;
        QByteArray function;
        QByteArray category;
        QString text;
    };

    static const char* Name(const QByteArray& name) { return name.isNull() ? nullptr : name.constData(); }

    static void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type == QtFatalMsg) {
            PlatformFailure::End();
        }
        // The toolkit's handler of a connection lost meanwhile says so, then hands over to
        // Xlib's, which ends the process after lines of its own.
        if (type == QtWarningMsg && text.startsWith(QLatin1String("The X11 connection broke"))) {
            DisplayLoss::Tell();
            _exit(1);
        }
        const std::lock_guard lock(heldLock);
        held.push_back({type, context.file, context.line, context.function, context.category, text});
    }

    static inline std::mutex heldLock;
    static inline std::vector<Held> held;
    QtMessageHandler itsPrevious;
};

// The write end of the pipe that wakes the event loop for a quit signal; -1 while none is open.
std::atomic<int> quitSignalPipe = -1;
static_assert(std::atomic<int>::is_always_lock_free, "written from a signal handler");

void WakeTheLoopToQuit(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up.
    [[maybe_unused]] const ssize_t written = write(quitSignalPipe.load(), &byte, 1);
    errno = savedErrno;
}

// For as long as it lives, SIGTERM, SIGINT and SIGHUP ask the application to quit from the event
// loop, as its quit item does. The handler itself only writes to a pipe. A signal that was
// ignored when this began stays ignored.
class QuitOnSignals {
public:
    QuitOnSignals()
    {
        if (pipe2(itsPipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
            itsPipe = {-1, -1};
            return;
        }
        quitSignalPipe = itsPipe[1];
        itsNotifier = std::make_unique<QSocketNotifier>(itsPipe[0], QSocketNotifier::Read);
        QObject::connect(itsNotifier.get(), &QSocketNotifier::activated, [this] { Quit(); });
        struct sigaction action = {};
        action.sa_handler = WakeTheLoopToQuit;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (std::size_t i = 0; i < Signals.size(); ++i) {
            sigaction(Signals[i], nullptr, &itsPrevious[i]);
            if (itsPrevious[i].sa_handler != SIG_IGN) {
                sigaction(Signals[i], &action, nullptr);
            }
        }
    }

    ~QuitOnSignals()
    {
        if (itsPipe[0] < 0) {
            return;
        }
        for (std::size_t i = 0; i < Signals.size(); ++i) {
            sigaction(Signals[i], &itsPrevious[i], nullptr);
        }
        quitSignalPipe = -1;
        itsNotifier.reset();
        close(itsPipe[0]);
        close(itsPipe[1]);
    }

    QuitOnSignals(const QuitOnSignals&) = delete;
    QuitOnSignals& operator=(const QuitOnSignals&) = delete;

private:
    // SIGHUP comes when the terminal that started the game closes, or at logout.
    static constexpr std::array<int, 3> Signals{SIGTERM, SIGINT, SIGHUP};

    void Quit()
    {
        char drained[64];
        while (read(itsPipe[0], drained, sizeof drained) > 0) {
        }
        if (Application* app = GetAppObject()) {
            app->Quit();
        } else {
            QCoreApplication::exit(0);
        }
    }

    std::array<int, 2> itsPipe{-1, -1};
    std::unique_ptr<QSocketNotifier> itsNotifier;
    std::array<struct sigaction, Signals.size()> itsPrevious{};
};

// An exit() inside the event loop is the toolkit's: it ends the process so when its display
// connection is lost. exit() destroys the calling thread's objects before any static one, so
// this object's end still finds the layer whole: it raises the application's Close, which keeps
// what the application saves, and ends the process before the static objects that the
// interrupted loop still uses are destroyed under it.
class ExitInsideTheLoop {
public:
    bool loopRunning = false;

    ~ExitInsideTheLoop()
    {
        if (!loopRunning) {
            return;
        }
        try {
            ApplicationAccess::CloseAtExit();
            FolderAccess::RemoveMadeTemporaryFolders();
        } catch (...) {
            // The process ends all the same.
        }
        std::fflush(nullptr);
        _exit(1);
    }
};

// Threads that name no stack size get glibc's own default instead of the stack limit (8 MiB
// as a rule): under a limit on the address space the toolkit's threads still start, where a
// failed start leaves the toolkit waiting for them for ever.
void SmallThreadStacks()
{
    constexpr std::size_t StackBytes = 2 * 1024 * 1024;
    pthread_attr_t attributes;
    if (pthread_getattr_default_np(&attributes) != 0) {
        return;
    }
    std::size_t current = 0;
    if (pthread_attr_getstacksize(&attributes, &current) == 0 && current > StackBytes &&
        pthread_attr_setstacksize(&attributes, StackBytes) == 0) {
        pthread_setattr_default_np(&attributes);
    }
    pthread_attr_destroy(&attributes);
}

// Below this much address space the toolkit and its libraries cannot come up: they end in a
// failed allocation of their own, each with its own messages. Newer toolkits need more (up to
// 132 MiB were seen to fail), hence the margin.
constexpr rlim_t LeastAddressSpace = 160 * 1024 * 1024;

// Under a limit on the address space: ends the process with one line when the limit is below
// what the game needs; otherwise every thread allocates from the one main heap, since each
// further heap reserves 64 MiB of the space, and a thread that cannot start once it is gone
// leaves the toolkit waiting for it for ever.
void FitTheAddressSpaceLimit()
{
    struct rlimit space = {};
    if (getrlimit(RLIMIT_AS, &space) != 0 || space.rlim_cur == RLIM_INFINITY) {
        return;
    }
    if (space.rlim_cur < LeastAddressSpace) {
        std::fprintf(stderr,
                     "%s: not enough memory (the address space is limited to %llu MiB, %llu MiB are needed)\n",
                     program_invocation_short_name, static_cast<unsigned long long>(space.rlim_cur >> 20),
                     static_cast<unsigned long long>(LeastAddressSpace >> 20));
        std::exit(1);
    }
    mallopt(M_ARENA_MAX, 1);
}

// The game plays short sounds only. Left to itself, the toolkit's sound back end probes the
// video codec hardware at its start, and the drivers it finds missing write to standard error.
// Set before any thread starts, and only where the user has not chosen.
void NoHardwareCodecProbe()
{
    for (const char* name : {"QT_FFMPEG_DECODING_HW_DEVICE_TYPES", "QT_FFMPEG_ENCODING_HW_DEVICE_TYPES"}) {
        setenv(name, "", 0);
    }
}

} // namespace

struct Runtime::Toolkit {
    Toolkit(int& argc, char** argv) : application(argc, argv) {}
    QApplication application;
};

Runtime RunFrameworkInitialization(int& argc, char** argv)
{
    return Runtime(argc, argv);
}

Runtime::Runtime(int& argc, char** argv)
{
    FitTheAddressSpaceLimit();
    std::signal(SIGXFSZ, SIG_IGN);
    // A write to a display or sound server that went away fails, and is met as a lost connection.
    std::signal(SIGPIPE, SIG_IGN);
    NoHardwareCodecProbe();
    SmallThreadStacks();
    MessageGate::Install();
    // The menu bar is always the window's own: no probe for a global menu over D-Bus.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    {
        const MessagesHeldWhileConnecting held;
        const FaultsWhileConnectingMeanALostDisplay faults;
        DisplayLoss::WatchConnecting();
        itsToolkit = std::make_unique<Toolkit>(argc, argv);
        // Before the held messages go on: those about a connection lost meanwhile give way to one line.
        DisplayLoss::Watch();
    }
    // AutoQuit decides, not Qt.
    QApplication::setQuitOnLastWindowClosed(false);
    itsToolkit->application.installEventFilter(new ShortcutFilter(&itsToolkit->application));
    PointerTracker::Install();
}

Runtime::~Runtime()
{
    WindowAccess::ReleaseAll();
    RuntimeRegisterAppObject(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SoundAccess::FinishLoads();
    FolderAccess::RemoveMadeTemporaryFolders();
    // Widgets of controls that never joined a window.
    const QWidgetList leftOver = QApplication::topLevelWidgets();
    QList<QPointer<QWidget>> widgets(leftOver.begin(), leftOver.end());
    for (const QPointer<QWidget>& widget : widgets) {
        delete widget.data();
    }
}

int RuntimeRun()
{
    if (!QCoreApplication::instance()) {
        return 1;
    }
    const QuitOnSignals quitOnSignals;
    ApplicationAccess::OpenOnce();
    if (ApplicationAccess::HasQuit()) {
        return 0;
    }
    thread_local ExitInsideTheLoop exitInsideTheLoop;
    exitInsideTheLoop.loopRunning = true;
    const int result = QApplication::exec();
    exitInsideTheLoop.loopRunning = false;
    return result;
}
