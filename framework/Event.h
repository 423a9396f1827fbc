#pragma once
// A named event of a component: its owner attaches one handler; raising an event that has
// no handler does nothing (and gives a default result).

#include <functional>
#include <utility>

template <class Signature>
class Event;

template <class Result, class... Args>
class Event<Result(Args...)> {
public:
    using Handler = std::function<Result(Args...)>;

    void Attach(Handler handler) { itsHandler = std::move(handler); }
    void Detach() { itsHandler = nullptr; }
    bool IsAttached() const { return static_cast<bool>(itsHandler); }

    Result Raise(Args... args) const
    {
        if (!itsHandler) {
            return Result();
        }
        return itsHandler(std::forward<Args>(args)...);
    }

private:
    Handler itsHandler;
};
