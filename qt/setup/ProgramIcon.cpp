#include "qt/setup/ProgramIcon.h"

#include "qt/controls/ResourceScheme.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <algorithm>

bool WriteProgramIcon(const std::string& path) {
    const QIcon icon = ProgramIcon();
    const QList<QSize> sizes = icon.availableSizes();
    if (sizes.isEmpty())
        return false;
    // The largest size: desktops scale it down for menus and the desktop.
    const QSize largest = *std::max_element(sizes.begin(), sizes.end(), [](QSize a, QSize b) {
        return a.width() * a.height() < b.width() * b.height();
    });
    return icon.pixmap(largest).save(QString::fromStdString(path), "PNG");
}
