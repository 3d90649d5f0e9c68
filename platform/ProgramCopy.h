#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Copies the program file source to destination. With replaceMarker the whole file is read at
// once and the one setup marker word in it is replaced by 1; a count other than exactly one
// fails the copy.
//
// The copy is written to a new temporary file in the destination's folder and only then moved
// over the destination (rename on POSIX, MoveFileExW with MOVEFILE_REPLACE_EXISTING on
// Windows), so that the destination is either the old file, whole, or the new one, whole. On
// failure the temporary file is removed, the destination is untouched, false is returned and
// reason (when given) says why in the system's words ("No space left on device", "Permission
// denied", or that the file does not hold the setup marker exactly once). The new file is a
// program that can be started (mode 0755 on POSIX).
bool CopyProgramFile(const std::string& source, const std::string& destination, bool replaceMarker,
                     std::string* reason = nullptr);

// Replaces every setup marker word in buffer (at any byte position) by 1 and returns how
// many were replaced.
std::size_t ReplaceSetupMarkers(unsigned char* buffer, std::size_t size);

// The marker value plus 10, kept behind a volatile so that no compiler folds a comparison
// with it back into the marker's own value.
extern const volatile std::uint32_t g_shiftedSetupMarker;

// The reason CopyProgramFile gives when the source does not hold the marker exactly once.
inline constexpr const char* kMarkerNotFoundOnce =
    "The program file does not carry the setup marker exactly once.";
