#pragma once
// A read-only stream over a resource of a module's image. The data is read
// in place, where the loader mapped it; nothing is copied.

#include "toolkit/core/MemoryStream.h"

#include <windows.h>

#include <string>

namespace tk {

class TResourceStream : public TCustomMemoryStream {
public:
    // Finds the resource by name and type (strings; the system compares them
    // without regard to case) in the module instance, any language. Raises
    // EResNotFound "Resource %s not found" with the name when it is missing
    // or cannot be loaded.
    TResourceStream(HINSTANCE instance, const std::string& name, const std::string& type);

    // Resources are read-only: raises EStreamError.
    std::int32_t Write(const void* buffer, std::int32_t count) override;
};

} // namespace tk
