#pragma once
// Owning wrappers for system handles: non-copyable, movable, released on
// every path. A traits type names the invalid value and the release call.

#include <windows.h>
#include <objbase.h>  // CoTaskMemFree
#include <shtypes.h>  // LPITEMIDLIST

#include <utility>

namespace tk {

template <typename Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type value) noexcept : value_(value) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    Type Get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::Invalid(); }

    Type Release() noexcept { return std::exchange(value_, Traits::Invalid()); }
    void Reset(Type value = Traits::Invalid()) noexcept
    {
        const Type old = std::exchange(value_, value);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }
    // For out-parameters: releases what is held and hands out the slot.
    Type* Put() noexcept
    {
        Reset();
        return &value_;
    }

private:
    Type value_ = Traits::Invalid();
};

struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) noexcept { ::CloseHandle(h); }
};
using UniqueFile = UniqueHandle<FileHandleTraits>;

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::CloseHandle(h); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

struct RegKeyTraits {
    using Type = HKEY;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::RegCloseKey(h); }
};
using UniqueRegKey = UniqueHandle<RegKeyTraits>;

struct GdiObjectTraits {
    using Type = HGDIOBJ;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::DeleteObject(h); }
};
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;

struct IconTraits {
    using Type = HICON;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::DestroyIcon(h); }
};
using UniqueIcon = UniqueHandle<IconTraits>;

struct ModuleTraits {
    using Type = HMODULE;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::FreeLibrary(h); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;

// An item-id list returned by the shell, freed with the COM task allocator.
struct PidlTraits {
    using Type = LPITEMIDLIST;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type p) noexcept { ::CoTaskMemFree(p); }
};
using UniquePidl = UniqueHandle<PidlTraits>;

} // namespace tk
