#pragma once

#include "engine/ResultFormat.h"
#include "engine/SXError.h"

#include <string>
#include <vector>

// Errors in plain words: what the engine's terse message means for the line at hand, where
// in the line evaluation stopped and what was expected there.

// The plain words for one failed line, e.g. "The line ends where a number or a name was
// expected." typed: the line as typed (spaces included, no line break); error: the engine's
// detail for it, whose places count the line without its spaces. Places are named by
// character, counted from 1 in the typed line.
std::string ExplainError(const std::string& typed, const ErrorDetail& error);

// One line of a sheet evaluated as the results pane shows it: the result with a failed line
// as "err: " and the engine's message (as the command line's --why prints it), and for a
// failed line the plain words (else empty).
struct ExplainedLine {
    std::string result;
    std::string plain;
};

// Every line of text (program text, CR LF or LF lines), evaluated in order so that each line
// sees the variables set above it; results are written with options.
std::vector<ExplainedLine> ExplainSheet(const std::string& text,
                                        const FormatOptions& options = FormatOptions());
