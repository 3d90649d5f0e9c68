#include "settings/CalcSettings.h"

CalcSettings g_settings;

FormatOptions GetFormatOptions(const CalcSettings& settings) {
    FormatOptions options;
    options.decimals = settings.m_decimals;
    options.deleteTrailingZeros = settings.m_deleteTrailingZeros;
    options.groupDigits = settings.m_groupDigits;
    return options;
}
