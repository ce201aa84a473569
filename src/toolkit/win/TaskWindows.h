#pragma once
// Modal boxes and dialogs of the application: while one is open, every
// window of the thread takes no input.

#include <windows.h>

#include <vector>

namespace tk {

// Disables the thread's visible, enabled top-level windows for its lifetime
// and gives them back their state, and the activation, afterwards.
class DisabledThreadWindows {
public:
    DisabledThreadWindows();
    DisabledThreadWindows(const DisabledThreadWindows&) = delete;
    DisabledThreadWindows& operator=(const DisabledThreadWindows&) = delete;
    ~DisabledThreadWindows();

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM self);

    HWND active_;
    std::vector<HWND> windows_;
};

} // namespace tk
