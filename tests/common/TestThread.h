#pragma once
// A second thread for tests that must act while this one is inside a modal
// loop (a message box, the folder browser) or a message loop.

#include <windows.h>

#include <functional>

namespace testsupport {

// A second thread running `body`, joined by Join() or at the latest when the
// object goes.
class Thread {
public:
    explicit Thread(std::function<void()> body) : body_(std::move(body))
    {
        handle_ = ::CreateThread(nullptr, 0, &Thread::Run, this, 0, nullptr);
    }
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    ~Thread() { Join(); }
    void Join()
    {
        if (!handle_)
            return;
        ::WaitForSingleObject(handle_, INFINITE);
        ::CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    static DWORD WINAPI Run(void* self)
    {
        static_cast<Thread*>(self)->body_();
        return 0;
    }
    std::function<void()> body_;
    HANDLE handle_ = nullptr;
};

} // namespace testsupport
