// The stand-in uninstaller: for now it only says that it is one.

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    ::MessageBoxA(nullptr, "Kelvaro 卸载程序", "Kelvaro", MB_OK | MB_ICONINFORMATION);
    return 0;
}
