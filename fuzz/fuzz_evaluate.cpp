// Feeds arbitrary bytes to the engine as one line: any crash, sanitizer report or hang is a bug.
#include "engine/CalcEvaluator.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The engine receives zero-terminated lines, so the line ends at the first NUL.
    const char* bytes = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(bytes, 0, size);
    const size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - bytes) : size;
    const std::string line(bytes, length);

    CalcEvaluator evaluator;
    CalcValue result;
    const EvalStatus status = evaluator.Evaluate(line, result);
    // The status is one of the three, and only a failure leaves an error text.
    if (status != EvalStatus::Evaluated && status != EvalStatus::Failed &&
        status != EvalStatus::CommentLine) {
        __builtin_trap();
    }
    if ((status == EvalStatus::Failed) == evaluator.ErrorText().empty()) {
        __builtin_trap();
    }
    return 0;
}
