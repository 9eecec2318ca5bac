#include "platform/posix/ClipboardHelperCommand.h"

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"

#include <charconv>

namespace kestrix {

namespace {

constexpr std::string_view BoundOption = "--seconds";
constexpr std::string_view EndOfOptions = "--";

PlatformError usageError(const std::string& what) {
    return PlatformError(
        ErrorNumber::InternalError,
        "kestrix-clipboard: " + what + "; usage: kestrix-clipboard [--seconds N] -- TEXT");
}

std::chrono::seconds parseBound(std::string_view text) {
    long long seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() || seconds <= 0) {
        throw usageError("the bound \"" + std::string(text) + "\" is not a positive number");
    }
    return std::chrono::seconds(seconds);
}

}  // namespace

ClipboardHelperCommand::ClipboardHelperCommand(std::filesystem::path program, std::string text,
                                               std::chrono::seconds bound)
    : m_program(std::move(program)), m_text(std::move(text)), m_bound(bound) {
    if (m_text.size() > MaxTextBytes) {
        throw PlatformError(ErrorNumber::InternalError,
                            "The text for the clipboard is " + std::to_string(m_text.size()) +
                                " bytes long, more than the " + std::to_string(MaxTextBytes) +
                                " that the clipboard helper keeps.");
    }
    if (m_bound.count() <= 0) {
        throw usageError("the bound must be positive");
    }
}

std::optional<ClipboardHelperCommand> ClipboardHelperCommand::forDisplay(
    const char* display, std::filesystem::path program, std::string text,
    std::chrono::seconds bound) {
    if (display == nullptr || *display == '\0') {
        return std::nullopt;
    }
    return ClipboardHelperCommand(std::move(program), std::move(text), bound);
}

ClipboardHelperCommand ClipboardHelperCommand::parse(
    const std::filesystem::path& program, const std::vector<std::string_view>& arguments) {
    std::chrono::seconds bound = DefaultBound;
    std::size_t next = 0;
    if (next < arguments.size() && arguments[next] == BoundOption) {
        if (next + 1 >= arguments.size()) {
            throw usageError("--seconds needs a number");
        }
        bound = parseBound(arguments[next + 1]);
        next += 2;
    }
    if (next >= arguments.size() || arguments[next] != EndOfOptions) {
        throw usageError("expected \"--\" before the text");
    }
    if (next + 2 != arguments.size()) {
        throw usageError("expected exactly one text after \"--\"");
    }
    return ClipboardHelperCommand(program, std::string(arguments[next + 1]), bound);
}

std::vector<std::string> ClipboardHelperCommand::arguments() const {
    return {std::string(BoundOption), std::to_string(m_bound.count()), std::string(EndOfOptions),
            m_text};
}

}  // namespace kestrix
