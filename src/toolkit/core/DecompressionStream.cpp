#include "toolkit/core/DecompressionStream.h"

#include "toolkit/core/Exceptions.h"

#include <cstdlib>
#include <new>

namespace tk {

// zlib's allocator: zero-filled blocks. A failure is noted on the stream and
// reported to zlib as Z_NULL; the stream then raises EOutOfMemory.
voidpf ZlibAllocate(voidpf opaque, uInt items, uInt size) noexcept
{
    void* block = std::calloc(items, size);
    if (!block)
        static_cast<TDecompressionStream*>(opaque)->allocationFailed_ = true;
    return block;
}

namespace {

void ZlibFree(voidpf, voidpf address) noexcept
{
    std::free(address);
}

} // namespace

TDecompressionStream::TDecompressionStream(TStream& source)
    : source_(source), sourcePosition_(source.Position())
{
    try {
        input_ = std::make_unique<std::array<Bytef, InputBufferSize>>();
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory();
    }
    zstream_.zalloc = ZlibAllocate;
    zstream_.zfree = ZlibFree;
    zstream_.opaque = this;
    zstream_.next_in = input_->data();
    zstream_.avail_in = 0;
    if (inflateInit_(&zstream_, ZLIB_VERSION, static_cast<int>(sizeof(z_stream))) < 0)
        RaiseZlibFailure();
}

TDecompressionStream::~TDecompressionStream()
{
    inflateEnd(&zstream_);
}

void TDecompressionStream::RaiseZlibFailure() const
{
    if (allocationFailed_)
        throw EOutOfMemory();
    throw EZlibError();
}

std::int32_t TDecompressionStream::Read(void* buffer, std::int32_t count)
{
    zstream_.next_out = static_cast<Bytef*>(buffer);
    zstream_.avail_out = count > 0 ? static_cast<uInt>(count) : 0;
    if (source_.Position() != sourcePosition_)
        source_.SetPosition(sourcePosition_);
    while (zstream_.avail_out > 0) {
        if (zstream_.avail_in == 0) {
            const std::int32_t got = source_.Read(input_->data(), InputBufferSize);
            if (got <= 0)
                return count - static_cast<std::int32_t>(zstream_.avail_out);
            zstream_.next_in = input_->data();
            zstream_.avail_in = static_cast<uInt>(got);
            sourcePosition_ = source_.Position();
        }
        // Input left over once the stream has ended lies beyond its end.
        if (ended_)
            throw EZlibError();
        const int result = inflate(&zstream_, Z_NO_FLUSH);
        if (result < 0)
            RaiseZlibFailure();
        // A preset dictionary is not supported: without one zlib would
        // answer Z_NEED_DICT for ever.
        if (result == Z_NEED_DICT)
            throw EZlibError();
        if (result == Z_STREAM_END)
            ended_ = true;
    }
    return count;
}

std::int32_t TDecompressionStream::Write(const void*, std::int32_t)
{
    throw EInvalidStreamOperation();
}

std::int64_t TDecompressionStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    if (offset != 0 || origin != TSeekOrigin::soCurrent)
        throw EInvalidStreamOperation();
    return static_cast<std::int64_t>(zstream_.total_out);
}

} // namespace tk
