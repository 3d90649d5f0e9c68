#include "qt/controls/ResourceScheme.h"

#include "platform/ModulePath.h"
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

// The parts of text id 6 around its "%s" (path) and "%d" (number).
struct AddressFormat {
    std::string prefix; // "cvres://img"
    std::string middle; // "/"
    std::string suffix; // ""
    bool valid = false;
};

AddressFormat SplitFormat() {
    AddressFormat parts;
    const std::string format = GetText(TextId::ResourceAddressFormat);
    const auto s = format.find("%s");
    const auto d = s == std::string::npos ? std::string::npos : format.find("%d", s + 2);
    if (d == std::string::npos)
        return parts;
    parts.prefix = format.substr(0, s);
    parts.middle = format.substr(s + 2, d - s - 2);
    parts.suffix = format.substr(d + 2);
    parts.valid = parts.prefix.find('%') == std::string::npos &&
                  parts.middle.find('%') == std::string::npos &&
                  parts.suffix.find('%') == std::string::npos;
    return parts;
}

// Serves the "IMG" pictures of the running executable; everything else fails.
class ResourceSchemeHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        std::string path;
        int number = 0;
        const QString address = job->requestUrl().toString(QUrl::FullyEncoded);
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
    const std::string format = GetText(TextId::ResourceAddressFormat);
    const auto colon = format.find(':');
    if (colon == std::string::npos || colon == 0)
        return kFallbackScheme;
    return QByteArray::fromStdString(format.substr(0, colon));
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

bool ParseResourceAddress(const QString& address, std::string& path, int& number) {
    const AddressFormat format = SplitFormat();
    if (!format.valid)
        return false;
    std::string text = address.toStdString();
    if (text.compare(0, format.prefix.size(), format.prefix) != 0)
        return false;
    text.erase(0, format.prefix.size());
    if (text.size() < format.suffix.size() ||
        text.compare(text.size() - format.suffix.size(), format.suffix.size(), format.suffix) != 0)
        return false;
    text.erase(text.size() - format.suffix.size());
    // The number: the digits at the end, after the middle text.
    size_t digits = text.size();
    while (digits > 0 && text[digits - 1] >= '0' && text[digits - 1] <= '9')
        --digits;
    if (digits == text.size() || text.size() - digits > 9 || digits < format.middle.size() ||
        text.compare(digits - format.middle.size(), format.middle.size(), format.middle) != 0)
        return false;
    number = std::stoi(text.substr(digits));
    const std::string encoded = text.substr(0, digits - format.middle.size());
    path = QByteArray::fromPercentEncoding(QByteArray::fromStdString(encoded)).toStdString();
    return !path.empty();
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
