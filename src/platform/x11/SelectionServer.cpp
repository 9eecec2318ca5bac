#include "platform/x11/SelectionServer.h"

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/x11/SelectionText.h"

#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace kestrix {

namespace {

template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPointer<Reply> owned(Reply* reply) {
    return ReplyPointer<Reply>(reply, &std::free);
}

using EventPointer = ReplyPointer<xcb_generic_event_t>;

PlatformError displayError(const std::string& what) {
    return PlatformError(ErrorNumber::DeviceUnavailable, "kestrix-clipboard: " + what);
}

}  // namespace

SelectionServer::SelectionServer(std::string text)
    : m_utf8(std::move(text)), m_latin1(utf8ToLatin1(m_utf8)) {
    int screenNumber = 0;
    m_connection.reset(xcb_connect(nullptr, &screenNumber));
    if (xcb_connection_has_error(m_connection.get()) != 0) {
        const char* display = std::getenv("DISPLAY");
        throw displayError("cannot open the X display \"" +
                           std::string(display != nullptr ? display : "") + "\"");
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection.get()));
    for (int i = 0; i < screenNumber && screens.rem > 1; ++i) {
        xcb_screen_next(&screens);
    }

    m_clipboard = atom("CLIPBOARD");
    m_targets = atom("TARGETS");
    m_utf8String = atom("UTF8_STRING");
    m_text = atom("TEXT");
    m_timestamp = atom("TIMESTAMP");
    m_manager = atom("CLIPBOARD_MANAGER");
    m_saveTargets = atom("SAVE_TARGETS");
    m_ownProperty = atom("_KESTRIX_CLIPBOARD");

    // Input-only and never mapped: the window exists only to own the
    // selection and to receive the requests.
    m_window = xcb_generate_id(m_connection.get());
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(m_connection.get(), XCB_COPY_FROM_PARENT, m_window, screens.data->root, 0, 0,
                      1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
}

SelectionServer::~SelectionServer() = default;

xcb_atom_t SelectionServer::atom(const char* name) {
    const auto reply = owned(xcb_intern_atom_reply(
        m_connection.get(),
        xcb_intern_atom(m_connection.get(), 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr));
    if (!reply) {
        throw displayError("the X server did not answer");
    }
    return reply->atom;
}

// The selection must be taken at a real server time, not CurrentTime, so that
// a stale request of another client cannot undo it; an empty append to a
// property of one's own yields one.
xcb_timestamp_t SelectionServer::serverTime() {
    xcb_change_property(m_connection.get(), XCB_PROP_MODE_APPEND, m_window, m_ownProperty,
                        XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(m_connection.get());
    for (;;) {
        const auto event = owned(xcb_wait_for_event(m_connection.get()));
        if (!event) {
            throw displayError("the X display went away");
        }
        if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
            if (notify->window == m_window && notify->atom == m_ownProperty) {
                return notify->time;
            }
        }
    }
}

void SelectionServer::acquire() {
    m_acquired = serverTime();
    xcb_set_selection_owner(m_connection.get(), m_window, m_clipboard, m_acquired);
    const auto owner = owned(xcb_get_selection_owner_reply(
        m_connection.get(), xcb_get_selection_owner(m_connection.get(), m_clipboard), nullptr));
    if (!owner || owner->owner != m_window) {
        throw displayError("the X server did not give the clipboard");
    }
}

// As toolkits do at exit: the manager asks for the targets named in the
// property and then owns the clipboard itself.
void SelectionServer::offerToManager() {
    const auto owner = owned(xcb_get_selection_owner_reply(
        m_connection.get(), xcb_get_selection_owner(m_connection.get(), m_manager), nullptr));
    if (!owner || owner->owner == XCB_NONE) {
        return;
    }
    std::vector<xcb_atom_t> saved{m_utf8String};
    if (m_latin1) {
        saved.push_back(XCB_ATOM_STRING);
    }
    xcb_change_property(m_connection.get(), XCB_PROP_MODE_REPLACE, m_window, m_ownProperty,
                        XCB_ATOM_ATOM, 32, static_cast<uint32_t>(saved.size()), saved.data());
    xcb_convert_selection(m_connection.get(), m_window, m_manager, m_saveTargets, m_ownProperty,
                          m_acquired);
}

SelectionServer::End SelectionServer::serve(std::chrono::steady_clock::time_point deadline) {
    offerToManager();
    for (;;) {
        xcb_flush(m_connection.get());
        const auto event = owned(xcb_poll_for_event(m_connection.get()));
        if (!event) {
            if (xcb_connection_has_error(m_connection.get()) != 0) {
                return End::DisplayGone;
            }
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                return End::BoundReached;
            }
            pollfd display{xcb_get_file_descriptor(m_connection.get()), POLLIN, 0};
            poll(&display, 1, static_cast<int>(std::min<long long>(left.count(), 60000)));
            continue;
        }
        switch (event->response_type & 0x7F) {
            case XCB_SELECTION_REQUEST:
                answer(*reinterpret_cast<const xcb_selection_request_event_t*>(event.get()));
                break;
            case XCB_SELECTION_CLEAR:
                if (reinterpret_cast<const xcb_selection_clear_event_t*>(event.get())->selection ==
                    m_clipboard) {
                    return End::TakenOver;
                }
                break;
            case XCB_SELECTION_NOTIFY: {
                const auto* notify =
                    reinterpret_cast<const xcb_selection_notify_event_t*>(event.get());
                // A manager that refuses answers with no property; then the
                // text stays here.
                if (notify->selection == m_manager && notify->property != XCB_NONE) {
                    return End::HandedToManager;
                }
                break;
            }
            default:
                break;
        }
    }
}

void SelectionServer::answer(const xcb_selection_request_event_t& request) {
    // Clients from before ICCCM 2 name no property: the target is used.
    const xcb_atom_t property = request.property != XCB_NONE ? request.property : request.target;
    const bool stored = request.selection == m_clipboard && store(request, property);

    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = stored ? property : XCB_NONE;
    xcb_send_event(m_connection.get(), 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
}

bool SelectionServer::store(const xcb_selection_request_event_t& request, xcb_atom_t property) {
    const auto put = [&](xcb_atom_t type, uint8_t format, std::size_t count, const void* data) {
        xcb_change_property(m_connection.get(), XCB_PROP_MODE_REPLACE, request.requestor, property,
                            type, format, static_cast<uint32_t>(count), data);
        return true;
    };
    if (request.target == m_targets) {
        std::vector<xcb_atom_t> targets{m_targets, m_timestamp, m_utf8String, m_text};
        if (m_latin1) {
            targets.push_back(XCB_ATOM_STRING);
        }
        return put(XCB_ATOM_ATOM, 32, targets.size(), targets.data());
    }
    if (request.target == m_timestamp) {
        return put(XCB_ATOM_INTEGER, 32, 1, &m_acquired);
    }
    // TEXT lets the owner choose the encoding: Latin-1 where it fits, which
    // every client reads.
    if ((request.target == XCB_ATOM_STRING || request.target == m_text) && m_latin1) {
        return put(XCB_ATOM_STRING, 8, m_latin1->size(), m_latin1->data());
    }
    if (request.target == m_utf8String || request.target == m_text) {
        return put(m_utf8String, 8, m_utf8.size(), m_utf8.data());
    }
    return false;
}

}  // namespace kestrix
