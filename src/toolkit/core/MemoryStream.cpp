#include "toolkit/core/MemoryStream.h"

#include "toolkit/core/Exceptions.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace tk {

std::int32_t TCustomMemoryStream::Read(void* buffer, std::int32_t count)
{
    const auto size = static_cast<std::int64_t>(size_);
    if (count <= 0 || position_ < 0 || position_ >= size)
        return 0;
    const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(count, size - position_));
    std::memcpy(buffer, static_cast<const char*>(memory_) + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    switch (origin) {
    case TSeekOrigin::soBeginning: position_ = offset; break;
    case TSeekOrigin::soCurrent: position_ += offset; break;
    case TSeekOrigin::soEnd: position_ = static_cast<std::int64_t>(size_) + offset; break;
    }
    return position_;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) const
{
    const char* data = static_cast<const char*>(memory_);
    std::size_t left = size_;
    while (left > 0) {
        const auto n = static_cast<std::int32_t>(
            std::min<std::size_t>(left, static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())));
        stream.WriteBuffer(data, n);
        data += n;
        left -= static_cast<std::size_t>(n);
    }
}

TMemoryStream::~TMemoryStream()
{
    Clear();
}

void TMemoryStream::Clear() noexcept
{
    std::free(memory_);
    memory_ = nullptr;
    size_ = 0;
    capacity_ = 0;
    position_ = 0;
}

void TMemoryStream::Reallocate(std::size_t capacity)
{
    if (capacity == capacity_)
        return;
    if (capacity == 0) {
        std::free(memory_);
        memory_ = nullptr;
        capacity_ = 0;
        return;
    }
    void* block = std::realloc(memory_, capacity);
    if (!block)
        throw EOutOfMemory();
    memory_ = block;
    capacity_ = capacity;
}

void TMemoryStream::SetSize(std::int64_t size)
{
    if (size < 0 || static_cast<std::uint64_t>(size) > std::numeric_limits<std::size_t>::max() / 2)
        throw EOutOfMemory();
    Reallocate(static_cast<std::size_t>(size));
    size_ = static_cast<std::size_t>(size);
    if (position_ > size)
        position_ = size;
}

std::int32_t TMemoryStream::Write(const void* buffer, std::int32_t count)
{
    if (count <= 0 || position_ < 0)
        return 0;
    const std::int64_t end = position_ + count;
    if (static_cast<std::uint64_t>(end) > std::numeric_limits<std::size_t>::max() / 2)
        return 0;
    if (static_cast<std::size_t>(end) > capacity_) {
        // Grow by a quarter at least, in 8 KiB steps, so that many small
        // writes do not reallocate each time.
        std::size_t capacity = std::max(static_cast<std::size_t>(end), capacity_ + capacity_ / 4);
        capacity = (capacity + 0x1FFF) & ~static_cast<std::size_t>(0x1FFF);
        Reallocate(capacity);
    }
    char* data = static_cast<char*>(memory_);
    if (position_ > static_cast<std::int64_t>(size_))
        std::memset(data + size_, 0, static_cast<std::size_t>(position_) - size_);
    std::memcpy(data + position_, buffer, static_cast<std::size_t>(count));
    position_ = end;
    size_ = std::max(size_, static_cast<std::size_t>(end));
    return count;
}

void TMemoryStream::LoadFromStream(TStream& stream)
{
    stream.SetPosition(0);
    const std::int64_t size = stream.Size();
    SetSize(size);
    position_ = 0;
    char* data = static_cast<char*>(memory_);
    std::int64_t left = size;
    while (left > 0) {
        const auto n = static_cast<std::int32_t>(
            std::min<std::int64_t>(left, std::numeric_limits<std::int32_t>::max()));
        stream.ReadBuffer(data, n);
        data += n;
        left -= n;
    }
}

} // namespace tk
