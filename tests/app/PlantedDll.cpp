// A DLL that a download folder might hold beside the program: the DLL search
// test plants it beside the test program and sees whether a load by bare
// name picks it up.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
