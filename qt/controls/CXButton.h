#pragma once

#include "uilogic/ButtonFace.h"

#include <QAbstractButton>

class CXImageList;

// The flat skinned push button. It paints itself in four states and reports a click by
// posting BN_CLICKED with its id to its dialog (CXDialog::OnCommand), after it has updated.
// Its state machine and face are the shared ButtonTracker and LayOutButtonFace.
class CXButton : public QAbstractButton {
    Q_OBJECT
public:
    enum State { Normal = 1, Hot = 2, Pressed = 3, Disabled = 4 };

    explicit CXButton(QWidget* parent = nullptr);

    // The picture beside the caption (list not owned; null or key -1 for none).
    void SetImage(const CXImageList* list, int key);
    int Image() const { return m_nImage; }
    // Enables or disables; returns true when the button was disabled before.
    bool Enable(bool enable);
    // Sets the caption and repaints.
    void SetText(const QString& text);
    // Posts the click to the dialog.
    void NotifyClick();

    // The state of the last paint.
    int PaintedState() const { return m_nState; }
    bool IsHover() const { return m_tracker.IsHover(); }
    bool IsPressed() const { return m_tracker.IsPressed(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void HoverAt(const QPoint& pos, bool leftHeld);
    void DrawButton(QPainter& painter);

    int m_nState = Normal;
    ButtonTracker m_tracker;
    const CXImageList* m_pImageList = nullptr;
    int m_nImage = -1;
};
