// The Esc key's response follows the stored Esc action; unknown values do nothing.
#include "uilogic/EscKey.h"

#include <gtest/gtest.h>

namespace {

TEST(EscKey, ResponseFollowsTheStoredAction) {
    const std::pair<int32_t, EscResponse> cases[] = {
        {0, EscResponse::Minimise},
        {1, EscResponse::CloseWindow},
        {2, EscResponse::Nothing},
        // None chosen in the Settings dialog, or a value from a hand-edited file.
        {-1, EscResponse::Nothing},
        {5, EscResponse::Nothing},
    };
    for (const auto& [stored, response] : cases) {
        SCOPED_TRACE(stored);
        CalcSettings settings;
        settings.m_escAction = static_cast<EscAction>(stored);
        EXPECT_EQ(EscKeyResponse(settings), response);
    }
}

} // namespace
