#include "framework/Thread.h"

#include <QTimer>

#include <sys/mman.h>
#include <ucontext.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define KALMENO_FIBER_ANNOTATIONS 1
#endif

// The coroutine of one framework thread: its own stack and saved context.
class ThreadContext {
public:
    explicit ThreadContext(Thread& owner) : itsOwner(owner) {}
    ~ThreadContext();

    void Start();
    void Resume();
    // On this thread: back to the main context, until the next Resume.
    void Suspend();

    Thread& itsOwner;
    bool itsRunning = false;

private:
    static void Entry(unsigned high, unsigned low);
    [[noreturn]] void Finish();

    ucontext_t itsContext{};
    void* itsStack = nullptr;
    void* itsFakeStack = nullptr;
};

namespace {

constexpr std::size_t StackSize = 1024 * 1024;

struct Scheduler {
    ucontext_t mainContext{};
    // The running threads, in the order they were started.
    std::vector<ThreadContext*> threads;
    // The thread on the processor; nullptr on the main context.
    ThreadContext* current = nullptr;
    // Stacks of threads that ended (or were dropped) while on them; freed from main.
    std::vector<void*> spentStacks;
    const void* mainStackBottom = nullptr;
    std::size_t mainStackSize = 0;
    // Gives the threads their slices from the event loop.
    QTimer* pump = nullptr;
};

Scheduler& Threads()
{
    static Scheduler scheduler;
    return scheduler;
}

void StartSwitch([[maybe_unused]] void** fakeStack, [[maybe_unused]] const void* bottom,
                 [[maybe_unused]] std::size_t size)
{
#ifdef KALMENO_FIBER_ANNOTATIONS
    __sanitizer_start_switch_fiber(fakeStack, bottom, size);
#endif
}

void FinishSwitch([[maybe_unused]] void* fakeStack, [[maybe_unused]] bool fromMain)
{
#ifdef KALMENO_FIBER_ANNOTATIONS
    Scheduler& s = Threads();
    if (fromMain) {
        __sanitizer_finish_switch_fiber(fakeStack, &s.mainStackBottom, &s.mainStackSize);
    } else {
        __sanitizer_finish_switch_fiber(fakeStack, nullptr, nullptr);
    }
#endif
}

void FreeSpentStacks()
{
    Scheduler& s = Threads();
    for (void* stack : s.spentStacks) {
        munmap(stack, StackSize);
    }
    s.spentStacks.clear();
}

void Forget(ThreadContext* context)
{
    std::erase(Threads().threads, context);
}

// Each running thread gets one slice, higher priorities first. Only from the main context.
void RunRound()
{
    Scheduler& s = Threads();
    if (s.current) {
        return;
    }
    std::vector<ThreadContext*> round = s.threads;
    std::stable_sort(round.begin(), round.end(), [](const ThreadContext* a, const ThreadContext* b) {
        return a->itsOwner.Priority > b->itsOwner.Priority;
    });
    for (ThreadContext* context : round) {
        if (std::find(s.threads.begin(), s.threads.end(), context) != s.threads.end()) {
            context->Resume();
        }
    }
    if (s.threads.empty() && s.pump) {
        s.pump->stop();
    }
}

void StartPump()
{
    Scheduler& s = Threads();
    if (!s.pump) {
        s.pump = new QTimer();
        s.pump->setInterval(0);
        QObject::connect(s.pump, &QTimer::timeout, RunRound);
    }
    s.pump->start();
}

} // namespace

ThreadContext::~ThreadContext()
{
    Scheduler& s = Threads();
    Forget(this);
    if (!itsStack) {
        return;
    }
    if (s.current == this) {
        // Dropped from its own body: the thread ends where it is.
        s.spentStacks.push_back(itsStack);
        s.current = nullptr;
        StartSwitch(nullptr, s.mainStackBottom, s.mainStackSize);
        setcontext(&s.mainContext);
    }
    munmap(itsStack, StackSize);
}

void ThreadContext::Start()
{
    if (!itsStack) {
        void* stack = mmap(nullptr, StackSize, PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_STACK, -1, 0);
        if (stack == MAP_FAILED) {
            return;
        }
        // The lowest page stays unmapped to catch an overflow.
        mprotect(stack, static_cast<std::size_t>(sysconf(_SC_PAGESIZE)), PROT_NONE);
        itsStack = stack;
    }
    getcontext(&itsContext);
    itsContext.uc_stack.ss_sp = itsStack;
    itsContext.uc_stack.ss_size = StackSize;
    itsContext.uc_link = nullptr;
    const auto address = reinterpret_cast<std::uintptr_t>(this);
    makecontext(&itsContext, reinterpret_cast<void (*)()>(&ThreadContext::Entry), 2,
                static_cast<unsigned>(address >> 32), static_cast<unsigned>(address));
    itsRunning = true;
    Threads().threads.push_back(this);
    StartPump();
}

void ThreadContext::Resume()
{
    Scheduler& s = Threads();
    s.current = this;
    void* fakeStack = nullptr;
    StartSwitch(&fakeStack, itsStack, StackSize);
    swapcontext(&s.mainContext, &itsContext);
    FinishSwitch(fakeStack, false);
    s.current = nullptr;
    FreeSpentStacks();
}

void ThreadContext::Suspend()
{
    Scheduler& s = Threads();
    StartSwitch(&itsFakeStack, s.mainStackBottom, s.mainStackSize);
    swapcontext(&itsContext, &s.mainContext);
    FinishSwitch(itsFakeStack, true);
}

void ThreadContext::Entry(unsigned high, unsigned low)
{
    auto* context = reinterpret_cast<ThreadContext*>((std::uintptr_t(high) << 32) | low);
    FinishSwitch(nullptr, true);
    context->itsOwner.Event_Run();
    context->Finish();
}

void ThreadContext::Finish()
{
    Scheduler& s = Threads();
    itsRunning = false;
    Forget(this);
    StartSwitch(nullptr, s.mainStackBottom, s.mainStackSize);
    setcontext(&s.mainContext);
    __builtin_unreachable();
}

Thread::Thread() : itsContext(std::make_unique<ThreadContext>(*this)) {}

Thread::~Thread() = default;

void Thread::Run()
{
    if (!itsContext->itsRunning) {
        itsContext->Start();
    }
}

bool Thread::IsRunning() const
{
    return itsContext->itsRunning;
}

void Thread::Event_Run() {}

void YieldToNextThread()
{
    Scheduler& s = Threads();
    if (s.current) {
        s.current->Suspend();
    } else {
        RunRound();
    }
}
