#pragma once
// A stream over a file of the file system.

#include "toolkit/core/Stream.h"
#include "toolkit/win/Handle.h"

#include <cstdint>
#include <string>

namespace tk {

// Open modes: one access mode combined with one sharing mode, or fmCreate.
enum : std::uint16_t {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    // Creates the file, or empties an existing one; read and write access,
    // no sharing, normal attributes.
    fmCreate = 0xFF00,
};

class TFileStream : public TStream {
public:
    // Opens (mode without fmCreate; the file must exist) or creates the file.
    // A mode without sharing bits shares nothing. Raises EFOpenError "Cannot
    // open file "%s". %s" or EFCreateError "Cannot create file "%s". %s", with
    // the path made absolute and the system's text for the error.
    TFileStream(const std::string& fileName, std::uint16_t mode);

    std::int32_t Read(void* buffer, std::int32_t count) override;
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t size) override;

    const std::string& FileName() const noexcept { return fileName_; }
    HANDLE Handle() const noexcept { return file_.Get(); }

private:
    std::string fileName_;
    UniqueFile file_;
};

} // namespace tk
