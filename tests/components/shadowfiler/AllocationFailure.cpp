#include "tests/components/shadowfiler/AllocationFailure.h"

#include <cstdlib>
#include <new>

namespace {

thread_local std::size_t failingSize = 0;
thread_local int refused = 0;

} // namespace

AllocationFailure::AllocationFailure(std::size_t size)
{
    failingSize = size;
    refused = 0;
}

AllocationFailure::~AllocationFailure()
{
    failingSize = 0;
}

int AllocationFailure::Refused() const
{
    return refused;
}

// The test program's allocator: malloc, with the refusal above.
void* operator new(std::size_t size)
{
    if (failingSize != 0 && size == failingSize) {
        ++refused;
        throw std::bad_alloc();
    }
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

// The nothrow form must come from the same allocator as the deletes above.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    if (failingSize != 0 && size == failingSize) {
        ++refused;
        return nullptr;
    }
    return std::malloc(size == 0 ? 1 : size);
}

void operator delete(void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}
