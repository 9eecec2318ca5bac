#include "platform/x11/SelectionClient.h"

#include <poll.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace kestrix {

namespace {

template <typename Reply>
std::unique_ptr<Reply, decltype(&std::free)> owned(Reply* reply) {
    return {reply, &std::free};
}

const std::chrono::milliseconds AnswerWait{5000};

}  // namespace

SelectionClient::SelectionClient() : m_connection(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(m_connection.get()) != 0) {
        throw std::runtime_error("no X display");
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection.get())).data;
    m_window = xcb_generate_id(m_connection.get());
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(m_connection.get(), XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1,
                      0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    xcb_flush(m_connection.get());
}

xcb_atom_t SelectionClient::atom(const std::string& name) {
    const auto reply = owned(xcb_intern_atom_reply(
        m_connection.get(),
        xcb_intern_atom(m_connection.get(), 0, static_cast<uint16_t>(name.size()), name.c_str()),
        nullptr));
    return reply ? reply->atom : XCB_NONE;
}

std::string SelectionClient::atomName(xcb_atom_t atom) {
    const auto reply = owned(xcb_get_atom_name_reply(
        m_connection.get(), xcb_get_atom_name(m_connection.get(), atom), nullptr));
    if (!reply) {
        return {};
    }
    return {xcb_get_atom_name_name(reply.get()),
            static_cast<std::size_t>(xcb_get_atom_name_name_length(reply.get()))};
}

xcb_window_t SelectionClient::owner(const std::string& selection) {
    const auto reply = owned(xcb_get_selection_owner_reply(
        m_connection.get(), xcb_get_selection_owner(m_connection.get(), atom(selection)), nullptr));
    return reply ? reply->owner : XCB_NONE;
}

template <typename Event>
std::optional<Event> SelectionClient::waitFor(uint8_t type, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        xcb_flush(m_connection.get());
        const auto event = owned(xcb_poll_for_event(m_connection.get()));
        if (event && (event->response_type & 0x7F) == type) {
            return *reinterpret_cast<const Event*>(event.get());
        }
        if (event) {
            continue;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || xcb_connection_has_error(m_connection.get()) != 0) {
            return std::nullopt;
        }
        pollfd display{xcb_get_file_descriptor(m_connection.get()), POLLIN, 0};
        poll(&display, 1, static_cast<int>(left.count()));
    }
}

xcb_timestamp_t SelectionClient::serverTime() {
    xcb_change_property(m_connection.get(), XCB_PROP_MODE_APPEND, m_window, atom("_TEST_TIME"),
                        XCB_ATOM_STRING, 8, 0, nullptr);
    const auto notify = waitFor<xcb_property_notify_event_t>(XCB_PROPERTY_NOTIFY, AnswerWait);
    return notify ? notify->time : XCB_CURRENT_TIME;
}

std::optional<SelectionClient::Contents> SelectionClient::fetch(xcb_atom_t selection,
                                                                xcb_atom_t target) {
    const xcb_atom_t property = atom("_TEST_PASTE");
    xcb_convert_selection(m_connection.get(), m_window, selection, target, property,
                          XCB_CURRENT_TIME);
    const auto notify = waitFor<xcb_selection_notify_event_t>(XCB_SELECTION_NOTIFY, AnswerWait);
    if (!notify || notify->property == XCB_NONE) {
        return std::nullopt;
    }
    const auto reply =
        owned(xcb_get_property_reply(m_connection.get(),
                                     xcb_get_property(m_connection.get(), 1, m_window, property,
                                                      XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20),
                                     nullptr));
    if (!reply) {
        return std::nullopt;
    }
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
    const auto length = static_cast<std::size_t>(xcb_get_property_value_length(reply.get()));
    return Contents{atomName(reply->type), std::string(data, length)};
}

std::optional<SelectionClient::Contents> SelectionClient::read(const std::string& target) {
    return fetch(atom("CLIPBOARD"), atom(target));
}

std::vector<std::string> SelectionClient::targets() {
    std::vector<std::string> names;
    const std::optional<Contents> list = read("TARGETS");
    if (!list) {
        return names;
    }
    for (std::size_t at = 0; at + sizeof(xcb_atom_t) <= list->bytes.size();
         at += sizeof(xcb_atom_t)) {
        xcb_atom_t target = XCB_NONE;
        std::memcpy(&target, list->bytes.data() + at, sizeof target);
        names.push_back(atomName(target));
    }
    return names;
}

void SelectionClient::take(const std::string& selection) {
    xcb_set_selection_owner(m_connection.get(), m_window, atom(selection), serverTime());
    xcb_flush(m_connection.get());
}

void SelectionClient::becomeManager() {
    take("CLIPBOARD_MANAGER");
}

std::optional<std::string> SelectionClient::handleSaveRequest(bool save,
                                                              std::chrono::seconds wait) {
    const auto request = waitFor<xcb_selection_request_event_t>(XCB_SELECTION_REQUEST, wait);
    if (!request || request->target != atom("SAVE_TARGETS")) {
        return std::nullopt;
    }
    std::optional<std::string> saved;
    if (save) {
        if (const std::optional<Contents> text = read("UTF8_STRING")) {
            saved = text->bytes;
            take("CLIPBOARD");
        }
    }
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request->time;
    notify.requestor = request->requestor;
    notify.selection = request->selection;
    notify.target = request->target;
    notify.property = saved ? request->property : XCB_NONE;
    xcb_send_event(m_connection.get(), 0, request->requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    xcb_flush(m_connection.get());
    return saved;
}

}  // namespace kestrix
