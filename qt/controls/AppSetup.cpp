#include "qt/controls/AppSetup.h"

#include "qt/controls/CXImageList.h"
#include "qt/controls/ResourceScheme.h"

#include <QCoreApplication>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <cstdlib>
#include <unistd.h>

void PrepareApplication() {
    // Chromium will not start as root with its sandbox on.
    if (geteuid() == 0)
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Compiled shaders would be cached under ~/.cache, where nothing of ours removes them again.
    QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
    // Web views draw in software. Drawn with OpenGL, the first view to appear in a window that
    // is already shown makes Qt re-create that window: it flashes black and loses its place.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    // Nothing else draws with OpenGL either, so X11 OpenGL is not started at all: starting it
    // for the web engine's shared context costs more start-up time than the rest of Qt, and
    // memory (unless the user chose an integration himself).
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    RegisterResourceScheme();
}

bool StartControls() {
    // The web engine itself starts with the first view (CXWebBrowser::CreateInParent), which
    // installs the resource scheme on its profile: a window can be shown before that.
    return LoadSharedImages();
}
