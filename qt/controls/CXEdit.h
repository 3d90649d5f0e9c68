#pragma once

#include <QLineEdit>

#include <string>

// A single-line edit that keeps a copy of its text and posts EN_CHANGE to its dialog on every
// change. It shows no context menu.
class CXEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CXEdit(QWidget* parent = nullptr);

    void SetText(const std::string& text); // UTF-8
    std::string GetText() const { return m_strText; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void OnTextChanged(const QString& text);
    void ApplyColours();

    std::string m_strText;
};

// Colours an edit the skin's way: editable ones in the edit background, read-only and disabled
// ones in the dialog background. Works for QLineEdit and QPlainTextEdit.
void ApplyEditColours(QWidget* edit);
