#include "platform/WindowsCommandLine.h"

#include "platform/Blank.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"

#include <algorithm>

namespace kestrix::WindowsCommandLine {

namespace {

// Only the last component counts: "C:\Mods.old\setup" still gets ".exe".
bool hasExtension(std::string_view name) {
    const std::size_t lastSeparator = name.find_last_of("\\/");
    const std::size_t nameStart = lastSeparator == std::string_view::npos ? 0 : lastSeparator + 1;
    return name.find('.', nameStart) != std::string_view::npos;
}

std::string withDefaultExtension(std::string_view name) {
    std::string candidate(name);
    if (!hasExtension(name)) {
        candidate += ".exe";
    }
    return candidate;
}

FoundProgram findQuotedProgram(std::string_view commandLine, const FileExists& fileExists) {
    const std::size_t close = commandLine.find('"', 1);
    const std::size_t nameEnd = close == std::string_view::npos ? commandLine.size() : close;
    const std::string_view name = commandLine.substr(1, nameEnd - 1);
    const std::size_t restStart = std::min(nameEnd + 1, commandLine.size());
    std::string candidate = withDefaultExtension(name);
    // A quoted name is taken as a whole: Windows tries no shorter prefix of it.
    if (name.empty() || !fileExists(candidate)) {
        throw PlatformError(ErrorNumber::FileNotFound);
    }
    return {std::move(candidate), std::string(commandLine.substr(restStart))};
}

}  // namespace

FoundProgram findProgram(std::string_view commandLine, const FileExists& fileExists) {
    if (commandLine.starts_with('"')) {
        return findQuotedProgram(commandLine, fileExists);
    }
    // Shortest first, as Windows has it: when "C:\Program.exe" exists it is
    // what "C:\Program Files\..." starts there, so it is started here too.
    for (std::size_t end = 0; end <= commandLine.size(); ++end) {
        if (end < commandLine.size() && !isBlank(commandLine[end])) {
            continue;
        }
        const std::string_view name = commandLine.substr(0, end);
        if (name.empty()) {
            continue;
        }
        std::string candidate = withDefaultExtension(name);
        if (fileExists(candidate)) {
            return {std::move(candidate), std::string(commandLine.substr(end))};
        }
    }
    throw PlatformError(ErrorNumber::FileNotFound);
}

std::vector<std::string> splitArguments(std::string_view arguments) {
    std::vector<std::string> result;
    std::size_t i = 0;
    const std::size_t size = arguments.size();
    while (true) {
        while (i < size && isBlank(arguments[i])) {
            ++i;
        }
        if (i == size) {
            return result;
        }
        // An argument begins here even when it turns out empty: "" is an
        // argument of its own, as the setup tool would see it on Windows.
        std::string argument;
        bool quoted = false;
        while (i < size && (quoted || !isBlank(arguments[i]))) {
            const char c = arguments[i];
            if (c == '\\') {
                std::size_t end = i;
                while (end < size && arguments[end] == '\\') {
                    ++end;
                }
                const std::size_t count = end - i;
                if (end < size && arguments[end] == '"') {
                    argument.append(count / 2, '\\');
                    if (count % 2 == 1) {
                        argument += '"';
                        ++end;
                    }
                } else {
                    argument.append(count, '\\');
                }
                i = end;
            } else if (c == '"') {
                if (quoted && i + 1 < size && arguments[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument += c;
                ++i;
            }
        }
        result.push_back(std::move(argument));
    }
}

}  // namespace kestrix::WindowsCommandLine
