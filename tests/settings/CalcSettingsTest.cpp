#include "settings/CalcSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Format(const CalcValue& value, const CalcSettings& settings) {
    std::string text;
    FormatResult(value, text, DisplayMode::Decimal, GetFormatOptions(settings));
    return text;
}

// The settings model's three formatting options reach the result text unchanged.
TEST(CalcSettingsTest, FormatOptionsFollowTheSettings) {
    CalcSettings settings;
    EXPECT_EQ(Format(CalcValue::MakeReal(1234.5), settings), "1 234.5");

    settings.m_decimals = 0;
    EXPECT_EQ(Format(CalcValue::MakeReal(1234.5), settings), "1 235");

    settings.m_decimals = 2;
    settings.m_deleteTrailingZeros = 0;
    settings.m_groupDigits = 0;
    EXPECT_EQ(Format(CalcValue::MakeReal(1234.5), settings), "1234.50");

    settings.m_decimals = 40;
    EXPECT_EQ(Format(CalcValue::MakeReal(0.5), settings), "0.500000000000000");
}

} // namespace
