#pragma once

#include <cstdio>
#include <string>

// Whole-file reading and writing, the one place the program does either. Paths are UTF-8.

// Reads the whole file into contents. False, with errno set (ENOENT, EACCES, EISDIR, ...), when
// the file cannot be opened or read; contents is then unchanged.
bool ReadWholeFile(const std::string& path, std::string& contents);

// As ReadWholeFile, for a file the program keeps for itself (its settings): anything but a
// regular file is refused at once, a folder with EISDIR and a pipe or a device with EINVAL, so
// that a start never waits for a pipe's writer or reads a device without end.
bool ReadWholeRegularFile(const std::string& path, std::string& contents);

// Reads stream to its end, byte for byte (a stream with a text mode is switched to binary
// first). False, with errno set, when a read fails; what was read is still appended.
bool ReadWholeStream(std::FILE* stream, std::string& contents);

// Writes data as the whole content of path (created or emptied) and gives it the permission
// bits mode where the system has them. False when it cannot be written completely.
bool WriteWholeFile(const std::string& path, const std::string& data, unsigned mode);

// Replaces the file at path by contents so that it is either wholly old or wholly new: the data
// goes to a temporary file in the same folder, is flushed to disk and then moved over the old
// file. An existing file keeps its permission bits or attributes. An existing file that the
// user may not write (no write permission bit at all, or the read-only attribute; this binds
// an administrator too) is left as it was. False when any step fails; the temporary file is
// then removed and the old file is untouched.
bool WriteFileAtomically(const std::string& path, const std::string& contents);

// Puts data at path as a new file with the permission bits mode (where the system has them),
// whole or not at all: it is written to a new temporary file in the same folder, flushed to
// disk and moved over whatever path names (a symbolic link there is replaced, never followed).
// Unlike WriteFileAtomically it takes nothing from an old file. False on any failure, with
// reason (the system's words: "No space left on device", ...) when given; the temporary file
// is then removed and the old file is untouched.
bool ReplaceFileWith(const std::string& path, const std::string& data, unsigned mode,
                     std::string* reason = nullptr);
