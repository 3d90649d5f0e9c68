#include "qt/setup/Installer.h"

#include "platform/ModulePath.h"

#include <QApplication>
#include <QFileDialog>
#include <QSettings>
#include <QTemporaryDir>

bool CInstaller::BrowseFolder(QWidget* owner) {
    if (owner == nullptr)
        owner = QApplication::activeWindow();
    // The folder dialog keeps its state (last folder, history, column widths) in the user's
    // QtProject.conf, a file that the uninstaller could not tell apart from one of the user's
    // own. Its state goes to a folder of this run instead, which is removed with all it holds.
    const QTemporaryDir stateFolder;
    if (stateFolder.isValid())
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, stateFolder.path());
    const std::string base = m_strFolder.substr(0, m_strFolder.size() - m_strSubFolder.size());
    const QString chosen = QFileDialog::getExistingDirectory(owner, QStringLiteral("Browse"),
                                                             QString::fromStdString(base));
    if (chosen.isEmpty())
        return false; // cancelled
    std::string folder = chosen.toStdString();
    AddBackslash(folder);
    SetBaseFolder(folder);
    return true;
}
