#include "qt/controls/FrameButtons.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <memory>
#include <string>

#include <xcb/xcb.h>

namespace {

// The xcb reply types are C structures freed with free().
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class T> using Reply = std::unique_ptr<T, FreeReply>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::char_traits<char>::length(name)),
                        name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

Reply<xcb_get_property_reply_t> Property(xcb_connection_t* connection, xcb_window_t window,
                                         xcb_atom_t property, xcb_atom_t type) {
    return Reply<xcb_get_property_reply_t>(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, 256), nullptr));
}

// The window the window manager names on the root window as its own, or 0.
xcb_window_t SupportingWindow(xcb_connection_t* connection) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return 0;
    const auto reply = Property(connection, screen->root,
                                Atom(connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return 0;
    return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

// The type bit Qt's X11 window reads from the window's "_q_xcb_wm_window_type" property to put
// _NET_WM_WINDOW_TYPE_TOOLBAR ahead of the types its flags give.
constexpr int kToolbarWindowType = 0x000008;

} // namespace

std::string WindowManagerName() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return {};
    const xcb_window_t window = SupportingWindow(connection);
    if (!window)
        return {};
    const auto reply = Property(connection, window, Atom(connection, "_NET_WM_NAME"),
                                Atom(connection, "UTF8_STRING"));
    if (!reply || reply->format != 8)
        return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}

bool WindowManagerKeepsFrameButtons() {
    return WindowManagerName() == "Openbox";
}

void AskForCloseButtonOnly(QWidget* dialog) {
    if (!dialog || !dialog->isWindow() || !WindowManagerKeepsFrameButtons())
        return;
    dialog->winId(); // the window's handle, not shown yet
    QWindow* window = dialog->windowHandle();
    if (!window)
        return;
    window->setProperty("_q_xcb_wm_window_type", kToolbarWindowType);
    // The property is read when the flags are applied; setting equal flags does nothing, so
    // they are applied twice, the second time as they were.
    const Qt::WindowFlags flags = window->flags();
    window->setFlags(flags ^ Qt::WindowContextHelpButtonHint);
    window->setFlags(flags);
}
