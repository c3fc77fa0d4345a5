#pragma once

#include <windows.h>

// ShellExecuteW with the verb "open", no owner, parameters or folder. shell32 is loaded on the first
// call rather than with the program: most runs open no page and no installer, and shell32 is large.
HINSTANCE shellOpen(const wchar_t* file, int show);
