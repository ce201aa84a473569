#pragma once
// A counted reference to a COM interface: one AddRef per holder, released
// when the holder goes or is assigned anew.

#include <unknwn.h>

#include <utility>

namespace tk {

template <typename T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(const ComPtr& other) noexcept : p_(other.p_) { AddRef(); }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(const ComPtr& other) noexcept
    {
        ComPtr(other).Swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        ComPtr(std::move(other)).Swap(*this);
        return *this;
    }
    ~ComPtr() { Reset(); }

    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    void Reset() noexcept
    {
        if (T* old = std::exchange(p_, nullptr))
            old->Release();
    }
    // For out-parameters of creation calls: releases what is held first.
    T** Put() noexcept
    {
        Reset();
        return &p_;
    }
    void** PutVoid() noexcept { return reinterpret_cast<void**>(Put()); }
    void Swap(ComPtr& other) noexcept { std::swap(p_, other.p_); }

private:
    void AddRef() noexcept
    {
        if (p_)
            p_->AddRef();
    }
    T* p_ = nullptr;
};

} // namespace tk
