#include "controls/AppSetup.h"

#include "controls/CXImageList.h"
#include "controls/ResourceScheme.h"

#include <QCoreApplication>
#include <QWebEngineProfile>

#include <cstdlib>
#include <unistd.h>

void PrepareApplication() {
    // Chromium will not start as root with its sandbox on.
    if (geteuid() == 0)
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Compiled shaders would be cached under ~/.cache, where nothing of ours removes them again.
    QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
    RegisterResourceScheme();
}

bool StartControls() {
    InstallResourceSchemeHandler(QWebEngineProfile::defaultProfile());
    return LoadSharedImages();
}
