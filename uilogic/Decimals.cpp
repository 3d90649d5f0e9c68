#include "uilogic/Decimals.h"

#include "settings/NumberText.h"

#include <algorithm>

namespace {
constexpr int kMinDecimals = 0;
constexpr int kMaxDecimals = 15;
} // namespace

int ReadDecimals(const std::string& text) {
    return std::clamp<int>(NumberAt(text, 0), kMinDecimals, kMaxDecimals);
}
