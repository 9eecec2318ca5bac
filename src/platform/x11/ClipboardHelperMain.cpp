// kestrix-clipboard: keeps KESTRIX's text on the X11 clipboard after KESTRIX
// has ended, as X11 programs must do themselves. The first process returns as
// soon as a background process owns the clipboard, so that the caller can
// start the program that will paste; it prints that process's id. The
// background process serves the text until another program takes the
// clipboard, a clipboard manager takes it over, or the bound has passed.

#include "platform/PlatformError.h"
#include "platform/posix/ClipboardHelperCommand.h"
#include "platform/x11/SelectionServer.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iostream>

namespace {

// A display that accepts the connection and then hangs must not leave a
// process behind that nobody waits for.
constexpr unsigned ReadySeconds = 10;

void detachFromCaller() {
    setsid();
    const int nothing = open("/dev/null", O_RDWR);
    if (nothing >= 0) {
        dup2(nothing, STDIN_FILENO);
        dup2(nothing, STDOUT_FILENO);
        dup2(nothing, STDERR_FILENO);
        close(nothing);
    }
    // Staying in the caller's folder would keep its file system busy for as
    // long as the text is served; where that fails, it stays busy, no worse.
    if (chdir("/") != 0) {
        return;
    }
}

int serveInBackground(const kestrix::ClipboardHelperCommand& command, int ready) {
    try {
        alarm(ReadySeconds);
        kestrix::SelectionServer server(command.text());
        server.acquire();
        alarm(0);
        // Once the caller has stopped waiting, the text is no longer wanted.
        if (write(ready, "1", 1) != 1) {
            return 1;
        }
        close(ready);
        detachFromCaller();
        const kestrix::SelectionServer::End end =
            server.serve(std::chrono::steady_clock::now() + command.bound());
        return end == kestrix::SelectionServer::End::DisplayGone ? 1 : 0;
    } catch (const kestrix::PlatformError& error) {
        std::cerr << error.description() << '\n';
        return 1;
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    std::optional<kestrix::ClipboardHelperCommand> command;
    try {
        command = kestrix::ClipboardHelperCommand::parse(
            argv[0], std::vector<std::string_view>(argv + 1, argv + argc));
    } catch (const kestrix::PlatformError& error) {
        std::cerr << error.description() << '\n';
        return 2;
    }

    // Whatever the caller left open would stay open for as long as the text
    // is served: files, sockets, the read end of a caller's pipe.
    close_range(STDERR_FILENO + 1, ~0U, 0);
    signal(SIGPIPE, SIG_IGN);
    int ready[2];
    if (pipe(ready) != 0) {
        std::perror("kestrix-clipboard: pipe");
        return 1;
    }
    const pid_t background = fork();
    if (background < 0) {
        std::perror("kestrix-clipboard: fork");
        return 1;
    }
    if (background == 0) {
        close(ready[0]);
        return serveInBackground(*command, ready[1]);
    }

    close(ready[1]);
    char word = 0;
    ssize_t got = 0;
    do {
        got = read(ready[0], &word, 1);
    } while (got < 0 && errno == EINTR);
    if (got != 1) {
        // The background process has said why on stderr.
        return 1;
    }
    std::cout << background << std::endl;
    return 0;
}
