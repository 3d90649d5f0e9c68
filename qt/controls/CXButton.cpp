#include "qt/controls/CXButton.h"

#include "qt/controls/CXImageList.h"
#include "qt/controls/ControlNotify.h"
#include "qt/controls/SkinColors.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

CXButton::CXButton(QWidget* parent) : QAbstractButton(parent) {
    setMouseTracking(true); // hover without a pressed button
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover, false);
}

void CXButton::SetImage(const CXImageList* list, int key) {
    m_pImageList = list;
    m_nImage = key;
    update();
}

bool CXButton::Enable(bool enable) {
    const bool wasDisabled = !isEnabled();
    setEnabled(enable);
    m_bDisabled = !enable;
    update();
    return wasDisabled;
}

void CXButton::SetText(const QString& text) {
    setText(text);
    update();
}

void CXButton::NotifyClick() {
    PostControlCommand(this, kBnClicked);
}

QSize CXButton::sizeHint() const {
    const QFontMetrics metrics(font());
    int width = metrics.horizontalAdvance(text()) + 16;
    if (m_pImageList && m_nImage >= 0)
        width += 16 + 6;
    return {std::max(width, 22), std::max(metrics.height() + 8, 22)};
}

void CXButton::HoverAt(const QPoint& pos, bool leftHeld) {
    if (m_bDisabled)
        return;
    if (!m_bTracking) {
        m_bTracking = true;
        m_bHover = true;
        update();
        return;
    }
    const bool wasHover = m_bHover;
    m_bHover = rect().contains(pos);
    if (!m_bHover && !leftHeld) {
        StopTracking();
        return;
    }
    if (m_bHover != wasHover)
        update();
}

void CXButton::StopTracking() {
    m_bTracking = false;
    m_bHover = false;
    m_bPressed = false;
    update();
}

void CXButton::mouseMoveEvent(QMouseEvent* event) {
    HoverAt(event->position().toPoint(), event->buttons() & Qt::LeftButton);
}

void CXButton::enterEvent(QEnterEvent* event) {
    HoverAt(event->position().toPoint(), event->buttons() & Qt::LeftButton);
}

void CXButton::leaveEvent(QEvent* /*event*/) {
    // Qt reports leaving only while no button holds the implicit grab.
    if (m_bTracking)
        StopTracking();
}

void CXButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_bDisabled) {
        event->ignore();
        return;
    }
    if (!m_bTracking) {
        // A press without a move before it (a window that just appeared under the mouse).
        m_bTracking = true;
        m_bHover = true;
    }
    m_bPressed = true;
    update();
    setFocus(Qt::MouseFocusReason);
}

void CXButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (m_bHover) {
        if (m_bPressed)
            NotifyClick();
        m_bPressed = false;
        StopTracking();
    } else {
        m_bPressed = false;
        if (m_bTracking)
            StopTracking();
    }
    update();
}

void CXButton::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    // Qt delivers the second press of a double click before this event; it does not count, so
    // the release that follows does not click a second time.
    m_bPressed = false;
    update();
}

void CXButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        NotifyClick();
        event->accept();
        return;
    default:
        event->ignore();
    }
}

void CXButton::keyReleaseEvent(QKeyEvent* event) {
    // The base would click on the release of Space; the press already did.
    if (event->key() == Qt::Key_Space)
        event->accept();
    else
        event->ignore();
}

void CXButton::focusInEvent(QFocusEvent* event) {
    QAbstractButton::focusInEvent(event);
    update();
}

void CXButton::focusOutEvent(QFocusEvent* event) {
    QAbstractButton::focusOutEvent(event);
    update();
}

void CXButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        m_bDisabled = !isEnabled();
        if (m_bDisabled && m_bTracking)
            StopTracking();
        update();
    }
    QAbstractButton::changeEvent(event);
}

void CXButton::hideEvent(QHideEvent* event) {
    // Like losing the capture: back to normal.
    m_bTracking = false;
    m_bHover = false;
    m_bPressed = false;
    m_nState = Normal;
    QAbstractButton::hideEvent(event);
}

void CXButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    DrawButton(painter);
}

void CXButton::DrawButton(QPainter& painter) {
    const bool focused = hasFocus();
    m_bDisabled = !isEnabled();
    if (m_bDisabled)
        m_nState = Disabled;
    else if (m_bHover && m_bPressed)
        m_nState = Pressed;
    else if (m_bHover)
        m_nState = Hot;
    else
        m_nState = Normal;

    const QRect rc = rect();
    const int w = rc.width();
    const int h = rc.height();
    const bool hotFace = m_nState == Hot || m_nState == Pressed;
    painter.fillRect(rc.adjusted(1, 1, -1, -1),
                     SkinColor(hotFace ? Skin::ButtonFaceHot : Skin::ButtonFace));

    // One-pixel frame, drawn like Draw3dRect: top and left edges stop one pixel short, the
    // bottom and right edges own the corners they end in.
    QColor topLeft = SkinColor(Skin::ButtonFrame);
    QColor bottomRight = topLeft;
    if (m_nState == Hot) {
        topLeft = SkinColor(Skin::EdgeLight);
        bottomRight = SkinColor(Skin::EdgeDark);
    } else if (m_nState == Pressed) {
        topLeft = SkinColor(Skin::EdgeDark);
        bottomRight = SkinColor(Skin::EdgeLight);
    }
    painter.fillRect(0, 0, w - 1, 1, topLeft);
    painter.fillRect(0, 0, 1, h - 1, topLeft);
    painter.fillRect(w - 1, 0, 1, h, bottomRight);
    painter.fillRect(0, h - 1, w, 1, bottomRight);

    const QString caption = text();
    bool pictureDrawn = false;
    if (m_pImageList && m_nImage != -1) {
        const int cell = m_pImageList->Lookup(m_nImage);
        if (cell >= 0 && cell < m_pImageList->Count()) {
            pictureDrawn = true;
            const int y = (h - 16) / 2;
            const int x = caption.isEmpty() ? (w - 16) / 2 : rc.left() + 6;
            switch (m_nState) {
            case Normal:
                m_pImageList->DrawNormal(painter, cell, {x, y});
                break;
            case Hot:
                m_pImageList->DrawHot(painter, cell, {x, y});
                break;
            case Pressed:
                m_pImageList->DrawNormal(painter, cell, {x + 1, y + 1});
                break;
            default:
                m_pImageList->DrawGreyed(painter, cell, {x, y}, SkinColor(Skin::ButtonFace));
                break;
            }
        }
    }

    if (caption.isEmpty())
        return;
    QRect textRect = rc;
    if (pictureDrawn)
        textRect.setLeft(textRect.left() + 16);
    if (m_nState == Pressed) {
        textRect.setLeft(textRect.left() + 2);
        textRect.setTop(textRect.top() + 2);
    }
    painter.setFont(font());
    painter.setPen(SkinColor(m_nState == Disabled ? Skin::ButtonTextDisabled : Skin::ButtonText));
    painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, caption);

    if (focused) {
        // Right end exclusive; y = bottom - 3 with an exclusive bottom.
        const int left = textRect.left() + 2 + (pictureDrawn ? 10 : 0);
        const int right = textRect.left() + textRect.width() - 4;
        const int y = h - 3 + (m_nState == Pressed ? 1 : 0);
        if (right > left)
            painter.fillRect(left, y, right - left, 1, SkinColor(Skin::FocusLine));
    }
}
