#include <windows.h>

#include "app/DllSearch.h"
#include "app/Startup.h"

// Command-line arguments are ignored: the program has none.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
    app::LimitDllSearchToTheSystemFolder();
    return app::RunProgram(instance, showState);
}
