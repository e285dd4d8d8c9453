// A library that holds nothing but three icon resources (see three_icons.rc.in).
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
