#include "qt/controls/CXCheckBox.h"

#include "qt/controls/ControlNotify.h"

CXCheckBox::CXCheckBox(QWidget* parent) : CXCheckBox(QString(), parent) {}

CXCheckBox::CXCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    connect(this, &QCheckBox::clicked, this, &CXCheckBox::OnClicked);
}

void CXCheckBox::SetCheck(int check) {
    m_nCheck = check;
    setChecked(check != 0);
}

void CXCheckBox::OnClicked() {
    // The copy is updated before the dialog's handler runs.
    m_nCheck = isChecked() ? 1 : 0;
    PostControlCommand(this, kBnClicked);
}
