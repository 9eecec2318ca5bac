#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace kestrix {

// Owns the X11 CLIPBOARD selection with one text, from a window that is never
// shown, and answers the requests of the programs that paste it. It is all
// that kestrix-clipboard does; KESTRIX itself has ended by then.
class SelectionServer {
public:
    enum class End {
        TakenOver,        // another program put something on the clipboard
        HandedToManager,  // a clipboard manager saved the text and keeps it
        BoundReached,
        DisplayGone,
    };

    // Text is UTF-8. Connects to the display that DISPLAY names; raises
    // PlatformError when there is none.
    explicit SelectionServer(std::string text);
    ~SelectionServer();
    SelectionServer(const SelectionServer&) = delete;
    SelectionServer& operator=(const SelectionServer&) = delete;

    // Raises PlatformError when the server does not give the selection.
    void acquire();
    // Hands the text to a running clipboard manager, and meanwhile serves it,
    // until one of the ends or the deadline.
    End serve(std::chrono::steady_clock::time_point deadline);

private:
    struct Disconnect {
        void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
    };

    xcb_atom_t atom(const char* name);
    xcb_timestamp_t serverTime();
    void offerToManager();
    void answer(const xcb_selection_request_event_t& request);
    bool store(const xcb_selection_request_event_t& request, xcb_atom_t property);

    std::unique_ptr<xcb_connection_t, Disconnect> m_connection;
    xcb_window_t m_window = XCB_NONE;
    std::string m_utf8;
    std::optional<std::string> m_latin1;
    xcb_timestamp_t m_acquired = XCB_CURRENT_TIME;
    xcb_atom_t m_clipboard = XCB_NONE;
    xcb_atom_t m_targets = XCB_NONE;
    xcb_atom_t m_utf8String = XCB_NONE;
    xcb_atom_t m_text = XCB_NONE;
    xcb_atom_t m_timestamp = XCB_NONE;
    xcb_atom_t m_manager = XCB_NONE;
    xcb_atom_t m_saveTargets = XCB_NONE;
    xcb_atom_t m_ownProperty = XCB_NONE;
};

}  // namespace kestrix
