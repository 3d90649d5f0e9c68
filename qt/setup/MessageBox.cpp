#include "qt/setup/MessageBox.h"

#include "settings/TextTable.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdlib>
#include <fstream>

bool TestAnswerGiven(std::string& answer) {
    const char* value = std::getenv("CORVANE_TEST_ANSWER");
    if (value == nullptr)
        return false;
    answer = value;
    return true;
}

void AppendTestLog(const std::string& kind, const std::string& text) {
    const char* path = std::getenv("CORVANE_TEST_LOG");
    if (path == nullptr || path[0] == '\0')
        return;
    std::string line = kind + " ";
    for (const char c : text)
        line += c == '\n' ? std::string("\\n") : std::string(1, c);
    std::ofstream(path, std::ios::app) << line << '\n';
}

void MakeRoomForTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr)
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    const int width = metrics.horizontalAdvance(box.windowTitle()) + 8 * metrics.height();
    grid->setColumnMinimumWidth(grid->columnCount() - 1, width);
}

MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons, QWidget* owner) {
    std::string answer;
    if (TestAnswerGiven(answer)) {
        AppendTestLog("box", text);
        if (buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        return answer == "yes" ? MessageAnswer::Yes : MessageAnswer::No;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(GetText(TextId::ShortcutName)),
                    QString::fromUtf8(text.c_str()),
                    buttons == MessageButtons::Ok ? QMessageBox::Ok
                                                  : QMessageBox::Yes | QMessageBox::No,
                    owner);
    MakeRoomForTitle(box);
    const int chosen = box.exec();
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return chosen == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void OpenAddress(const std::string& url) {
    std::string answer;
    if (TestAnswerGiven(answer)) {
        AppendTestLog("open", url);
        return;
    }
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(url.c_str())));
}

PromptAnswer CQtSetupPrompt::ShowMessage(const std::string& text, PromptButtons buttons) {
    const MessageAnswer answer = ::ShowMessage(
        text, buttons == PromptButtons::Ok ? MessageButtons::Ok : MessageButtons::YesNo, m_pOwner);
    switch (answer) {
    case MessageAnswer::Yes:
        return PromptAnswer::Yes;
    case MessageAnswer::No:
        return PromptAnswer::No;
    case MessageAnswer::Ok:
        break;
    }
    return PromptAnswer::Ok;
}

bool CQtSetupPrompt::BrowseForFolder(const std::string& start, std::string& chosen) {
    QWidget* owner = m_pOwner != nullptr ? m_pOwner->window() : QApplication::activeWindow();
    // The folder dialog keeps its state (last folder, history, column widths) in the user's
    // QtProject.conf, a file that the uninstaller could not tell apart from one of the user's
    // own. Its state goes to a folder of this run instead, which is removed with all it holds.
    const QTemporaryDir stateFolder;
    if (stateFolder.isValid())
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, stateFolder.path());
    const QString folder = QFileDialog::getExistingDirectory(owner, QStringLiteral("Browse"),
                                                             QString::fromStdString(start));
    if (folder.isEmpty())
        return false; // cancelled
    chosen = folder.toStdString();
    return true;
}

void CQtSetupPrompt::OpenAddress(const std::string& url) {
    ::OpenAddress(url);
}
