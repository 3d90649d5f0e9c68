// The setup wizard driven offscreen. It installs the running test program, which carries the
// setup marker like the delivered program does.
#include "SetupTestSupport.h"

#include "qt/controls/CXButton.h"
#include "qt/controls/CXCheckBox.h"
#include "qt/setup/MessageBox.h"
#include "qt/setup/SetupMarker.h"
#include "qt/setup/SetupWizard.h"
#include "settings/TextTable.h"
#include "setuplogic/TextFormat.h"
#include "uilogic/WizardTemplates.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEnginePage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsSetupPackage()); // the test program can be installed
        fs::create_directories(home.Desktop());
        home.SetEnv("CORVANE_TEST_ANSWER", "yes");
        home.SetEnv("CORVANE_TEST_LOG", log.c_str());
        frame = std::make_unique<CSetupFrame>();
        frame->show();
        QApplication::processEvents();
    }

    void TearDown() override { frame.reset(); }

    COptionsPage& Options() { return frame->OptionsPage(); }
    CXButton* OkButton() { return frame->ControlAs<CXButton>(DialogId::Ok); }
    QString FolderLine() { return Options().m_pFolderLine->text(); }
    std::string Folder() const { return home.DataHome() + "Corvane/"; }

    // Clicks "Change ..." and lets handle() deal with the folder browser once it is open.
    void BrowseWith(const std::function<void(QFileDialog*)>& handle) {
        bool handled = false;
        QTimer::singleShot(0, [&] {
            for (int i = 0; i < 200 && !handled; ++i) {
                if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                    EXPECT_EQ(dialog->windowTitle(), "Browse");
                    handle(dialog);
                    handled = true;
                    return;
                }
                QTest::qWait(10);
            }
        });
        Options().DispatchCommand(SetupControl::Change, 0);
        EXPECT_TRUE(handled);
    }

    // Runs the commands posted so far (a click posts its command to the dialog).
    static void Settle() {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }

    void PressOk() {
        frame->PostCommand(DialogId::Ok, 0);
        Settle();
    }

    ScratchHome home;
    std::string log = home.Root() + "log";
    std::unique_ptr<CSetupFrame> frame;
};

TEST_F(WizardTest, StartsOnTheAgreementWithBothOptionsOn) {
    EXPECT_EQ(frame->windowTitle(), "Corvane Calculator Setup");
    EXPECT_EQ(frame->Stage(), 0);
    EXPECT_TRUE(frame->AgreementPage().isVisible());
    EXPECT_FALSE(Options().isVisible());
    EXPECT_EQ(OkButton()->text(), "I Agree");
    EXPECT_EQ(frame->ControlAs<CXButton>(DialogId::Cancel)->text(), "Cancel");
    EXPECT_EQ(Options().m_pDesktopIcon->GetCheck(), 1);
    EXPECT_EQ(Options().m_pRunAfter->GetCheck(), 1);
    EXPECT_EQ(FolderLine().toStdString(),
              FormatWithText(GetText(TextId::FolderCaptionFormat), Folder()));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return frame->AgreementPage().Browser().DocumentText().find("Licence Agreement") !=
               std::string::npos;
    }));
}

TEST_F(WizardTest, FirstOkOnlySwitchesPagesAndRelabels) {
    QTest::keyClick(frame.get(), Qt::Key_Return); // Enter is OK
    Settle();
    EXPECT_EQ(frame->Stage(), 1);
    EXPECT_FALSE(frame->AgreementPage().isVisible());
    EXPECT_TRUE(Options().isVisible());
    EXPECT_EQ(OkButton()->text(), "Install");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(ListTree(home.Home()) == std::vector<std::string>{"Desktop"});
    EXPECT_FALSE(Exists(log));
}

TEST_F(WizardTest, LongFolderLineHasTheWholeFolderAsItsTooltip) {
    EXPECT_EQ(Options().m_pFolderLine->toolTip().toStdString(), Folder());
    const std::string deep = home.Root() + std::string(40, 'a') + "/" + std::string(40, 'b') + "/";
    fs::create_directories(deep);
    BrowseWith([&](QFileDialog* dialog) {
        dialog->setDirectory(QString::fromStdString(deep));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(Options().m_pFolderLine->toolTip().toStdString(), deep + "Corvane/");
}

// "Back" or "Reload" from the licence view's context menu, the mouse or a script once showed
// an empty page in its place.
TEST_F(WizardTest, LicenceViewCannotBeLeftOrBlanked) {
    CXWebBrowser& view = frame->AgreementPage().Browser();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return view.DocumentText().find("Licence Agreement") != std::string::npos &&
               view.url() == CXWebBrowser::DocumentBaseUrl();
    }));
    QTest::qWait(200);
    EXPECT_EQ(view.contextMenuPolicy(), Qt::NoContextMenu);
    view.triggerPageAction(QWebEnginePage::Back);
    view.triggerPageAction(QWebEnginePage::Reload);
    QTest::qWait(500);
    EXPECT_EQ(view.url(), CXWebBrowser::DocumentBaseUrl());
    EXPECT_FALSE(view.history()->canGoBack());
    QString text;
    view.page()->toPlainText([&](const QString& plain) { text = plain; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !text.isNull(); }));
    EXPECT_TRUE(text.contains("Licence Agreement")) << text.left(200).toStdString();
}

// Enter goes to whatever has the focus, as a person's key press would.
void PressOnFocus(Qt::Key key) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

TEST_F(WizardTest, EnterInTheLicenceViewIsOkAndTheFocusStaysOnOk) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    EXPECT_EQ(QApplication::focusWidget(), OkButton()); // not Cancel, the first in tab order
    CXWebBrowser& view = frame->AgreementPage().Browser();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.focusProxy() != nullptr; }));
    view.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.focusProxy()->hasFocus(); }));
    PressOnFocus(Qt::Key_Return);
    EXPECT_EQ(frame->Stage(), 1);
    EXPECT_EQ(QApplication::focusWidget(), OkButton());
    EXPECT_EQ(OkButton()->text(), "Install");
    EXPECT_FALSE(Exists(log));
}

TEST_F(WizardTest, TabReachesEveryButtonAndSpacePressesIt) {
    PressOk();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    std::vector<QWidget*> reached;
    for (int i = 0; i < 10; ++i) {
        reached.push_back(QApplication::focusWidget());
        PressOnFocus(Qt::Key_Tab);
    }
    for (QWidget* control : {static_cast<QWidget*>(OkButton()), frame->Control(DialogId::Cancel),
                             static_cast<QWidget*>(Options().m_pChange),
                             static_cast<QWidget*>(Options().m_pDesktopIcon),
                             static_cast<QWidget*>(Options().m_pRunAfter)})
        EXPECT_NE(std::find(reached.begin(), reached.end(), control), reached.end())
            << control->objectName().toStdString();

    while (QApplication::focusWidget() != frame->Control(DialogId::Cancel))
        PressOnFocus(Qt::Key_Tab);
    PressOnFocus(Qt::Key_Space);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(frame->result(), QDialog::Rejected);
    EXPECT_TRUE(ListTree(home.Home()) == std::vector<std::string>{"Desktop"});
}

// With both options on, the install ends the setup process by starting the installed
// program, so the two presses run in a child process of the test.
TEST_F(WizardTest, EnterTwiceFromTheStartInstallsWithTheDefaults) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    home.SetEnv("CORVANE_TEST_REPORT_RUN", "1"); // the started calculator ends at once
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(
        {
            PressOnFocus(Qt::Key_Return);
            PressOnFocus(Qt::Key_Return);
            std::_Exit(3); // still running: the second Enter did not install
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_TRUE(Exists(Folder() + "corvane"));
    EXPECT_TRUE(Exists(home.Desktop() + "Corvane Calculator.desktop"));
    EXPECT_TRUE(Exists(home.Applications() + "Corvane Calculator/Corvane Calculator.desktop"));
    EXPECT_FALSE(Exists(log)); // no message box: the installed program was started instead
}

TEST_F(WizardTest, FailedInstallShowsTheMessageAndStaysThenAnotherFolderWorks) {
    PressOk();
    const std::string chosen = home.Root() + "chosen";
    fs::create_directories(chosen);
    BrowseWith([&](QFileDialog* dialog) {
        dialog->setDirectory(QString::fromStdString(chosen));
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides its override
    });
    EXPECT_EQ(frame->Flow().Installer().m_strFolder, chosen + "/Corvane/");
    EXPECT_NE(FolderLine().toStdString().find(chosen + "/Corvane/"), std::string::npos);

    fs::remove(chosen); // the folder is gone before "Install" is pressed
    Options().m_pRunAfter->SetCheck(0);
    PressOk();
    EXPECT_EQ(ReadFile(log), "box Cannot create\\n" + chosen + "/Corvane/\n");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->Stage(), 1);
    EXPECT_TRUE(Options().isVisible());

    fs::create_directories(chosen);
    PressOk();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(frame->result(), QDialog::Accepted);
    EXPECT_TRUE(Exists(chosen + "/Corvane/corvane"));
}

TEST_F(WizardTest, CancellingTheFolderBrowserLeavesTheFolderLine) {
    PressOk();
    const QString before = FolderLine();
    BrowseWith([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(FolderLine(), before);
    EXPECT_EQ(frame->Flow().Installer().m_strFolder, Folder());
    // The dialog left no state file in the home folder, and its own folder is gone again.
    EXPECT_TRUE(ListTree(home.Home()) == std::vector<std::string>{"Desktop"});
    EXPECT_TRUE(ListTree(home.Temp()).empty());
    EXPECT_EQ(frame->focusWidget(), OkButton()); // back from the browser, Enter installs
}

TEST_F(WizardTest, BothOptionsClearedMakeOnlyTheProgramsShortcut) {
    PressOk();
    for (CXCheckBox* box : {Options().m_pDesktopIcon, Options().m_pRunAfter}) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
        Settle();
        EXPECT_EQ(box->GetCheck(), 0);
    }
    QTest::keyClick(Options().m_pRunAfter, Qt::Key_Return); // Enter in a page is OK too
    Settle();
    EXPECT_EQ(ReadFile(log), "box Setup complete\n");
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(frame->result(), QDialog::Accepted);
    EXPECT_EQ(ListTree(home.Desktop()), std::vector<std::string>{});
    EXPECT_TRUE(Exists(home.Applications() + "Corvane Calculator/Corvane Calculator.desktop"));
    EXPECT_EQ(CountOccurrences(ReadFile(Folder() + "corvane"), WordBytes(MarkerWord())), 0u);
    EXPECT_EQ(ReadFile(Folder() + "corvane").size(), fs::file_size("/proc/self/exe"));
}

TEST_F(WizardTest, EscOnEitherPageCancelsWithNothingInstalled) {
    for (int stage : {0, 1}) {
        if (stage == 1) {
            frame = std::make_unique<CSetupFrame>();
            frame->show();
            PressOk();
        }
        QWidget* focus = stage == 0 ? static_cast<QWidget*>(OkButton())
                                    : static_cast<QWidget*>(Options().m_pDesktopIcon);
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Escape);
        Settle();
        EXPECT_FALSE(frame->isVisible()) << stage;
        EXPECT_EQ(frame->result(), QDialog::Rejected) << stage;
    }
    EXPECT_TRUE(ListTree(home.Home()) == std::vector<std::string>{"Desktop"});
}

// "Setup complete" alone would make a box narrower than its title, which window managers then
// cut short.
TEST(MessageBox, ShortTextLeavesRoomForTheWholeTitle) {
    QMessageBox box(QMessageBox::NoIcon, "Corvane Calculator", "Setup complete", QMessageBox::Ok);
    MakeRoomForTitle(box);
    box.show();
    QApplication::processEvents();
    QFont bold = box.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    EXPECT_GE(box.width(), metrics.horizontalAdvance(box.windowTitle()) + 6 * metrics.height());
    box.close();
}

} // namespace
