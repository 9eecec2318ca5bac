#include "platform/posix/UnixFileName.h"

#include <cstdio>

#include "platform/CodePage.h"
#include "platform/Utf8.h"

namespace kestrix {

namespace {

constexpr char escape = '?';
constexpr std::string_view hexDigits = "0123456789ABCDEF";

void appendEscaped(std::string& text, unsigned char byte) {
    text.push_back(escape);
    text.push_back(hexDigits[byte >> 4]);
    text.push_back(hexDigits[byte & 0x0F]);
}

std::optional<unsigned char> escapedByte(std::string_view text, std::size_t at) {
    if (at + 3 > text.size() || text[at] != escape) {
        return std::nullopt;
    }
    const std::size_t high = hexDigits.find(text[at + 1]);
    const std::size_t low = hexDigits.find(text[at + 2]);
    if (high == std::string_view::npos || low == std::string_view::npos) {
        return std::nullopt;
    }
    return static_cast<unsigned char>(high * 16 + low);
}

// The Windows text, with a character the code page lacks either refused or,
// for messages, spelled as its number.
std::optional<std::string> windowsText(std::string_view diskName, const CodePage& codePage,
                                       bool spellMissing) {
    std::string text;
    text.reserve(diskName.size());
    for (std::size_t at = 0; at < diskName.size();) {
        // ASCII, most of every name, is itself in UTF-8 and in each code
        // page; a folder of thousands of names is shown without a lookup each.
        const auto plain = static_cast<unsigned char>(diskName[at]);
        if (plain < 0x80 && plain != static_cast<unsigned char>(escape) && plain != '\\') {
            text.push_back(diskName[at]);
            ++at;
            continue;
        }
        const std::size_t start = at;
        const std::optional<char32_t> c = Utf8::decodeNext(diskName, at);
        if (!c || *c == static_cast<char32_t>(escape) || *c == U'\\') {
            appendEscaped(text, static_cast<unsigned char>(diskName[start]));
            at = start + 1;
        } else if (const std::optional<char> byte = codePage.encode(*c)) {
            text.push_back(*byte);
        } else if (spellMissing) {
            char number[16];
            std::snprintf(number, sizeof number, "<U+%04X>", static_cast<unsigned>(*c));
            text += number;
        } else {
            return std::nullopt;
        }
    }
    return text;
}

}  // namespace

std::optional<std::string> UnixFileName::toWindows(std::string_view diskName,
                                                   const CodePage& codePage) {
    return windowsText(diskName, codePage, false);
}

std::string UnixFileName::fromWindows(std::string_view windowsName, const CodePage& codePage) {
    std::string diskName;
    diskName.reserve(windowsName.size());
    for (std::size_t at = 0; at < windowsName.size();) {
        if (const std::optional<unsigned char> byte = escapedByte(windowsName, at)) {
            diskName.push_back(static_cast<char>(*byte));
            at += 3;
        } else {
            Utf8::append(diskName, codePage.decode(windowsName[at]));
            ++at;
        }
    }
    if (toWindows(diskName, codePage) != windowsName) {
        return codePage.toUtf8(windowsName);
    }
    return diskName;
}

std::string UnixFileName::describe(std::string_view diskName, const CodePage& codePage) {
    return *windowsText(diskName, codePage, true);
}

}  // namespace kestrix
