#pragma once

#include <string>

// Reads the whole file into contents. False (contents unchanged) when the file cannot be
// opened or read.
bool ReadWholeFile(const std::string& path, std::string& contents);

// Replaces the file at path by contents so that it is either wholly old or wholly new: the
// data goes to a temporary file in the same folder, is flushed to disk and then renamed over
// the old file. An existing file keeps its permission bits. False when any step fails; the
// temporary file is then removed and the old file is untouched.
bool WriteFileAtomically(const std::string& path, const std::string& contents);
