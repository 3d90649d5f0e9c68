#pragma once

#include <windows.h>

// The program icon (icon resource 128) at a size in pixels; the caller destroys it.
HICON LoadProgramIcon(int size);
