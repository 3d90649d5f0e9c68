#pragma once

#include <cstdint>

enum class EvalStatus : int32_t { Evaluated = 1, Failed = 2, CommentLine = 3 };
