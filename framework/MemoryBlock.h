#pragma once
// A block of bytes with typed access at byte offsets (from 0, in the processor's byte
// order). Access outside the block reads 0 or "" and writes nothing.

#include "framework/Types.h"

#include <vector>

class MemoryBlock {
public:
    // nullptr for a negative or absurd size.
    static std::shared_ptr<MemoryBlock> New(Int32 size);
    explicit MemoryBlock(Int32 size);

    Int32 Size() const;
    const std::uint8_t* Data() const;

    Int32 Byte(Int32 offset) const;
    void SetByte(Int32 offset, Int32 value);
    Int32 Int16Value(Int32 offset) const;
    void SetInt16Value(Int32 offset, Int32 value);
    Int32 Int32Value(Int32 offset) const;
    void SetInt32Value(Int32 offset, Int32 value);
    String StringValue(Int32 offset, Int32 length) const;
    // Writes the bytes of s, cut at the end of the block.
    void SetStringValue(Int32 offset, const String& s);

private:
    bool Holds(Int32 offset, Int32 length) const;

    std::vector<std::uint8_t> itsBytes;
};
