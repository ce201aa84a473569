#pragma once
// The stand-in product's main library.

#ifdef VTQMAIN_BUILDING
#define VTQMAIN_API extern "C" __declspec(dllexport)
#else
#define VTQMAIN_API extern "C" __declspec(dllimport)
#endif

// A line that describes the library, in code page 936.
VTQMAIN_API const char* VtqMainDescription();
// The library's version as major * 100 + minor.
VTQMAIN_API int VtqMainVersion();
