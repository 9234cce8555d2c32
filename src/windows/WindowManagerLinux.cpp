#include "windows/WindowManager.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace vocarin {

namespace {

template <typename Reply> using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

// A window manager announces itself on the root window (EWMH).
bool x11WindowManagerRunning(xcb_connection_t* connection)
{
    static const char name[] = "_NET_SUPPORTING_WM_CHECK";
    XcbReply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof name - 1, name),
                              nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    XcbReply<xcb_get_property_reply_t> property(
        xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1),
            nullptr),
        &std::free);
    return property && xcb_get_property_value_length(property.get()) >= 4;
}

} // namespace

bool windowManagerRunning()
{
    if (QGuiApplication::platformName() != QLatin1StringView("xcb"))
        return true;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return !x11 || !x11->connection() || x11WindowManagerRunning(x11->connection());
}

} // namespace vocarin
