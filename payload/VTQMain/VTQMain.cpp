#include "VTQMain.h"

#include <windows.h>

const char* VtqMainDescription()
{
    return "VTQMain.dll: Kelvaro 截图核心库";
}

int VtqMainVersion()
{
    return VTQ_VERSION_MAJOR * 100 + VTQ_VERSION_MINOR;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
