// The one header through which the program reaches the operating system.
// On Windows it is <windows.h>; elsewhere (and in the Windows build of the
// tests, which define BLASTGRID_PORTABLE) it is the project's own portable
// layer, which declares the same names with the same signatures.
#pragma once

#if defined(_WIN32) && !defined(BLASTGRID_PORTABLE)
#include <windows.h>
#else
#include "platform/portable/win32_api.h"
#endif
