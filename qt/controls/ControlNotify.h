#pragma once

#include <QEvent>

class QWidget;

// Notification codes carried by posted commands.
constexpr int kBnClicked = 0;
constexpr int kEnChange = 0x0300;

// A command (id of control, code) on its way to a dialog; CXDialog runs it when it arrives.
class ControlCommandEvent : public QEvent {
public:
    ControlCommandEvent(int id, int code) : QEvent(EventType()), m_id(id), m_code(code) {}

    static QEvent::Type EventType();
    int Id() const { return m_id; }
    int Code() const { return m_code; }

private:
    int m_id;
    int m_code;
};

// Posts (queues, never runs at once) the command (id, code) to target.
void PostCommandTo(QWidget* target, int id, int code);

// Posts the command (id of control, code) to the dialog that owns control: its parent when
// that is a CXDialog. With alsoGrandparent, a control whose parent is not a dialog posts to the
// parent's parent when that is one.
void PostControlCommand(QWidget* control, int code, bool alsoGrandparent = false);
