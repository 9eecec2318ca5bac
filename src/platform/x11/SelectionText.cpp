#include "platform/x11/SelectionText.h"

namespace kestrix {

std::optional<std::string> utf8ToLatin1(std::string_view utf8) {
    std::string latin1;
    latin1.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            latin1 += static_cast<char>(byte);
            continue;
        }
        // Only U+0080..U+00FF fit, and those are exactly the two-byte
        // sequences that start with 0xC2 or 0xC3.
        if ((byte != 0xC2 && byte != 0xC3) || i + 1 >= utf8.size()) {
            return std::nullopt;
        }
        const auto continuation = static_cast<unsigned char>(utf8[i + 1]);
        if ((continuation & 0xC0) != 0x80) {
            return std::nullopt;
        }
        latin1 += static_cast<char>(((byte & 0x03) << 6) | (continuation & 0x3F));
        ++i;
    }
    return latin1;
}

}  // namespace kestrix
