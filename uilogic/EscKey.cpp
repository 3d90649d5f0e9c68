#include "uilogic/EscKey.h"

EscResponse EscKeyResponse(const CalcSettings& settings) {
    switch (settings.m_escAction) {
    case EscAction::Minimise:
        return EscResponse::Minimise;
    case EscAction::Exit:
        return EscResponse::CloseWindow;
    default:
        return EscResponse::Nothing;
    }
}
