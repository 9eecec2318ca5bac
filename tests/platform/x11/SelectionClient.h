#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrix {

// Another X client, as the tests need one: a program that pastes, one that
// copies something else, or a clipboard manager. Every wait is bounded.
class SelectionClient {
public:
    struct Contents {
        std::string type;
        std::string bytes;
    };

    SelectionClient();

    xcb_atom_t atom(const std::string& name);
    std::string atomName(xcb_atom_t atom);
    xcb_window_t owner(const std::string& selection);

    // What the owner of CLIPBOARD gives for the target, or nothing when it
    // refuses or does not answer.
    std::optional<Contents> read(const std::string& target);
    std::vector<std::string> targets();
    // Puts something else on the clipboard, as a user copying would.
    void take(const std::string& selection);

    // Acts as a clipboard manager for one handover: owns CLIPBOARD_MANAGER,
    // waits for a SAVE_TARGETS request, and then, when it saves, reads the
    // text, owns CLIPBOARD and confirms; otherwise it refuses. Returns the
    // saved text.
    void becomeManager();
    std::optional<std::string> handleSaveRequest(bool save, std::chrono::seconds wait);

private:
    struct Disconnect {
        void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
    };
    xcb_timestamp_t serverTime();
    template <typename Event>
    std::optional<Event> waitFor(uint8_t type, std::chrono::milliseconds wait);
    std::optional<Contents> fetch(xcb_atom_t selection, xcb_atom_t target);

    std::unique_ptr<xcb_connection_t, Disconnect> m_connection;
    xcb_window_t m_window = XCB_NONE;
};

}  // namespace kestrix
