#pragma once

#include "qt/controls/DialogBuilder.h"
#include "uilogic/DialogTemplate.h"

#include <QDialog>

class QKeyEvent;

// The base of every dialog: built from a template, painted in the skin colours, with Esc and
// Enter handled the way the dialogs expect and commands that controls post to it.
class CXDialog : public QDialog {
    Q_OBJECT
public:
    // Builds the template's controls at once; the derived constructor then initialises them.
    explicit CXDialog(const DialogTemplate& tmpl, QWidget* parent = nullptr);
    ~CXDialog() override;

    int TemplateId() const { return m_templateId; }
    const DialogUnits& Units() const { return m_units; }
    // A template rectangle in dialog units, in pixels of this dialog.
    QRect MapDialogRect(int x, int y, int cx, int cy) const;

    // The direct child control with this id, or null.
    QWidget* Control(int id) const;
    template <class T> T* ControlAs(int id) const { return qobject_cast<T*>(Control(id)); }

    // Sets (or replaces) the tooltip of a control.
    void AddToolTip(QWidget* control, const QString& text);

    // Queues the command (id, code) for this dialog, as a control's notification would.
    void PostCommand(int id, int code = 0);

    // Runs one command now: emits commandReceived, then OnCommand. Posted commands end here.
    void DispatchCommand(int id, int code);

    void accept() override; // -> OnOK
    void reject() override; // -> OnCancel (Cancel button, Esc, close box)

signals:
    // Every command that reaches the dialog, before OnCommand handles it.
    void commandReceived(int id, int code);

protected:
    // Commands from the controls. The base maps DialogId::Ok to OnOK and DialogId::Cancel to
    // OnCancel.
    virtual void OnCommand(int id, int code);
    virtual void OnOK();     // ends the dialog with QDialog::Accepted
    virtual void OnCancel(); // ends the dialog with QDialog::Rejected

    // Sees every key press meant for this dialog or one of its controls (web views included)
    // before the control does. Return true to consume it. The base handles Esc: it posts
    // DialogId::Cancel to the first dialog, going outwards from this one, that has a control 2,
    // when that control is enabled; Esc is consumed either way.
    virtual bool PreTranslateMessage(QObject* receiver, QKeyEvent* event);

    bool event(QEvent* event) override;            // runs posted commands
    void keyPressEvent(QKeyEvent* event) override; // Enter: the default button
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The first time it is shown, a dialog larger than its screen's work area (less the
    // window frame) is made smaller to fit it, as on a screen of large text; resizeEvent
    // then lays its controls out in the smaller size.
    void setVisible(bool visible) override;
    // A window with a modal dialog open is not left minimised: a window manager that lets the
    // user minimise the dialog minimises its owner with it, and the owner waits for the dialog.
    void changeEvent(QEvent* event) override;

private:
    bool IsInnermostDialogOf(QObject* receiver) const;
    void FitOnScreen();
    void RestoreModalChain();

    int m_templateId = 0;
    unsigned m_style = 0;
    DialogUnits m_units;
    bool m_bFitted = false;
};
