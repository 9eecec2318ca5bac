#include "platform/posix/HelperClipboardKeeper.h"

#include "platform/posix/ClipboardHelperCommand.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace kestrix {

namespace {

// The helper's first process ends as soon as its background process owns the
// clipboard, which takes a few milliseconds; a server that does not answer
// must not hold the Install click for long.
constexpr std::chrono::seconds ReadyWait{5};

// Ends when the helper's first process ends; false when it failed or did not
// end in time (then it is stopped, and its background process, finding no one
// to report to, gives up).
bool waitForReady(pid_t helper) {
    const auto deadline = std::chrono::steady_clock::now() + ReadyWait;
    for (;;) {
        int status = 0;
        const pid_t ended = waitpid(helper, &status, WNOHANG);
        if (ended == helper) {
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        if (ended < 0 || std::chrono::steady_clock::now() >= deadline) {
            kill(helper, SIGKILL);
            waitpid(helper, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace

HelperClipboardKeeper::HelperClipboardKeeper(std::filesystem::path helper,
                                             std::chrono::seconds bound)
    : m_helper(std::move(helper)), m_bound(bound) {}

bool HelperClipboardKeeper::servesThisDesktop() const {
    return ClipboardHelperCommand::forDisplay(std::getenv("DISPLAY"), m_helper, {}, m_bound) &&
           access(m_helper.c_str(), X_OK) == 0;
}

bool HelperClipboardKeeper::keep(const std::string& text) {
    if (!servesThisDesktop()) {
        return false;
    }
    const ClipboardHelperCommand command(m_helper, text, m_bound);

    const std::string program = command.program().string();
    std::vector<std::string> arguments = command.arguments();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    // It reads nothing and reports only failures, on KESTRIX's own stderr.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t helper = 0;
    const int failure =
        posix_spawn(&helper, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failure == 0 && waitForReady(helper);
}

}  // namespace kestrix
