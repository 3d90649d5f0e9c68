#pragma once

#include "engine/ResultFormat.h"

#include <cstdint>
#include <string>

// What the Esc key does. The settings file holds the number; a number outside these (from a
// hand-edited file, or none chosen in the Settings dialog) is kept as it is and does nothing.
enum class EscAction : int32_t { Minimise = 0, Exit = 1, DoNothing = 2 };

// How the window was when it was last closed. The settings file holds the number; any other
// number from a hand-edited file is kept as it is and counts as normal.
enum class WindowState : int32_t { NeverSaved = -1, Normal = 0, Minimised = 1 };

struct WindowRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The one settings model: options, window placement and the expressions.
class CalcSettings {
public:
    virtual ~CalcSettings() = default;

    WindowRect m_windowRect;
    WindowState m_windowState = WindowState::NeverSaved;
    int32_t m_keepOnTop = 0;
    int32_t m_showButtons = 1;
    std::string m_expressions; // lines separated by CR LF
    int32_t m_decimals = 4;
    int32_t m_deleteTrailingZeros = 1;
    int32_t m_groupDigits = 1;
    int32_t m_saveExpressions = 1;
    EscAction m_escAction = EscAction::DoNothing;
};

extern CalcSettings g_settings;

// The formatting options of these settings, as the worksheet takes them.
FormatOptions GetFormatOptions(const CalcSettings& settings);
