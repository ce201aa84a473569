#include "UnitZipModule/UnitZipModule.h"

#include "toolkit/core/MemoryStream.h"
#include "toolkit/win/FileStream.h"

void TDataModuleZip::DecompressFile(const std::string& destination, const std::string& source)
{
    // The source stays open, locked against every other open, until the
    // destination has been written and closed.
    tk::TFileStream input(source, tk::fmOpenRead);
    tk::TMemoryStream result;
    DecompressStream(input, result);
    result.SaveToFile(destination);
}
