#pragma once

#include <cstdint>

// The setup marker: one 32-bit word in the program file's initialised data. The file as
// delivered holds 0x1111AACC there; the installed copy holds 1 in its place. Read through a
// volatile so that every read comes from the file's own bytes.
extern const volatile std::uint32_t g_setupMarker;

// True while the running file is the setup package (the marker's low 16 bits are 0xAACC).
bool IsSetupPackage();
