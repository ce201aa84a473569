#pragma once
// Creation of COM objects and interface requests that fail with exceptions.

#include "toolkit/win/ComPtr.h"

#include <string>

namespace tk {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case.
std::string GuidToString(const GUID& guid);

// The message of a failed COM call: the system's text for the code, without
// trailing blanks, line breaks and full stops, or "OLE error %.8x" when the
// system has none.
std::string OleErrorMessage(HRESULT code);

// Creates an object of the class as an in-process or local server and asks
// for IUnknown. A failure raises EOleSysError "<message>, ClassID: <class>".
ComPtr<IUnknown> CreateComObject(const CLSID& classId);

// The object's interface T (identified by `iid`); a refusal raises
// EIntfCastError "Interface not supported".
template <typename T>
ComPtr<T> QueryInterfaceOf(IUnknown* object, const IID& iid);

} // namespace tk

#include "toolkit/core/Exceptions.h"

template <typename T>
tk::ComPtr<T> tk::QueryInterfaceOf(IUnknown* object, const IID& iid)
{
    ComPtr<T> result;
    if (!object || FAILED(object->QueryInterface(iid, result.PutVoid())) || !result)
        throw EIntfCastError();
    return result;
}
