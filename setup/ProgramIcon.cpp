#include "setup/ProgramIcon.h"

#include <QImage>
#include <QString>

bool WriteProgramIcon(const std::string& path) {
    const QImage icon(QStringLiteral(":/icon/128.png"));
    if (icon.isNull())
        return false;
    return icon.save(QString::fromStdString(path), "PNG");
}
