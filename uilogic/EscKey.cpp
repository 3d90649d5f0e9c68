#include "uilogic/EscKey.h"

EscResponse EscKeyResponse(const CalcSettings& settings) {
    switch (settings.m_escAction) {
    case 0:
        return EscResponse::Minimise;
    case 1:
        return EscResponse::CloseWindow;
    default:
        return EscResponse::Nothing;
    }
}
