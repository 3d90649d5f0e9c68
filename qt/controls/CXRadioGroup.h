#pragma once

#include <QRadioButton>

#include <vector>

class QButtonGroup;

// The first radio button of a group. The group is this button and the radio buttons that
// follow it among its siblings, up to the next control that starts a group. Value = index of
// the checked one.
class CXRadioGroup : public QRadioButton {
    Q_OBJECT
public:
    explicit CXRadioGroup(QWidget* parent = nullptr);
    explicit CXRadioGroup(const QString& text, QWidget* parent = nullptr);

    // Checks exactly the button with index n (none when n is out of range).
    void SetValue(int value);
    // Stores and returns the index of the checked button (the last if several, -1 if none).
    int GetValue();

    // The group's buttons, in window order.
    std::vector<QRadioButton*> Buttons() const;
    // Makes the group mutually exclusive; called by the builder once the siblings exist.
    void BindGroup();

private:
    int m_nValue = 0;
    QButtonGroup* m_group = nullptr;
};
