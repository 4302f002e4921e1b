// A Windows DLL that exports nothing: a module, but no gauge module.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
