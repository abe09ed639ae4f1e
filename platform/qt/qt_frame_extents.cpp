// platform/qt/qt_frame_extents.cpp: the window manager's frame asked for through the desktop's
// standard request (_NET_REQUEST_FRAME_EXTENTS) on a window that is never shown.
#include "platform/qt/qt_frame_extents.h"

#include <poll.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

constexpr auto Patience = std::chrono::milliseconds(200);

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// The window a property of type WINDOW names; 0 when there is none.
xcb_window_t WindowProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, XCB_ATOM_WINDOW, 0, 1), nullptr);
    xcb_window_t found = 0;
    if (reply != nullptr && xcb_get_property_value_length(reply) >= 4) {
        std::memcpy(&found, xcb_get_property_value(reply), sizeof found);
    }
    std::free(reply);
    return found;
}

// A running window manager that follows the desktop's conventions names a window of its own on
// the root window, and that window names itself.
bool WindowManagerRuns(xcb_connection_t* connection, xcb_window_t root) {
    const xcb_atom_t check = Atom(connection, "_NET_SUPPORTING_WM_CHECK");
    if (check == XCB_ATOM_NONE) return false;
    const xcb_window_t own = WindowProperty(connection, root, check);
    return own != 0 && WindowProperty(connection, own, check) == own;
}

std::optional<int> TopExtent(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, XCB_ATOM_CARDINAL, 0, 4),
        nullptr);
    std::optional<int> top;
    if (reply != nullptr && xcb_get_property_value_length(reply) >= 16) {
        std::uint32_t extents[4];  // left, right, top, bottom
        std::memcpy(extents, xcb_get_property_value(reply), sizeof extents);
        if (extents[2] < 1000) top = static_cast<int>(extents[2]);
    }
    std::free(reply);
    return top;
}

// Waits for the property to be set on the window, within the patience.
bool AwaitProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name) {
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool set =
                (event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY &&
                reinterpret_cast<xcb_property_notify_event_t*>(event)->window == window &&
                reinterpret_cast<xcb_property_notify_event_t*>(event)->atom == name;
            std::free(event);
            if (set) return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || xcb_connection_has_error(connection)) return false;
        pollfd wait{xcb_get_file_descriptor(connection), POLLIN, 0};
        ::poll(&wait, 1, static_cast<int>(left.count()));
    }
}

std::optional<int> AskOn(xcb_connection_t* connection, const xcb_screen_t* screen) {
    if (!WindowManagerRuns(connection, screen->root)) return 0;
    const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
    if (request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE) return std::nullopt;

    const xcb_window_t probe = xcb_generate_id(connection);
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, probe, screen->root, 0, 0, 100, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_EVENT_MASK,
                      &events);
    xcb_client_message_event_t ask{};
    ask.response_type = XCB_CLIENT_MESSAGE;
    ask.format = 32;
    ask.window = probe;
    ask.type = request;
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&ask));
    xcb_flush(connection);
    std::optional<int> top;
    if (AwaitProperty(connection, probe, extents)) top = TopExtent(connection, probe, extents);
    xcb_destroy_window(connection, probe);
    xcb_flush(connection);
    return top;
}

}  // namespace

std::optional<int> AskCaptionHeight() {
    // A connection of our own, so that no event meant for the toolkit is taken here.
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    std::optional<int> top;
    if (!xcb_connection_has_error(connection)) {
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (int k = 0; k < screenNumber && screens.rem > 0; ++k) xcb_screen_next(&screens);
        if (screens.rem > 0) top = AskOn(connection, screens.data);
    }
    xcb_disconnect(connection);
    return top;
}

}  // namespace platform
