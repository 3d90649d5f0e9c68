#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Copies the program file source to destination. With replaceMarker the whole file is read at
// once and the one setup marker word in it is replaced by 1; a count other than exactly one
// fails the copy. False on any failure; the destination then holds what was written so far.
bool CopyProgramFile(const std::string& source, const std::string& destination, bool replaceMarker);

// Replaces every setup marker word in buffer (at any byte position) by 1 and returns how
// many were replaced.
std::size_t ReplaceSetupMarkers(unsigned char* buffer, std::size_t size);

// The marker value plus 10, kept behind a volatile so that no compiler folds a comparison
// with it back into the marker's own value.
extern const volatile std::uint32_t g_shiftedSetupMarker;
