#pragma once

#include "settings/CalcSettings.h"

// What the main window does when Esc is pressed anywhere in it (the key is consumed always).
enum class EscResponse { Minimise, CloseWindow, Nothing };

// The Esc action of the settings: minimise, exit, or any other value (also one read from a
// file or left unset by the Settings dialog) does nothing.
EscResponse EscKeyResponse(const CalcSettings& settings);
