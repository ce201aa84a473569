// Fuzz target: any bytes as a payload record through DecompressStream. It
// must end (no hang), raise only the toolkit's exceptions, leak nothing, and
// on success give exactly the size field's count of bytes.

#include "UnitZipModule/UnitZipModule.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/core/MemoryStream.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Records that claim more than 1 MiB only make the run allocate; the
    // code paths are the same as for smaller sizes.
    if (size >= 4) {
        std::uint32_t field;
        std::memcpy(&field, data, 4);
        if (field > (1u << 20) && field < 0x80000000u)
            return 0;
    }

    tk::TMemoryStream source;
    if (size > 0)
        source.WriteBuffer(data, static_cast<std::int32_t>(size));
    source.SetPosition(0);

    tk::TMemoryStream result;
    try {
        TDataModuleZip::DecompressStream(source, result);
    } catch (const tk::EReadError&) {
        return 0;
    } catch (const tk::EWriteError&) {
        return 0;
    } catch (const tk::EZlibError&) {
        return 0;
    }
    // Success: the size field is the content's length, and the stream ended.
    const std::int64_t expected = static_cast<std::int64_t>(data[0]) | static_cast<std::int64_t>(data[1]) << 8
        | static_cast<std::int64_t>(data[2]) << 16 | static_cast<std::int64_t>(data[3]) << 24;
    if (result.Size() != expected || result.Position() != 0)
        std::abort();
    return 0;
}
