#include "toolkit/win/ComObject.h"

#include "toolkit/core/Format.h"
#include "toolkit/win/SysUtils.h"

namespace tk {

std::string GuidToString(const GUID& guid)
{
    return Format("{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                  guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
}

std::string OleErrorMessage(HRESULT code)
{
    std::string text = SysErrorMessage(static_cast<DWORD>(code));
    if (text.empty())
        text = Format("OLE error %.8x", static_cast<unsigned>(code));
    return text;
}

ComPtr<IUnknown> CreateComObject(const CLSID& classId)
{
    ComPtr<IUnknown> object;
    const HRESULT result = ::CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                              IID_IUnknown, object.PutVoid());
    if (FAILED(result))
        throw EOleSysError(Format("%s, ClassID: %s", OleErrorMessage(result).c_str(),
                                  GuidToString(classId).c_str()),
                           static_cast<std::int32_t>(result));
    return object;
}

} // namespace tk
