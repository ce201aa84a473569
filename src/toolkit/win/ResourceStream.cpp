#include "toolkit/win/ResourceStream.h"

#include "toolkit/core/Exceptions.h"
#include "toolkit/core/Format.h"

namespace tk {

TResourceStream::TResourceStream(HINSTANCE instance, const std::string& name, const std::string& type)
{
    HRSRC info = ::FindResourceA(instance, name.c_str(), type.c_str());
    HGLOBAL handle = info ? ::LoadResource(instance, info) : nullptr;
    void* data = handle ? ::LockResource(handle) : nullptr;
    if (!data)
        throw EResNotFound(Format("Resource %s not found", name.c_str()));
    // Resource data stays mapped as long as the module is loaded; there is
    // nothing to release.
    SetPointer(data, ::SizeofResource(instance, info));
}

std::int32_t TResourceStream::Write(const void*, std::int32_t)
{
    throw EStreamError("Can't write to a read-only resource stream");
}

} // namespace tk
