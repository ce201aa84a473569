#pragma once
// Streams over a block of memory. TCustomMemoryStream reads a block it does
// not own (a subclass points it at the data); TMemoryStream owns a growable
// block and can be written.

#include "toolkit/core/Stream.h"

#include <cstddef>
#include <string>

namespace tk {

class TCustomMemoryStream : public TStream {
public:
    std::int32_t Read(void* buffer, std::int32_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(size_); }

    const void* Memory() const noexcept { return memory_; }
    void* Memory() noexcept { return memory_; }

    // Writes the whole content into the stream at its current position, in
    // one write when the content is not empty.
    void SaveToStream(TStream& stream) const;
    // Creates the file, or empties an existing one, with no sharing and
    // writes the whole content into it in one write. Raises EFCreateError
    // when the file cannot be created, EWriteError on a short write.
    // (Defined with the file streams of the Windows part of the toolkit.)
    void SaveToFile(const std::string& fileName) const;

protected:
    void SetPointer(void* memory, std::size_t size) noexcept
    {
        memory_ = memory;
        size_ = size;
    }

private:
    void* memory_ = nullptr;
    std::size_t size_ = 0;
    std::int64_t position_ = 0;

    friend class TMemoryStream;
};

class TMemoryStream : public TCustomMemoryStream {
public:
    TMemoryStream() = default;
    ~TMemoryStream() override;

    std::int32_t Write(const void* buffer, std::int32_t count) override;
    // Sets the size exactly, keeping the content up to the new size; the
    // bytes beyond the old size are not cleared. Raises EOutOfMemory.
    void SetSize(std::int64_t size) override;

    // Drops the content: size and position 0, memory released.
    void Clear() noexcept;
    // Replaces the content with the whole of the stream, read from its start.
    void LoadFromStream(TStream& stream);

private:
    void Reallocate(std::size_t capacity);

    std::size_t capacity_ = 0;
};

} // namespace tk
