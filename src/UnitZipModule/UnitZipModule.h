#pragma once
// TDataModuleZip: the non-visual data module that turns a payload record
// into the file it stands for.

#include "toolkit/core/DataModule.h"

#include <string>

namespace tk {
class TStream;
class TMemoryStream;
} // namespace tk

class TDataModuleZip : public tk::TDataModule {
public:
    using tk::TDataModule::TDataModule;

    // Inflates the record held in the file source into the file destination
    // (created, or replaced, only once the whole content is inflated). The
    // source stays open without sharing until the destination is written.
    // Raises EFOpenError, EReadError, EWriteError, EOutOfMemory, EZlibError
    // or EFCreateError.
    static void DecompressFile(const std::string& destination, const std::string& source);

    // Reads one record from source (positioned at its first byte) and
    // replaces the content of result with the inflated content. The record
    // must be exact: a 4-byte little-endian signed size, then one zlib
    // stream that inflates to exactly that many bytes, with a matching
    // Adler-32, and nothing after it. A record shorter than 4 bytes or whose
    // stream is cut short raises EReadError; a negative size EWriteError;
    // any other breach EZlibError.
    static void DecompressStream(tk::TStream& source, tk::TMemoryStream& result);
};

extern TDataModuleZip* DataModuleZip;
