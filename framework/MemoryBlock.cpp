#include "framework/MemoryBlock.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr Int32 MaxSize = 256 * 1024 * 1024;

} // namespace

std::shared_ptr<MemoryBlock> MemoryBlock::New(Int32 size)
{
    if (size < 0 || size > MaxSize) {
        return nullptr;
    }
    try {
        return std::make_shared<MemoryBlock>(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

MemoryBlock::MemoryBlock(Int32 size) : itsBytes(static_cast<std::size_t>(size < 0 ? 0 : size)) {}

Int32 MemoryBlock::Size() const
{
    return static_cast<Int32>(itsBytes.size());
}

const std::uint8_t* MemoryBlock::Data() const
{
    return itsBytes.data();
}

bool MemoryBlock::Holds(Int32 offset, Int32 length) const
{
    return offset >= 0 && length >= 0 && std::int64_t(offset) + length <= std::int64_t(itsBytes.size());
}

Int32 MemoryBlock::Byte(Int32 offset) const
{
    return Holds(offset, 1) ? itsBytes[offset] : 0;
}

void MemoryBlock::SetByte(Int32 offset, Int32 value)
{
    if (Holds(offset, 1)) {
        itsBytes[offset] = static_cast<std::uint8_t>(value);
    }
}

Int32 MemoryBlock::Int16Value(Int32 offset) const
{
    std::int16_t value = 0;
    if (Holds(offset, sizeof value)) {
        std::memcpy(&value, itsBytes.data() + offset, sizeof value);
    }
    return value;
}

void MemoryBlock::SetInt16Value(Int32 offset, Int32 value)
{
    const auto narrow = static_cast<std::int16_t>(value);
    if (Holds(offset, sizeof narrow)) {
        std::memcpy(itsBytes.data() + offset, &narrow, sizeof narrow);
    }
}

Int32 MemoryBlock::Int32Value(Int32 offset) const
{
    Int32 value = 0;
    if (Holds(offset, sizeof value)) {
        std::memcpy(&value, itsBytes.data() + offset, sizeof value);
    }
    return value;
}

void MemoryBlock::SetInt32Value(Int32 offset, Int32 value)
{
    if (Holds(offset, sizeof value)) {
        std::memcpy(itsBytes.data() + offset, &value, sizeof value);
    }
}

String MemoryBlock::StringValue(Int32 offset, Int32 length) const
{
    if (!Holds(offset, length)) {
        return String();
    }
    return String(reinterpret_cast<const char*>(itsBytes.data()) + offset, static_cast<std::size_t>(length));
}

void MemoryBlock::SetStringValue(Int32 offset, const String& s)
{
    if (!Holds(offset, 0)) {
        return;
    }
    const std::size_t room = itsBytes.size() - static_cast<std::size_t>(offset);
    std::memcpy(itsBytes.data() + offset, s.data(), std::min(room, s.size()));
}
