#include "app/highdpi.h"

#include <QByteArray>
#include <QGuiApplication>

#ifdef KA_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace {

#ifdef KA_HAVE_XCB
// True when the X server's resource database (what `xrdb -query` lists) holds Xft.dpi, the scale
// X desktops set. Without it Qt 5.15 takes the screen's physical DPI as the scale: on a default
// virtual X server that makes everything 4% larger and blurred.
bool x11DesktopSetsDpi()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    bool found = false;
    if (!xcb_connection_has_error(connection)) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        const xcb_get_property_cookie_t cookie = xcb_get_property(
            connection, false, screen->root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, 1 << 20);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
        if (reply) {
            const QByteArray resources(static_cast<const char*>(xcb_get_property_value(reply)),
                                       xcb_get_property_value_length(reply));
            found = resources.startsWith("Xft.dpi:") || resources.contains("\nXft.dpi:");
            std::free(reply);
        }
    }
    xcb_disconnect(connection);
    return found;
}

bool startsOnX11()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    return (platform.isEmpty() || platform.startsWith("xcb")) && !qEnvironmentVariableIsEmpty("DISPLAY");
}
#endif

} // namespace

void enableHighDpiScaling()
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    // A logical DPI of 96 is 1x; a value the user gave wins. The offscreen platform, which the
    // tests and benchmarks use, makes up 100 DPI.
    bool unscaled = qgetenv("QT_QPA_PLATFORM").startsWith("offscreen");
#ifdef KA_HAVE_XCB
    unscaled = unscaled || (startsOnX11() && !x11DesktopSetsDpi());
#endif
    if (unscaled && qEnvironmentVariableIsEmpty("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "96");
}
