#include "UnitZipModule/UnitZipModule.h"

#include "toolkit/core/DecompressionStream.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/core/MemoryStream.h"

#include <cstdint>

void TDataModuleZip::DecompressStream(tk::TStream& source, tk::TMemoryStream& result)
{
    unsigned char sizeField[4];
    source.ReadBuffer(sizeField, sizeof sizeField);
    const auto size = static_cast<std::int32_t>(static_cast<std::uint32_t>(sizeField[0])
        | static_cast<std::uint32_t>(sizeField[1]) << 8 | static_cast<std::uint32_t>(sizeField[2]) << 16
        | static_cast<std::uint32_t>(sizeField[3]) << 24);

    // The content is inflated straight into the result; its previous
    // content is dropped first so that only one copy is ever held.
    result.Clear();
    tk::TDecompressionStream decompression(source);
    // A negative count cannot be written into a memory stream.
    if (size < 0)
        throw tk::EWriteError();
    try {
        result.SetSize(size);
        decompression.ReadBuffer(result.Memory(), size);

        // The stream must end right here: with its trailer checked and
        // nothing after it in the record.
        unsigned char beyond;
        if (decompression.Read(&beyond, 1) != 0 || !decompression.StreamEnded())
            throw tk::EZlibError();
    } catch (...) {
        result.Clear();
        throw;
    }
}
