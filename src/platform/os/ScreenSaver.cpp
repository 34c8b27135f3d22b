#include "platform/os/ScreenSaver.h"

#include <QGuiApplication>
#include <QLibrary>

namespace os {

bool ScreenSaverOff()
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
#if defined(Q_OS_LINUX) && QT_CONFIG(xcb)
    auto *x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display())
        return false;
    // The extension library is loaded at run time so the program does not
    // need it where there is no X server.
    using Suspend = void (*)(void *display, int suspend);
    auto suspend = reinterpret_cast<Suspend>(QLibrary::resolve(QStringLiteral("Xss"), 1, "XScreenSaverSuspend"));
    if (!suspend)
        return false;
    suspend(x11->display(), 1);
    return true;
#else
    return false;
#endif
}

} // namespace os
