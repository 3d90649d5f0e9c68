#include "qt/controls/CXRadioGroup.h"

#include "qt/controls/ControlId.h"
#include "qt/controls/ControlNotify.h"
#include "uilogic/DialogFit.h"
#include "uilogic/DialogTemplate.h"

#include <QButtonGroup>

CXRadioGroup::CXRadioGroup(QWidget* parent) : CXRadioGroup(QString(), parent) {}

CXRadioGroup::CXRadioGroup(const QString& text, QWidget* parent) : QRadioButton(text, parent) {
    setAutoExclusive(false);
    connect(this, &QRadioButton::clicked, this, [this] { PostControlCommand(this, kBnClicked); });
}

std::vector<QRadioButton*> CXRadioGroup::Buttons() const {
    std::vector<QRadioButton*> buttons{const_cast<CXRadioGroup*>(this)};
    QWidget* parent = parentWidget();
    if (!parent)
        return buttons;
    const auto siblings = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    const auto self = siblings.indexOf(const_cast<CXRadioGroup*>(this));
    for (auto i = self + 1; i >= 1 && i < siblings.size(); ++i) {
        QWidget* sibling = siblings[i];
        if (ControlStyle(sibling) & CtlStyle::Group)
            break;
        if (auto* radio = qobject_cast<QRadioButton*>(sibling))
            buttons.push_back(radio);
    }
    return buttons;
}

void CXRadioGroup::BindGroup() {
    if (!m_group)
        m_group = new QButtonGroup(this); // owned by this button
    for (QAbstractButton* old : m_group->buttons())
        m_group->removeButton(old);
    m_group->setExclusive(true);
    for (QRadioButton* radio : Buttons()) {
        radio->setAutoExclusive(false);
        m_group->addButton(radio);
    }
}

void CXRadioGroup::SetValue(int value) {
    m_nValue = value;
    // An exclusive group cannot be emptied; SetValue may ask for no button at all.
    if (m_group)
        m_group->setExclusive(false);
    const auto buttons = Buttons();
    for (size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setChecked(static_cast<int>(i) == value);
    if (m_group)
        m_group->setExclusive(true);
}

int CXRadioGroup::GetValue() {
    std::vector<bool> checked;
    for (const QRadioButton* button : Buttons())
        checked.push_back(button->isChecked());
    m_nValue = CheckedIndex(checked);
    return m_nValue;
}
