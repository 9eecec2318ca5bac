// Times a program from its start to the moment its main window is mapped on
// the X display, and reads its peak memory, against a baseline program started
// the same way in the same run. Runs alternate between the two so that a
// machine that slows down during the run slows both.
//
//   window_startup_bench RUNS TITLE "CANDIDATE COMMAND" "BASELINE COMMAND"
//
// Each command is split at blanks. The window counted is the first top-level
// window whose title is TITLE. Prints the medians and their ratios.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Long enough for the window's first paint to be in the peak memory.
constexpr auto SettleTime = std::chrono::milliseconds(400);
constexpr auto MapTimeout = std::chrono::seconds(30);

struct Sample {
    double seconds;
    double peakMegabytes;
};

struct Connection {
    xcb_connection_t* connection;
    xcb_window_t root;
    xcb_atom_t netWmName;
    xcb_atom_t utf8String;
};

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string property(const Connection& x, xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
    const auto cookie = xcb_get_property(x.connection, 0, window, name, type, 0, 256);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(x.connection, cookie, nullptr), &std::free);
    if (!reply) {
        return {};
    }
    const auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return std::string(text, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

bool hasTitle(const Connection& x, xcb_window_t window, const std::string& title) {
    return property(x, window, x.netWmName, x.utf8String) == title ||
           property(x, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) == title;
}

std::vector<std::string> words(const std::string& command) {
    std::istringstream stream(command);
    std::vector<std::string> result;
    for (std::string word; stream >> word;) {
        result.push_back(word);
    }
    return result;
}

pid_t start(const std::string& command) {
    std::vector<std::string> arguments = words(command);
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        std::vector<char*> argv;
        for (std::string& word : arguments) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

// Waits for a map of a window with the title; false on time-out.
bool waitForMap(const Connection& x, const std::string& title) {
    const auto deadline = Clock::now() + MapTimeout;
    pollfd descriptor{xcb_get_file_descriptor(x.connection), POLLIN, 0};
    while (Clock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x.connection)) {
            bool found = false;
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                found = hasTitle(x, map->window, title);
            }
            std::free(event);
            if (found) {
                return true;
            }
        }
        poll(&descriptor, 1, 50);
    }
    return false;
}

Sample measure(const Connection& x, const std::string& title, const std::string& command) {
    const auto started = Clock::now();
    const pid_t child = start(command);
    const bool mapped = waitForMap(x, title);
    const auto shown = Clock::now();
    std::this_thread::sleep_for(SettleTime);
    kill(-child, SIGKILL);
    kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!mapped) {
        std::fprintf(stderr, "no window titled \"%s\" from: %s\n", title.c_str(), command.c_str());
        std::exit(1);
    }
    return {std::chrono::duration<double>(shown - started).count(),
            static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s RUNS TITLE CANDIDATE BASELINE\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const std::string title = argv[2];
    const std::string candidate = argv[3];
    const std::string baseline = argv[4];

    int screenNumber = 0;
    Connection x{xcb_connect(nullptr, &screenNumber), 0, 0, 0};
    if (xcb_connection_has_error(x.connection)) {
        std::fprintf(stderr, "cannot connect to the X display\n");
        return 1;
    }
    x.root = xcb_setup_roots_iterator(xcb_get_setup(x.connection)).data->root;
    x.netWmName = atom(x.connection, "_NET_WM_NAME");
    x.utf8String = atom(x.connection, "UTF8_STRING");
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x.connection, x.root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x.connection);

    std::vector<double> candidateSeconds, baselineSeconds, candidateMemory, baselineMemory;
    for (int run = 0; run < runs; ++run) {
        // Alternate which one goes first.
        for (int turn = 0; turn < 2; ++turn) {
            const bool candidateTurn = (run + turn) % 2 == 0;
            const Sample sample = measure(x, title, candidateTurn ? candidate : baseline);
            (candidateTurn ? candidateSeconds : baselineSeconds).push_back(sample.seconds);
            (candidateTurn ? candidateMemory : baselineMemory).push_back(sample.peakMegabytes);
        }
    }
    const double startCandidate = median(candidateSeconds);
    const double startBaseline = median(baselineSeconds);
    const double memoryCandidate = median(candidateMemory);
    const double memoryBaseline = median(baselineMemory);
    std::printf("start-up to a mapped window, median of %d: %.3f s against %.3f s: %.2fx\n", runs,
                startCandidate, startBaseline, startCandidate / startBaseline);
    std::printf("peak memory, median of %d: %.1f MB against %.1f MB: %.2fx\n", runs,
                memoryCandidate, memoryBaseline, memoryCandidate / memoryBaseline);
    xcb_disconnect(x.connection);
    return 0;
}
