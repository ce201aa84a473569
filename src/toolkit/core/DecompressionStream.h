#pragma once
// A read-only stream that inflates a zlib stream (RFC 1950) read from another
// stream, which it feeds to zlib in pieces of up to 65,536 bytes.

#include "toolkit/core/Stream.h"

#include <zlib.h>

#include <array>
#include <memory>

namespace tk {

class TDecompressionStream : public TStream {
public:
    static constexpr std::int32_t InputBufferSize = 65536;

    // Reads its input from source, starting at the source's current position.
    // Raises EOutOfMemory when zlib's state cannot be allocated and
    // EZlibError when zlib rejects the initialisation.
    explicit TDecompressionStream(TStream& source);
    ~TDecompressionStream() override;

    // Fills the buffer with up to count inflated bytes. Returns fewer only
    // when the source runs dry before the stream ends, or when the stream
    // ends and the source has nothing after it. Raises EZlibError on a
    // corrupt stream, on a stream that asks for a preset dictionary and on
    // bytes that follow the end of the stream; EOutOfMemory when zlib cannot
    // allocate its window.
    std::int32_t Read(void* buffer, std::int32_t count) override;
    // Writing is not supported: raises EInvalidStreamOperation.
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    // Only reports the position (bytes inflated so far); moving it raises
    // EInvalidStreamOperation.
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

    // True once zlib has reached the end of the stream, its Adler-32
    // trailer checked.
    bool StreamEnded() const noexcept { return ended_; }

private:
    [[noreturn]] void RaiseZlibFailure() const;

    TStream& source_;
    std::int64_t sourcePosition_;
    z_stream zstream_{};
    std::unique_ptr<std::array<Bytef, InputBufferSize>> input_;
    bool ended_ = false;
    // Set by the allocation callback, which cannot raise through zlib's C
    // frames; the failure is raised once zlib has returned.
    bool allocationFailed_ = false;

    friend voidpf ZlibAllocate(voidpf opaque, uInt items, uInt size) noexcept;
};

} // namespace tk
