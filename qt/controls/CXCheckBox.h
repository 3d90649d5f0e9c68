#pragma once

#include <QCheckBox>

// A check box that keeps its state in m_nCheck and posts BN_CLICKED to its dialog after a
// click, so the dialog's handler already sees the new state.
class CXCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CXCheckBox(QWidget* parent = nullptr);
    explicit CXCheckBox(const QString& text, QWidget* parent = nullptr);

    void SetCheck(int check); // 0 or 1
    int GetCheck() const { return m_nCheck; }

private:
    void OnClicked();

    int m_nCheck = 0;
};
