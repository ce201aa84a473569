#include "RegEdit/RegEdit.h"

#include "toolkit/core/IntConv.h"
#include "toolkit/win/Registry.h"

namespace RegEdit {

bool KeyValueExists(HKEY root, const std::string& keyPath, bool canCreate,
    const std::string& valueName)
{
    tk::TRegistry registry(root);
    return registry.OpenKey(keyPath, canCreate) && registry.ValueExists(valueName);
}

void ReadKeyValue(HKEY root, const std::string& keyPath, bool canCreate,
    const std::string& valueName, ValueKind kind, std::string& text)
{
    tk::TRegistry registry(root);
    if (!registry.OpenKey(keyPath, canCreate) || !registry.ValueExists(valueName))
        return;
    switch (kind) {
    case ValueKindInteger:
        text = tk::IntToStr(registry.ReadInteger(valueName));
        break;
    case ValueKindString:
        text = registry.ReadString(valueName);
        break;
    default:
        break;
    }
}

void WriteKeyValue(HKEY root, const std::string& keyPath, bool canCreate,
    const std::string& valueName, ValueKind kind, const std::string& text)
{
    tk::TRegistry registry(root);
    if (!registry.OpenKey(keyPath, canCreate))
        return;
    switch (kind) {
    case ValueKindInteger:
        registry.WriteInteger(valueName, tk::StrToInt(text));
        break;
    case ValueKindString:
        registry.WriteString(valueName, text);
        break;
    default:
        break;
    }
}

} // namespace RegEdit
