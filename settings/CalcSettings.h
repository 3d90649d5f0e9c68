#pragma once

#include "engine/ResultFormat.h"

#include <cstdint>
#include <string>

struct WindowRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The one settings model: options, window placement and the expressions.
class CalcSettings {
public:
    virtual ~CalcSettings() = default;

    WindowRect m_windowRect;
    int32_t m_windowState = -1; // -1 never saved, 0 normal, 1 minimised
    int32_t m_keepOnTop = 0;
    int32_t m_showButtons = 1;
    std::string m_expressions; // lines separated by CR LF
    int32_t m_decimals = 4;
    int32_t m_deleteTrailingZeros = 1;
    int32_t m_groupDigits = 1;
    int32_t m_saveExpressions = 1;
    int32_t m_escAction = 2; // 0 minimise, 1 exit, 2 do nothing
};

extern CalcSettings g_settings;

// The formatting options of these settings, as the worksheet takes them.
FormatOptions GetFormatOptions(const CalcSettings& settings);
