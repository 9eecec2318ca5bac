#pragma once

// windows.h for the Win32 side. Its MessageBox macro would rename the
// program's own MessageBox interface; the wide function is called by its
// full name, MessageBoxW.
#include <windows.h>
#undef MessageBox
