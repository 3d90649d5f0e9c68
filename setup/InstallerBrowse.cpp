#include "setup/Installer.h"

#include "platform/ModulePath.h"

#include <QApplication>
#include <QFileDialog>

bool CInstaller::BrowseFolder(QWidget* owner) {
    if (owner == nullptr)
        owner = QApplication::activeWindow();
    const QString chosen = QFileDialog::getExistingDirectory(owner, QStringLiteral("Browse"));
    if (chosen.isEmpty())
        return false; // cancelled
    std::string base = chosen.toStdString();
    AddBackslash(base);
    SetBaseFolder(base);
    return true;
}
