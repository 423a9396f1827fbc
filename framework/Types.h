#pragma once
// The basic types every layer above speaks in.

#include <cstdint>
#include <memory>
#include <string>

using Int32 = std::int32_t;

// A UTF-8 byte string. Byte positions count from 1; Len and Left count characters.
using String = std::string;

// Root of the layer's objects that a window can hold by name (controls, timers, dispatchers).
class Object {
public:
    virtual ~Object() = default;
};
