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
    m_tracker.SetDisabled(!enable);
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
    const BoxSize size = ButtonSizeHint(metrics.horizontalAdvance(text()), metrics.height(),
                                        m_pImageList && m_nImage >= 0);
    return {size.width, size.height};
}

void CXButton::HoverAt(const QPoint& pos, bool leftHeld) {
    m_tracker.MouseAt(rect().contains(pos), leftHeld);
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
    m_tracker.Leave();
    update();
}

void CXButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_tracker.Press()) {
        event->ignore();
        return;
    }
    update();
    setFocus(Qt::MouseFocusReason);
}

void CXButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    // The state is back to normal before the dialog hears of the click.
    const bool click = m_tracker.Release();
    update();
    if (click)
        NotifyClick();
}

void CXButton::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    // Qt delivers the second press of a double click before this event; it does not count, so
    // the release that follows does not click a second time.
    m_tracker.DoubleClick();
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
        m_tracker.SetDisabled(!isEnabled());
        update();
    }
    QAbstractButton::changeEvent(event);
}

void CXButton::hideEvent(QHideEvent* event) {
    // Like losing the capture: back to normal.
    m_tracker.Reset();
    m_nState = Normal;
    QAbstractButton::hideEvent(event);
}

void CXButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    DrawButton(painter);
}

namespace {

QRect RectOf(const ScreenBox& box) {
    return {box.x, box.y, box.width, box.height};
}

} // namespace

void CXButton::DrawButton(QPainter& painter) {
    m_tracker.SetDisabled(!isEnabled());
    const ButtonState state = m_tracker.State();
    m_nState = static_cast<int>(state);

    const QString caption = text();
    int cell = -1;
    if (m_pImageList && m_nImage != -1) {
        cell = m_pImageList->Lookup(m_nImage);
        if (cell >= m_pImageList->Count())
            cell = -1;
    }
    const ButtonFace face =
        LayOutButtonFace(width(), height(), state, cell >= 0, !caption.isEmpty(), hasFocus());

    painter.fillRect(RectOf(face.face), SkinColor(face.faceColour));
    painter.fillRect(RectOf(face.top), SkinColor(face.topLeftColour));
    painter.fillRect(RectOf(face.left), SkinColor(face.topLeftColour));
    painter.fillRect(RectOf(face.right), SkinColor(face.bottomRightColour));
    painter.fillRect(RectOf(face.bottom), SkinColor(face.bottomRightColour));

    const QPoint at(face.pictureX, face.pictureY);
    switch (face.picture) {
    case PictureDraw::Normal:
        m_pImageList->DrawNormal(painter, cell, at);
        break;
    case PictureDraw::Hot:
        m_pImageList->DrawHot(painter, cell, at);
        break;
    case PictureDraw::Greyed:
        m_pImageList->DrawGreyed(painter, cell, at, SkinColor(Skin::ButtonFace));
        break;
    case PictureDraw::None:
        break;
    }

    if (caption.isEmpty())
        return;
    painter.setFont(font());
    painter.setPen(SkinColor(face.textColour));
    painter.drawText(RectOf(face.text), Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine,
                     caption);
    if (face.focusLine)
        painter.fillRect(RectOf(face.focus), SkinColor(Skin::FocusLine));
}
