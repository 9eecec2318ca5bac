#include "platform/posix/WatchedStart.h"

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

namespace kestrix {

namespace {

// Enough for Wine's or a loader's last words, not its whole debug output.
constexpr off_t SaidLimit = 2000;

std::vector<std::string> environmentWith(const std::vector<std::string>& entries) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text(*entry);
        const std::string name = text.substr(0, text.find('=') + 1);
        bool replaced = false;
        for (const std::string& own : entries) {
            replaced = replaced || own.starts_with(name);
        }
        if (!replaced) {
            result.push_back(text);
        }
    }
    result.insert(result.end(), entries.begin(), entries.end());
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

std::string tailOf(int file) {
    const off_t size = lseek(file, 0, SEEK_END);
    const off_t from = size > SaidLimit ? size - SaidLimit : 0;
    std::string text(static_cast<std::size_t>(size - from), '\0');
    const ssize_t got = pread(file, text.data(), text.size(), from);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

// A file with no name: the program may write to it for as long as it runs,
// and nothing is left behind when it ends.
int anonymousFile() {
    char name[] = "/tmp/kestrix-stderr-XXXXXX";
    const int file = mkstemp(name);
    if (file >= 0) {
        unlink(name);
    }
    return file;
}

}  // namespace

std::optional<WatchedStart::EarlyEnd> WatchedStart::start(const Program& program,
                                                          std::chrono::milliseconds watch) {
    std::vector<std::string> argumentTexts{program.executable.string()};
    argumentTexts.insert(argumentTexts.end(), program.arguments.begin(), program.arguments.end());
    std::vector<std::string> environmentTexts = environmentWith(program.environment);
    std::vector<char*> argv = pointersTo(argumentTexts);
    std::vector<char*> envp = pointersTo(environmentTexts);

    const int said = anonymousFile();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (said >= 0) {
        posix_spawn_file_actions_adddup2(&actions, said, STDERR_FILENO);
    }
    posix_spawn_file_actions_addchdir_np(&actions, program.folder.c_str());
    pid_t child = 0;
    const int failure = posix_spawn(&child, program.executable.c_str(), &actions, nullptr,
                                    argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failure != 0) {
        if (said >= 0) {
            close(said);
        }
        throw PlatformError(ErrorNumber::PathFileAccessError, std::strerror(failure));
    }

    std::optional<EarlyEnd> ended;
    const auto deadline = std::chrono::steady_clock::now() + watch;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            if (code != 0) {
                ended = EarlyEnd{code, said >= 0 ? tailOf(said) : std::string()};
            }
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (said >= 0) {
        close(said);
    }
    return ended;
}

}  // namespace kestrix
