#pragma once

#include <string>

// The engine's error record: one message "<error text> '<rest of the line>'".
// Raised from any depth of the parser and caught only in CalcEvaluator::Evaluate.
struct SXError {
    std::string message;
};
