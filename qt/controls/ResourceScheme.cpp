#include "qt/controls/ResourceScheme.h"

#include "platform/ModulePath.h"
#include "settings/ResourceAddress.h"
#include "settings/TextTable.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

#include <string>

namespace {

const char kFallbackScheme[] = "cvres";

// Serves the "IMG" pictures of the running executable; everything else fails.
class ResourceSchemeHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        std::string path;
        int number = 0;
        const std::string address = job->requestUrl().toString(QUrl::FullyEncoded).toStdString();
        if (!ParseResourceAddress(address, path, number)) {
            job->fail(QWebEngineUrlRequestJob::UrlInvalid);
            return;
        }
        const std::string self = GetModulePath();
        if (self.empty() || path != self) {
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
            return;
        }
        const QString resource = ImageResourcePath(number);
        QFile file(resource);
        if (resource.isEmpty() || !file.open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto* buffer = new QBuffer(job); // the job owns the reply
        buffer->setData(file.readAll());
        buffer->open(QIODevice::ReadOnly);
        job->reply(ImageMimeType(resource), buffer);
    }
};

} // namespace

QByteArray ResourceSchemeName() {
    const std::string scheme = ResourceAddressScheme();
    // A format without a scheme of its own still gets a scheme to register.
    if (scheme.empty() || scheme == GetText(TextId::ResourceAddressFormat))
        return kFallbackScheme;
    return QByteArray::fromStdString(scheme);
}

void RegisterResourceScheme() {
    QWebEngineUrlScheme scheme(ResourceSchemeName());
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                    QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void InstallResourceSchemeHandler(QWebEngineProfile* profile) {
    if (!profile)
        return;
    const QByteArray name = ResourceSchemeName();
    if (profile->urlSchemeHandler(name))
        return;
    profile->installUrlSchemeHandler(name, new ResourceSchemeHandler(profile));
}

QString ImageResourcePath(int number) {
    for (const char* ext : {".gif", ".png", ".jpg"}) {
        const QString path = QStringLiteral(":/img/%1%2").arg(number).arg(QLatin1String(ext));
        if (QFile::exists(path))
            return path;
    }
    return {};
}

QByteArray ImageMimeType(const QString& path) {
    if (path.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive))
        return "image/gif";
    if (path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return "image/png";
    if (path.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive))
        return "image/jpeg";
    if (path.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive))
        return "image/bmp";
    return "application/octet-stream";
}

QString BitmapResourcePath(int number) {
    for (const char* ext : {".png", ".bmp"}) {
        const QString path = QStringLiteral(":/bitmap/%1%2").arg(number).arg(QLatin1String(ext));
        if (QFile::exists(path))
            return path;
    }
    return {};
}

QPixmap BitmapResource(int number) {
    const QString path = BitmapResourcePath(number);
    return path.isEmpty() ? QPixmap() : QPixmap(path);
}

QIcon ProgramIcon() {
    QIcon icon;
    const QDir dir(QStringLiteral(":/icon"));
    for (const QString& name : dir.entryList({QStringLiteral("128_*.png")}, QDir::Files))
        icon.addFile(dir.filePath(name));
    return icon;
}
