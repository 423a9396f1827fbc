#pragma once
// While an instance lives, every allocation of exactly `size` bytes through operator new on
// this thread fails with std::bad_alloc, as it would when memory runs out.

#include <cstddef>

class AllocationFailure {
public:
    explicit AllocationFailure(std::size_t size);
    ~AllocationFailure();
    AllocationFailure(const AllocationFailure&) = delete;
    AllocationFailure& operator=(const AllocationFailure&) = delete;

    // Allocations refused so far.
    int Refused() const;
};
