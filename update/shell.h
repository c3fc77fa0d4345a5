#pragma once

#include <windows.h>

// ShellExecuteW with the verb "open", no owner, parameters or folder. shell32 is loaded, and COM
// initialised on the calling thread, at the first call rather than with the program: most runs open no
// page and no installer, and shell32 is large.
HINSTANCE shellOpen(const wchar_t* file, int show);

// Ends COM on the calling thread where shellOpen initialised it. Called once, as the program ends.
void closeShell();
