// Check box, edit and radio group: their copies of the value and their posted notifications.
#include "TestRegistry.h"

#include "qt/controls/CXCheckBox.h"
#include "qt/controls/CXDialog.h"
#include "qt/controls/CXEdit.h"
#include "qt/controls/CXRadioGroup.h"
#include "qt/controls/ControlId.h"
#include "qt/controls/ControlNotify.h"
#include "qt/controls/DialogBuilder.h"

#include <QApplication>
#include <QTest>

#include <memory>
#include <vector>

namespace {

const DialogTemplate kOptions{
    700,
    "Options",
    238,
    146,
    DlgStyle::Popup | DlgStyle::Caption | DlgStyle::SysMenu,
    8,
    {
        {1006, ControlKind::Edit, "", 54, 22, 26, 12, CtlStyle::Border | CtlStyle::TabStop},
        {1007, ControlKind::CheckBox, "Delete trailing 0", 54, 38, 86, 10, CtlStyle::TabStop},
        {1010, ControlKind::RadioButton, "Minimize", 48, 96, 43, 10, CtlStyle::Group},
        {1011, ControlKind::RadioButton, "Exit app", 92, 96, 41, 10},
        {1012, ControlKind::RadioButton, "Do nothing", 134, 96, 51, 10},
        {DialogId::Ok, ControlKind::PushButton, "OK", 125, 125, 50, 14,
         CtlStyle::Group | CtlStyle::Default},
        {1020, ControlKind::RadioButton, "Other group", 10, 125, 50, 10, CtlStyle::Group},
    }};

// A page: a child dialog inside a frame dialog.
const DialogTemplate kFrame{
    701,
    "Frame",
    200,
    120,
    DlgStyle::Popup | DlgStyle::Caption,
    8,
    {{DialogId::Cancel, ControlKind::PushButton, "Cancel", 140, 100, 50, 14}}};
const DialogTemplate kPage{702,
                           "",
                           180,
                           80,
                           DlgStyle::Child,
                           8,
                           {{1005, ControlKind::Edit, "", 10, 10, 80, 12, CtlStyle::Border}}};

struct Command {
    int id;
    int code;
    int checkThen;
    std::string textThen;
};

} // namespace

class SmallControlsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CXDialog> m_dialog;
    std::vector<Command> m_commands;

    // Waits until everything posted so far has been delivered.
    bool Drain(CXDialog& dialog) {
        bool back = false;
        auto connection = connect(&dialog, &CXDialog::commandReceived, this,
                                  [&back](int id, int) { back = back || id == 9999; });
        dialog.PostCommand(9999, 0);
        const bool ok = WaitUntil([&] { return back; });
        disconnect(connection);
        return ok;
    }

private slots:
    void init() {
        m_commands.clear();
        m_dialog = std::make_unique<CXDialog>(kOptions);
        connect(m_dialog.get(), &CXDialog::commandReceived, this, [this](int id, int code) {
            if (id == 9999)
                return;
            auto* box = m_dialog->ControlAs<CXCheckBox>(1007);
            auto* edit = m_dialog->ControlAs<CXEdit>(1006);
            m_commands.push_back({id, code, box->GetCheck(), edit->GetText()});
        });
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    void cleanup() { m_dialog.reset(); }

    void checkBoxClickIsSeenByTheHandler() {
        auto* box = m_dialog->ControlAs<CXCheckBox>(1007);
        QCOMPARE(box->GetCheck(), 0);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        QCOMPARE(m_commands.size(), size_t(0)); // posted, not sent
        QTRY_COMPARE(m_commands.size(), size_t(1));
        QCOMPARE(m_commands[0].id, 1007);
        QCOMPARE(m_commands[0].code, kBnClicked);
        QCOMPARE(m_commands[0].checkThen, 1); // the handler already sees the new state
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        QTRY_COMPARE(m_commands.size(), size_t(2));
        QCOMPARE(m_commands[1].checkThen, 0);
    }

    void setCheckNeedsNoClick() {
        auto* box = m_dialog->ControlAs<CXCheckBox>(1007);
        box->SetCheck(1);
        QCOMPARE(box->GetCheck(), 1);
        QVERIFY(box->isChecked());
        QVERIFY(Drain(*m_dialog));
        QCOMPARE(m_commands.size(), size_t(0)); // setting by program is no click
    }

    void editPostsOneChangePerChange() {
        auto* edit = m_dialog->ControlAs<CXEdit>(1006);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClicks(edit, "12");
        QCOMPARE(m_commands.size(), size_t(0));
        QVERIFY(Drain(*m_dialog));
        QCOMPARE(m_commands.size(), size_t(2));
        QCOMPARE(m_commands[0].id, 1006);
        QCOMPARE(m_commands[0].code, kEnChange);
        QCOMPARE(m_commands[1].textThen, std::string("12")); // copy updated before the handler
        QCOMPARE(edit->GetText(), std::string("12"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QVERIFY(Drain(*m_dialog));
        QCOMPARE(m_commands.size(), size_t(3));
        QCOMPARE(edit->GetText(), std::string("1"));
        edit->SetText("-3");
        QCOMPARE(edit->text(), QStringLiteral("-3"));
        QCOMPARE(edit->GetText(), std::string("-3"));
    }

    void editRightClickShowsNothing() {
        auto* edit = m_dialog->ControlAs<CXEdit>(1006);
        edit->SetText("5");
        QTest::mouseClick(edit, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(Drain(*m_dialog));
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(edit->GetText(), std::string("5"));
    }

    void editInAPageTellsTheFrame() {
        CXDialog frame(kFrame);
        CXDialog page(kPage, &frame);
        std::vector<int> frameIds;
        connect(&frame, &CXDialog::commandReceived, this, [&frameIds](int id, int code) {
            if (code == kEnChange)
                frameIds.push_back(id);
        });
        std::vector<int> pageIds;
        connect(&page, &CXDialog::commandReceived, this,
                [&pageIds](int id, int) { pageIds.push_back(id); });
        page.ControlAs<CXEdit>(1005)->SetText("x");
        QVERIFY(Drain(frame));
        QCOMPARE(pageIds, std::vector<int>{1005});
        // The page is a dialog itself, so the frame is not told as well.
        QVERIFY(frameIds.empty());

        // An edit inside a plain container widget tells the dialog around the container.
        QWidget box(&frame);
        CXEdit inner(&box);
        SetControlId(&inner, 1077);
        inner.SetText("y");
        QVERIFY(Drain(frame));
        QCOMPARE(frameIds, std::vector<int>{1077});
    }

    void escInAPageCancelsTheFrame() {
        // The page has no Cancel of its own; the frame around it has.
        CXDialog frame(kFrame);
        CXDialog page(kPage, &frame);
        int cancels = 0;
        connect(&frame, &CXDialog::commandReceived, this,
                [&cancels](int id, int) { cancels += id == DialogId::Cancel ? 1 : 0; });
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        auto* edit = page.ControlAs<CXEdit>(1005);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_Escape);
        QTRY_VERIFY(!frame.isVisible());
        QCOMPARE(cancels, 1);
    }

    void radioGroup() {
        auto* group = m_dialog->ControlAs<CXRadioGroup>(1010);
        auto* exitApp = m_dialog->ControlAs<QRadioButton>(1011);
        auto* doNothing = m_dialog->ControlAs<QRadioButton>(1012);
        auto* other = m_dialog->ControlAs<CXRadioGroup>(1020);
        QCOMPARE(group->Buttons().size(), size_t(3)); // stops at OK, which starts a group
        QCOMPARE(group->GetValue(), -1);              // nothing checked
        other->SetValue(0);
        group->SetValue(2);
        QVERIFY(!group->isChecked());
        QVERIFY(!exitApp->isChecked());
        QVERIFY(doNothing->isChecked());
        QVERIFY(other->isChecked()); // another group is left alone
        QCOMPARE(group->GetValue(), 2);

        QTest::mouseClick(exitApp, Qt::LeftButton, {}, QPoint(6, exitApp->height() / 2));
        QTRY_COMPARE(m_commands.size(), size_t(1));
        QCOMPARE(m_commands[0].id, 1011);
        QCOMPARE(group->GetValue(), 1);
        QVERIFY(!doNothing->isChecked());
        // Clicking the checked one keeps it checked.
        QTest::mouseClick(exitApp, Qt::LeftButton, {}, QPoint(6, exitApp->height() / 2));
        QVERIFY(Drain(*m_dialog));
        QCOMPARE(group->GetValue(), 1);

        group->SetValue(7); // out of range: none checked
        QCOMPARE(group->GetValue(), -1);
        group->SetValue(0);
        QCOMPARE(group->GetValue(), 0);
        QVERIFY(other->isChecked());
    }
};

CONTROLS_TEST(SmallControlsTest);
#include "SmallControlsTest.moc"
