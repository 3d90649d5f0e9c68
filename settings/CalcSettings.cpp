#include "settings/CalcSettings.h"

CalcSettings g_settings;
