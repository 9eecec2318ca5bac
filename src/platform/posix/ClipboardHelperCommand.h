#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// The command line of kestrix-clipboard, the small program that keeps the
// game directory on the X11 clipboard after KESTRIX has ended. Both sides use
// this class, KESTRIX to build the line and the helper to read it, so that the
// two cannot drift apart.
class ClipboardHelperCommand {
public:
    // Long enough to find the setup tool's folder field and paste, short
    // enough that a forgotten helper does not linger for the whole session.
    static constexpr std::chrono::seconds DefaultBound{3600};
    // A Windows path is at most 32767 characters, up to three bytes each in
    // UTF-8; anything longer is not a game directory. It also keeps each reply
    // within one X request, so the helper never needs incremental transfers.
    static constexpr std::size_t MaxTextBytes = 98304;

    // Text is UTF-8. Raises PlatformError when it is too long.
    ClipboardHelperCommand(std::filesystem::path program, std::string text,
                           std::chrono::seconds bound = DefaultBound);

    // The helper for this session, or nothing when there is no X display to
    // serve: DISPLAY is what tells, both on X11 and on Wayland with XWayland,
    // where Wine's programs look for the clipboard.
    static std::optional<ClipboardHelperCommand> forDisplay(
        const char* display, std::filesystem::path program, std::string text,
        std::chrono::seconds bound = DefaultBound);

    // Reads the arguments after the program's own name. Raises PlatformError
    // on anything else than what arguments() builds.
    static ClipboardHelperCommand parse(const std::filesystem::path& program,
                                        const std::vector<std::string_view>& arguments);

    const std::filesystem::path& program() const { return m_program; }
    const std::string& text() const { return m_text; }
    std::chrono::seconds bound() const { return m_bound; }
    // What follows the program's name; the text comes last, after "--", so
    // that a text that starts with a dash is not read as an option.
    std::vector<std::string> arguments() const;

private:
    std::filesystem::path m_program;
    std::string m_text;
    std::chrono::seconds m_bound;
};

}  // namespace kestrix
