#include "toolkit/win/FileStream.h"

#include "toolkit/core/Exceptions.h"
#include "toolkit/core/Format.h"
#include "toolkit/core/MemoryStream.h"
#include "toolkit/win/SysUtils.h"

namespace tk {

namespace {

DWORD ShareOf(std::uint16_t mode)
{
    switch (mode & 0x00F0) {
    case fmShareDenyWrite: return FILE_SHARE_READ;
    case fmShareDenyRead: return FILE_SHARE_WRITE;
    case fmShareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0;
    }
}

DWORD AccessOf(std::uint16_t mode)
{
    switch (mode & 0x0003) {
    case fmOpenWrite: return GENERIC_WRITE;
    case fmOpenReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
    }
}

} // namespace

TFileStream::TFileStream(const std::string& fileName, std::uint16_t mode) : fileName_(fileName)
{
    if (mode == fmCreate) {
        file_.Reset(::CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file_) {
            const DWORD error = ::GetLastError();
            throw EFCreateError(Format("Cannot create file \"%s\". %s", ExpandFileName(fileName).c_str(),
                SysErrorMessage(error).c_str()));
        }
    } else {
        file_.Reset(::CreateFileA(fileName.c_str(), AccessOf(mode), ShareOf(mode), nullptr, OPEN_EXISTING,
            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file_) {
            const DWORD error = ::GetLastError();
            throw EFOpenError(Format("Cannot open file \"%s\". %s", ExpandFileName(fileName).c_str(),
                SysErrorMessage(error).c_str()));
        }
    }
}

std::int32_t TFileStream::Read(void* buffer, std::int32_t count)
{
    DWORD done = 0;
    if (count <= 0 || !::ReadFile(file_.Get(), buffer, static_cast<DWORD>(count), &done, nullptr))
        return 0;
    return static_cast<std::int32_t>(done);
}

std::int32_t TFileStream::Write(const void* buffer, std::int32_t count)
{
    DWORD done = 0;
    if (count <= 0 || !::WriteFile(file_.Get(), buffer, static_cast<DWORD>(count), &done, nullptr))
        return 0;
    return static_cast<std::int32_t>(done);
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const DWORD method = origin == TSeekOrigin::soBeginning ? FILE_BEGIN
        : origin == TSeekOrigin::soCurrent                  ? FILE_CURRENT
                                                            : FILE_END;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(file_.Get(), distance, &position, method))
        return -1;
    return position.QuadPart;
}

void TFileStream::SetSize(std::int64_t size)
{
    SetPosition(size);
    if (!::SetEndOfFile(file_.Get()))
        throw EStreamError(SysErrorMessage(::GetLastError()));
}

// The memory streams' file output lives here, beside the file stream it uses.
void TCustomMemoryStream::SaveToFile(const std::string& fileName) const
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

} // namespace tk
