// platform/qt/qt_core_x_message_box.cpp: a message box drawn with core X requests, for a display
// that Qt cannot paint on (an 8-bit visual): the refusal of such a display must still be readable.
#include "platform/qt/qt_core_x_message_box.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform {

namespace {

constexpr int kMargin = 16;
constexpr int kButtonWidth = 80;
constexpr std::uint32_t kReturn = 0xFF0D;
constexpr std::uint32_t kKeypadEnter = 0xFF8D;
constexpr std::uint32_t kEscape = 0xFF1B;
constexpr std::uint32_t kSpace = 0x0020;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) return lines;
        start = end + 1;
    }
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// The key symbols of every key code, for telling Return and Escape from other keys.
class KeyMap {
  public:
    explicit KeyMap(xcb_connection_t* connection) {
        const xcb_setup_t* setup = xcb_get_setup(connection);
        first_ = setup->min_keycode;
        const int count = setup->max_keycode - setup->min_keycode + 1;
        reply_ = xcb_get_keyboard_mapping_reply(
            connection,
            xcb_get_keyboard_mapping(connection, first_, static_cast<std::uint8_t>(count)),
            nullptr);
    }
    ~KeyMap() { std::free(reply_); }
    KeyMap(const KeyMap&) = delete;
    KeyMap& operator=(const KeyMap&) = delete;

    bool Dismisses(xcb_keycode_t code) const {
        if (reply_ == nullptr || code < first_) return false;
        const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(reply_);
        const int perCode = reply_->keysyms_per_keycode;
        const int length = xcb_get_keyboard_mapping_keysyms_length(reply_);
        const int at = (code - first_) * perCode;
        for (int i = 0; i < perCode && at + i < length; ++i) {
            const xcb_keysym_t symbol = symbols[at + i];
            if (symbol == kReturn || symbol == kKeypadEnter || symbol == kEscape ||
                symbol == kSpace) {
                return true;
            }
        }
        return false;
    }

  private:
    xcb_keycode_t first_ = 0;
    xcb_get_keyboard_mapping_reply_t* reply_ = nullptr;
};

}  // namespace

bool ShowCoreXMessageBox(const std::string& text, const std::string& caption) {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return false;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;

    // "fixed" is the one font every X server has.
    const xcb_font_t font = xcb_generate_id(connection);
    xcb_open_font(connection, font, 5, "fixed");
    xcb_query_font_reply_t* metrics =
        xcb_query_font_reply(connection, xcb_query_font(connection, font), nullptr);
    if (metrics == nullptr) {
        xcb_disconnect(connection);
        return false;
    }
    const int charWidth = std::max<int>(1, metrics->max_bounds.character_width);
    const int ascent = metrics->font_ascent;
    const int lineHeight = metrics->font_ascent + metrics->font_descent + 2;
    std::free(metrics);

    const std::vector<std::string> lines = Lines(text);
    std::size_t longest = 0;
    for (const std::string& line : lines) longest = std::max(longest, line.size());
    const int buttonHeight = lineHeight + 10;
    const int width = std::max(static_cast<int>(longest) * charWidth, kButtonWidth) + 2 * kMargin;
    const int height =
        kMargin + static_cast<int>(lines.size()) * lineHeight + kMargin + buttonHeight + kMargin;
    const int buttonLeft = (width - kButtonWidth) / 2;
    const int buttonTop = height - kMargin - buttonHeight;

    const xcb_window_t window = xcb_generate_id(connection);
    const std::uint32_t windowValues[] = {
        screen->white_pixel, XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS |
                                 XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root,
                      static_cast<std::int16_t>((screen->width_in_pixels - width) / 2),
                      static_cast<std::int16_t>((screen->height_in_pixels - height) / 2),
                      static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), 1,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, windowValues);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, static_cast<std::uint32_t>(caption.size()),
                        caption.data());
    const xcb_atom_t protocols = Atom(connection, "WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = Atom(connection, "WM_DELETE_WINDOW");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, protocols, XCB_ATOM_ATOM, 32, 1,
                        &deleteWindow);

    const xcb_gcontext_t pen = xcb_generate_id(connection);
    const std::uint32_t penValues[] = {screen->black_pixel, screen->white_pixel, font};
    xcb_create_gc(connection, pen, window, XCB_GC_FOREGROUND | XCB_GC_BACKGROUND | XCB_GC_FONT,
                  penValues);
    xcb_map_window(connection, window);
    xcb_flush(connection);

    const KeyMap keys(connection);
    const auto draw = [&] {
        int y = kMargin + ascent;
        for (const std::string& line : lines) {
            xcb_image_text_8(connection,
                             static_cast<std::uint8_t>(std::min<std::size_t>(line.size(), 255)),
                             window, pen, kMargin, static_cast<std::int16_t>(y), line.data());
            y += lineHeight;
        }
        const xcb_rectangle_t button{static_cast<std::int16_t>(buttonLeft),
                                     static_cast<std::int16_t>(buttonTop), kButtonWidth,
                                     static_cast<std::uint16_t>(buttonHeight)};
        xcb_poly_rectangle(connection, window, pen, 1, &button);
        xcb_image_text_8(
            connection, 2, window, pen,
            static_cast<std::int16_t>(buttonLeft + (kButtonWidth - 2 * charWidth) / 2),
            static_cast<std::int16_t>(buttonTop + (buttonHeight - lineHeight) / 2 + ascent + 1),
            "OK");
        xcb_flush(connection);
    };

    bool done = false;
    while (!done) {
        xcb_generic_event_t* event = xcb_wait_for_event(connection);
        if (event == nullptr) break;  // the display went away
        switch (event->response_type & 0x7F) {
            case XCB_EXPOSE:
                if (reinterpret_cast<xcb_expose_event_t*>(event)->count == 0) draw();
                break;
            case XCB_KEY_PRESS:
                done = keys.Dismisses(reinterpret_cast<xcb_key_press_event_t*>(event)->detail);
                break;
            case XCB_BUTTON_RELEASE: {
                const auto* release = reinterpret_cast<xcb_button_release_event_t*>(event);
                done = release->detail == 1 && release->event_x >= buttonLeft &&
                       release->event_x < buttonLeft + kButtonWidth &&
                       release->event_y >= buttonTop && release->event_y < buttonTop + buttonHeight;
                break;
            }
            case XCB_CLIENT_MESSAGE: {
                const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
                done = message->type == protocols && message->data.data32[0] == deleteWindow;
                break;
            }
            case XCB_DESTROY_NOTIFY:
                done = true;
                break;
            default:
                break;
        }
        std::free(event);
    }
    xcb_free_gc(connection, pen);
    xcb_close_font(connection, font);
    xcb_destroy_window(connection, window);
    xcb_flush(connection);
    xcb_disconnect(connection);
    return true;
}

}  // namespace platform
