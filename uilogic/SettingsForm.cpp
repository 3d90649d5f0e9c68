#include "uilogic/SettingsForm.h"

#include "uilogic/Decimals.h"

namespace {

int Ticked(int32_t option) {
    return option != 0 ? 1 : 0;
}

} // namespace

SettingsForm FormFromSettings(const CalcSettings& settings) {
    SettingsForm form;
    form.decimals = std::to_string(settings.m_decimals);
    form.deleteTrailingZeros = Ticked(settings.m_deleteTrailingZeros);
    form.groupDigits = Ticked(settings.m_groupDigits);
    form.saveExpressions = Ticked(settings.m_saveExpressions);
    const auto esc = static_cast<int32_t>(settings.m_escAction); // the radio values are the numbers
    form.escChoice = esc >= 0 && esc <= 2 ? esc : -1;
    return form;
}

void ApplyForm(const SettingsForm& form, CalcSettings& settings) {
    settings.m_decimals = ReadDecimals(form.decimals);
    settings.m_deleteTrailingZeros = form.deleteTrailingZeros;
    settings.m_groupDigits = form.groupDigits;
    settings.m_saveExpressions = form.saveExpressions;
    settings.m_escAction = static_cast<EscAction>(form.escChoice);
}
