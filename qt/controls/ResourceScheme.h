#pragma once

#include <QByteArray>
#include <QIcon>
#include <QPixmap>
#include <QString>

class QWebEngineProfile;

// The program's own URL scheme for its compiled-in pictures (text id 6:
// "<scheme>:...<percent-encoded executable path>/<number>"). Only the running executable's
// path is served.

// The scheme's name, taken from text id 6 ("cvres").
QByteArray ResourceSchemeName();
// Registers the scheme with WebEngine. Must run before the QApplication exists.
void RegisterResourceScheme();
// Installs the scheme's handler on a profile (once; later calls do nothing).
void InstallResourceSchemeHandler(QWebEngineProfile* profile);

// The compiled-in "IMG" picture with this number (":/img/<n>.gif" or ".png"), "" if none.
QString ImageResourcePath(int number);
// MIME type of such a picture by its file name ("image/gif", "image/png", ...).
QByteArray ImageMimeType(const QString& path);
// The addresses themselves are made and read by settings/ResourceAddress.h.

// The compiled-in bitmap resource with this number (":/bitmap/<n>.png"), "" if none.
QString BitmapResourcePath(int number);
// That bitmap as a pixmap, null if none.
QPixmap BitmapResource(int number);
// The program icon, icon resource 128, in all its sizes.
QIcon ProgramIcon();
